#include "labels/ElLabelDraw_win.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

namespace trimwell {

namespace {

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

RECT Union(const RECT& a, const RECT& b) {
    RECT u;
    UnionRect(&u, &a, &b);
    return u;
}

class TextPass {
public:
    TextPass(HDC dc, std::u16string_view text, UINT flags) : dc_(dc), text_(text), flags_(flags) {}
    bool measuring() const { return flags_ & DT_CALCRECT; }

    // Draws (or measures) the text in r moved by (dx, dy); returns the rectangle used.
    RECT At(const RECT& r, int dx, int dy, TColor color) const {
        RECT q = Offset(r, dx, dy);
        if (!measuring()) SetTextColor(dc_, ColorToRGB(color));
        DrawTextW(dc_, WidePtr(text_), static_cast<int>(text_.size()), &q, flags_);
        return q;
    }
    RECT AtRgb(const RECT& r, int dx, int dy, COLORREF rgb) const {
        RECT q = Offset(r, dx, dy);
        SetTextColor(dc_, rgb);
        DrawTextW(dc_, WidePtr(text_), static_cast<int>(text_.size()), &q, flags_);
        return q;
    }

private:
    HDC dc_;
    std::u16string_view text_;
    UINT flags_;
};

RECT DrawEffect(const TextPass& pass, const RECT& r, const ElLabelLook& k) {
    if (k.effect == lesShadow) return pass.At(r, k.xOffset, k.yOffset, k.shadowColor);
    const ExtrudeStep step = ExtrudeStepOf(k.extrudePosition);
    if (pass.measuring()) {
        const RECT measured = pass.At(r, 0, 0, k.nearColor);
        return Union(measured, Offset(measured, k.depth * step.dx, k.depth * step.dy));
    }
    const COLORREF nearRgb = ColorToRGB(k.nearColor), farRgb = ColorToRGB(k.farColor);
    const Rgb nearC{GetRValue(nearRgb), GetGValue(nearRgb), GetBValue(nearRgb)};
    const Rgb farC{GetRValue(farRgb), GetGValue(farRgb), GetBValue(farRgb)};
    for (int i = k.depth; i >= 1; --i) {
        const Rgb c = ExtrudeLayerColor(nearC, farC, i, k.depth, k.striated);
        pass.AtRgb(r, i * step.dx, i * step.dy, RGB(c.r, c.g, c.b));
    }
    return r;
}

RECT DrawStyled(const TextPass& pass, const RECT& r, const ElLabelLook& k) {
    if (!k.enabled) {
        if (pass.measuring()) return pass.At(r, 0, 0, k.fontColor);
        pass.At(r, 1, 1, clBtnHighlight);
        return pass.At(r, 0, 0, clBtnShadow);
    }
    switch (k.style) {
        case ltsEmbossed:
        case ltsRecessed: {
            const bool embossed = k.style == ltsEmbossed;
            if (!pass.measuring()) {
                pass.At(r, -1, -1, embossed ? k.lightColor : k.darkColor);
                pass.At(r, 1, 1, embossed ? k.darkColor : k.lightColor);
            }
            break;
        }
        case ltsOutlined:
            if (!pass.measuring()) {
                for (auto [dx, dy] : {std::pair{-1, -1}, {-1, 1}, {1, -1}, {1, 1}})
                    pass.At(r, dx, dy, k.outlineColor);
            }
            break;
        case ltsNormal:
            break;
    }
    RECT drawn = pass.At(r, 0, 0, k.fontColor);
    if (pass.measuring() && k.style != ltsNormal) InflateRect(&drawn, 1, 1);
    return drawn;
}

}  // namespace

void ElLabelDrawText(HDC dc, std::u16string_view caption, RECT& r, UINT flags, const ElLabelLook& look) {
    std::u16string text(caption);
    const bool measuring = flags & DT_CALCRECT;
    // An empty caption still measures one line high.
    if (measuring && (text.empty() || (look.showAccelChar && text == u"&"))) text += u' ';
    if (!look.showAccelChar) flags |= DT_NOPREFIX;
    SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);

    RECT effectRect = r;
    const bool hasEffect = look.effect != lesNone;
    if (hasEffect) effectRect = DrawEffect(TextPass(dc, text, flags), r, look);
    const UINT textFlags = flags | (look.endEllipsis ? DT_END_ELLIPSIS : 0);
    const RECT textRect = DrawStyled(TextPass(dc, text, textFlags), r, look);
    if (measuring) r = hasEffect ? Union(effectRect, textRect) : textRect;
    SetTextColor(dc, oldColor);
}

UINT LabelTextFlags(const LabelFrame& frame) {
    UINT flags = DT_EXPANDTABS | (frame.wordWrap ? DT_WORDBREAK : 0);
    if (frame.alignment == laRight) flags |= DT_RIGHT;
    if (frame.alignment == laCenter) flags |= DT_CENTER;
    return flags;
}

namespace {
RECT InnerRect(const LabelFrame& frame) {
    RECT r{0, 0, frame.width, frame.height};
    InflateRect(&r, -frame.borderWidth, -frame.borderWidth);
    return r;
}
}  // namespace

void PaintPlainLabel(HDC canvas, HFONT font, const LabelFrame& frame, const LabelTextDrawer& draw) {
    SavedDC keep(canvas);
    if (!frame.transparent) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(frame.color)));
        RECT all{0, 0, frame.width, frame.height};
        FillRect(canvas, &all, brush.get());
    }
    SelectObject(canvas, font);
    SetBkMode(canvas, TRANSPARENT);
    RECT r = InnerRect(frame);
    const UINT flags = LabelTextFlags(frame);
    if (frame.layout != tlTop) {
        RECT measured{0, 0, frame.width, frame.height};
        draw(canvas, measured, flags | DT_CALCRECT);
        const int h = measured.bottom - measured.top;
        r.top = frame.layout == tlBottom ? r.bottom - h : r.top + (r.bottom - r.top - h) / 2;
    }
    draw(canvas, r, flags);
}

void PaintElLabel(HDC canvas, HFONT font, const LabelFrame& frame, const LabelTextDrawer& draw) {
    if (frame.width <= 0 || frame.height <= 0) return;
    UniqueMemoryDC dc(CreateCompatibleDC(canvas));
    UniqueBitmap bitmap(CreateCompatibleBitmap(canvas, frame.width, frame.height));
    SelectGuard keepBitmap(dc.get(), bitmap.get());
    if (frame.transparent) {
        BitBlt(dc.get(), 0, 0, frame.width, frame.height, canvas, 0, 0, SRCCOPY);
    } else {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(frame.color)));
        RECT all{0, 0, frame.width, frame.height};
        FillRect(dc.get(), &all, brush.get());
    }
    SelectGuard keepFont(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    RECT r = InnerRect(frame);
    const UINT flags = LabelTextFlags(frame);
    if (frame.layout != tlTop) {
        RECT measured = r;
        draw(dc.get(), measured, flags | DT_CALCRECT);
        const int shift = frame.height - measured.bottom;
        OffsetRect(&r, 0, frame.layout == tlBottom ? shift : shift / 2);
    }
    draw(dc.get(), r, flags);
    BitBlt(canvas, 0, 0, frame.width, frame.height, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace trimwell

namespace trimwell {

namespace {
// The text rectangle relative to the bitmap that holds its visible part `shown`.
RECT TextRectInBitmap(const LabelRect& t, const RECT& shown) {
    auto fit = [](std::int64_t v) { return static_cast<LONG>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); };
    const std::int64_t dx = shown.left, dy = shown.top;
    return RECT{fit(t.Left - dx), fit(t.Top - dy), fit(t.Right - dx), fit(t.Bottom - dy)};
}
}  // namespace

void PaintHTMLLabel(HDC canvas, const LabelFrame& frame, TElHTMLRender& render) {
    if (!frame.transparent) {
        UniqueBrush brush(CreateSolidBrush(ColorToRGB(frame.color)));
        RECT all{0, 0, frame.width, frame.height};
        FillRect(canvas, &all, brush.get());
    }
    const TElHTMLData& data = render.Data();
    const LabelRect t = HTMLTextRect(frame.width, frame.height, data.TextWidth, data.TextHeight, frame.layout,
                                     frame.alignment, frame.borderWidth, true);
    // The bitmap covers only the part of the text rectangle inside the label; the markup is
    // laid into it at the text rectangle's full size, so alignment is unchanged.
    const RECT text{t.Left, t.Top, t.Right, t.Bottom};
    const RECT client{0, 0, frame.width, frame.height};
    RECT shown{};
    if (!IntersectRect(&shown, &text, &client)) return;
    const int w = shown.right - shown.left, h = shown.bottom - shown.top;
    UniqueMemoryDC dc(CreateCompatibleDC(canvas));
    UniqueBitmap bitmap(CreateCompatibleBitmap(canvas, w, h));
    if (!dc || !bitmap) return;
    SelectGuard keep(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, w, h, canvas, shown.left, shown.top, SRCCOPY);
    const RECT inBitmap = TextRectInBitmap(t, shown);
    PaintMarkup(render, dc.get(), POINT{0, 0}, inBitmap, clNone);
    BitBlt(canvas, shown.left, shown.top, w, h, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace trimwell
