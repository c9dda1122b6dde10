#include "labels/HTMLRender_win.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace trimwell {

namespace {
constexpr std::size_t kMaxCachedFonts = 32;
}

GdiTextMeasurer::GdiTextMeasurer() {
    ScreenDC screen;
    dc_.reset(CreateCompatibleDC(screen.get()));
    if (!dc_) throw std::runtime_error("Cannot create a device context for measuring text");
    logPixelsY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    savedFont_ = GetCurrentObject(dc_.get(), OBJ_FONT);
    savedBitmap_ = GetCurrentObject(dc_.get(), OBJ_BITMAP);
}

GdiTextMeasurer::~GdiTextMeasurer() {
    SelectObject(dc_.get(), savedFont_);
    SelectObject(dc_.get(), savedBitmap_);
}

void GdiTextMeasurer::SelectCached(std::size_t index) {
    if (current_ == index) return;
    SelectObject(dc_.get(), fonts_[index].font.get());
    current_ = index;
}

void GdiTextMeasurer::SetFont(const FontDesc& font) {
    const auto matches = [&font](const CachedFont& c) {
        return c.height == font.height && c.style == font.style && c.charset == font.charset && c.name == font.name;
    };
    if (current_ != SIZE_MAX && matches(fonts_[current_])) return;
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (matches(fonts_[i])) return SelectCached(i);
    if (fonts_.size() >= kMaxCachedFonts) {
        SelectObject(dc_.get(), savedFont_);
        current_ = SIZE_MAX;
        fonts_.erase(fonts_.begin());
    }
    const LOGFONTW lf = LogFontFor({WidePtr(font.name), font.name.size()}, font.height, font.style, font.charset);
    CachedFont cached{std::u16string(font.name), font.height, font.style, font.charset,
                      UniqueGdiHandle(CreateFontIndirectW(&lf)), {}};
    if (!cached.font) cached.font.reset(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.push_back(std::move(cached));
    SelectCached(fonts_.size() - 1);
    GetTextMetricsW(dc_.get(), &fonts_.back().metrics);
}

FontMetrics GdiTextMeasurer::Metrics() {
    if (current_ == SIZE_MAX) SetFont(FontDesc{});
    const TEXTMETRICW& tm = fonts_[current_].metrics;
    return FontMetrics{static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmDescent),
                       static_cast<int>(tm.tmMaxCharWidth), static_cast<int>(tm.tmAveCharWidth)};
}

namespace {
// Extents of very long runs wrap around inside the platform's text drawing, so long runs are
// measured in pieces; widths add up per character, and a piece never ends inside a surrogate pair.
constexpr std::size_t kMeasurePiece = 1024;

std::size_t PieceLength(std::u16string_view text) {
    if (text.size() <= kMeasurePiece) return text.size();
    const char16_t last = text[kMeasurePiece - 1];
    return (last >= 0xD800 && last <= 0xDBFF) ? kMeasurePiece - 1 : kMeasurePiece;
}
}  // namespace

int GdiTextMeasurer::TextExtent(std::u16string_view text) {
    std::int64_t width = 0;
    while (!text.empty()) {
        const std::size_t n = PieceLength(text);
        RECT r{0, 0, 0, 0};
        DrawTextW(dc_.get(), WidePtr(text), static_cast<int>(n), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        width += std::max<LONG>(0, r.right - r.left);
        text.remove_prefix(n);
    }
    return static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
}

std::size_t GdiTextMeasurer::CharsWithin(std::u16string_view text, int extent, int& endsAt) {
    endsAt = 0;
    if (text.empty() || extent <= 0) return 0;
    std::vector<INT> ends(text.size());
    INT fit = 0;
    SIZE size{};
    if (!GetTextExtentExPointW(dc_.get(), WidePtr(text), static_cast<int>(text.size()), extent, &fit, ends.data(), &size) ||
        fit <= 0)
        return 0;
    // A surrogate pair is one character: it is left out whole or not at all.
    const char16_t last = text[static_cast<std::size_t>(fit) - 1];
    if (last >= 0xD800 && last <= 0xDBFF && --fit == 0) return 0;
    endsAt = ends[static_cast<std::size_t>(fit) - 1];
    return static_cast<std::size_t>(fit);
}

int GdiTextMeasurer::LogPixelsY() { return logPixelsY_; }

bool GdiTextMeasurer::EnsureBitmap(HDC like, int width, int height) {
    if (bitmap_ && width <= bitmapWidth_ && height <= bitmapHeight_) return true;
    const int newWidth = std::max(width, bitmapWidth_), newHeight = std::max(height, bitmapHeight_);
    SelectObject(dc_.get(), savedBitmap_);
    bitmap_.reset(CreateCompatibleBitmap(like, newWidth, newHeight));
    if (!bitmap_) {
        bitmapWidth_ = bitmapHeight_ = 0;
        return false;
    }
    bitmapWidth_ = newWidth;
    bitmapHeight_ = newHeight;
    SelectObject(dc_.get(), bitmap_.get());
    return true;
}

GdiHTMLImage::GdiHTMLImage(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP bm{};
    if (bitmap && GetObjectW(bitmap, sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = std::abs(bm.bmHeight);
    }
}

std::unique_ptr<TElHTMLRender> MakeGdiHTMLRender() {
    return std::make_unique<TElHTMLRender>(std::make_unique<GdiTextMeasurer>());
}

COLORREF BlendTextColor(COLORREF text, COLORREF blend) {
    const int r = GetRValue(blend), g = GetGValue(blend), b = GetBValue(blend);
    const int lightness = ((std::max({r, g, b}) + std::min({r, g, b})) * 252 + 255) / 510;
    auto half = [&](int c) { return lightness > 128 ? c / 2 : c + (255 - c) / 2; };
    return RGB(half(GetRValue(text)), half(GetGValue(text)), half(GetBValue(text)));
}

namespace {

// Positions in laid-out text are 64-bit; what reaches GDI stays far inside its coordinate space.
int GdiCoord(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -(1 << 27), 1 << 27)); }

// Paints into the off-screen DC, whose (0,0) shows text position `origin`. `areaWidth` is the
// width lines are aligned in; `visible` the size of the part of the area the bitmap holds.
struct TextPos {
    std::int64_t x = 0, y = 0;
};

class MarkupPainter {
public:
    MarkupPainter(TElHTMLRender& render, GdiTextMeasurer& gdi, TextPos origin, int areaWidth, SIZE visible,
                  const MarkupOverride& ov, TColor blend)
        : render_(render), data_(render.Data()), gdi_(gdi), dc_(gdi.dc()), origin_(origin),
          width_(areaWidth), visible_(visible), ov_(ov), blend_(blend) {}

    void Paint() {
        std::int64_t y = 0, x = 0;
        const TElHTMLBreakItem* line = nullptr;
        for (auto& owned : data_.Items) {
            TElHTMLItem& item = *owned;
            if (item.IsBreak()) {
                if (line) y += line->Height;
                if (y > static_cast<std::int64_t>(visible_.cy) + origin_.y) return;  // the rest lies below
                line = static_cast<const TElHTMLBreakItem*>(&item);
                x = TElHTMLRender::LineStartX(*line, width_);
                if (item.Kind == ikBullet) PaintBullet(*line, x, y);
                continue;
            }
            if (!line) continue;
            switch (item.Kind) {
                case ikText:
                    if (!RightOfView(x)) PaintText(item, *line, x, y);
                    x += item.Width;
                    break;
                case ikSpacer:
                    x = (item.Flags & hifAbsolute) ? item.Width : x + item.Width;
                    break;
                case ikImage:
                    if (!RightOfView(x)) PaintImage(item, *line, x, y);
                    x += item.Width;
                    break;
                case ikRule:
                    PaintRule(item, *line, x, y);
                    break;
                default:
                    break;
            }
        }
    }

private:
    bool RightOfView(std::int64_t x) const { return x - origin_.x > visible_.cx; }

    COLORREF TextColorOf(const TElHTMLItem& item) {
        TColor c;
        if (&item == data_.SelectedItem) {
            c = ov_.use ? ov_.highlightTextColor : data_.HighlightColor;
        } else {
            c = (ov_.use && item.ColorDepth == 0) ? ov_.textColor : item.Color;
            if (item.Flags & hifLink) c = data_.LinkColor;
        }
        COLORREF rgb = ColorToRGB(c);
        if (blend_ != clNone) rgb = BlendTextColor(rgb, ColorToRGB(blend_));
        return rgb;
    }

    TColor BackgroundOf(const TElHTMLItem& item) const {
        if (&item == data_.SelectedItem) return ov_.use ? ov_.highlightBgColor : data_.HighlightBgColor;
        return (ov_.use && item.ColorDepth == 0) ? ov_.bgColor : item.BgColor;
    }

    void PaintText(const TElHTMLItem& item, const TElHTMLBreakItem& line, std::int64_t x, std::int64_t y) {
        FontDesc font = item.Font();
        if ((item.Flags & hifLink) && &item != data_.SelectedItem) font.style = data_.LinkStyle;
        gdi_.SetFont(font);
        const TColor bg = BackgroundOf(item);
        if (bg == clNone) {
            SetBkMode(dc_, TRANSPARENT);
        } else {
            SetBkMode(dc_, OPAQUE);
            SetBkColor(dc_, ColorToRGB(bg));
        }
        SetTextColor(dc_, TextColorOf(item));
        std::int64_t baseline = y - origin_.y + line.Height - line.Descent;
        if (item.Flags & (hifSuperscript | hifSubscript)) {
            const std::int64_t h = std::abs(static_cast<std::int64_t>(gdi_.Metrics().height));
            baseline += (item.Flags & hifSuperscript) ? -(h / 2) : h / 4;
        }
        DrawRun(item.GetText(), x - origin_.x, GdiCoord(baseline));
    }

    // Long runs go out piece by piece, and only the pieces inside the view: the platform's text
    // output, like its measuring, goes wrong far beyond the 16-bit coordinate range.
    void DrawRun(std::u16string_view text, std::int64_t left, int baseline) {
        if (text.size() <= kMeasurePiece) {
            TextOutW(dc_, GdiCoord(left), baseline, WidePtr(text), static_cast<int>(text.size()));
            return;
        }
        while (!text.empty() && left <= visible_.cx) {
            const std::size_t n = PieceLength(text);
            const std::u16string_view piece = text.substr(0, n);
            const std::int64_t width = gdi_.TextExtent(piece);
            if (left + width >= 0) DrawVisiblePart(piece, left, baseline);
            left += width;
            text.remove_prefix(n);
        }
    }

    // Text output that starts far left of the view loses glyphs with some fonts (Wine's Tahoma
    // shows nothing of a 6000-pixel run started at -5700), so the characters wholly left of the
    // view are left out and the output starts at the first one that reaches into it.
    void DrawVisiblePart(std::u16string_view piece, std::int64_t left, int baseline) {
        if (left < 0) {
            int hidden = 0;
            const std::size_t skip = gdi_.CharsWithin(piece, static_cast<int>(std::min<std::int64_t>(-left, INT_MAX)), hidden);
            piece.remove_prefix(skip);
            left += hidden;
        }
        if (!piece.empty()) TextOutW(dc_, GdiCoord(left), baseline, WidePtr(piece), static_cast<int>(piece.size()));
    }

    void PaintBullet(const TElHTMLBreakItem& bullet, std::int64_t x, std::int64_t y) {
        gdi_.SetFont(bullet.Font());
        const std::int64_t d = std::clamp(gdi_.Metrics().aveCharWidth, 0, 0xFFFF);
        const TColor c = (ov_.use && bullet.ColorDepth == 0) ? ov_.textColor : bullet.Color;
        UniqueGdiHandle brush(CreateSolidBrush(ColorToRGB(c)));
        SelectGuard keep(dc_, brush.get());
        const std::int64_t top = y + bullet.Descent + (bullet.Height - bullet.Descent - d) / 2 - origin_.y;
        Ellipse(dc_, GdiCoord(x - d - 1 - origin_.x), GdiCoord(top), GdiCoord(x - 1 - origin_.x), GdiCoord(top + d));
    }

    void PaintImage(const TElHTMLItem& item, const TElHTMLBreakItem& line, std::int64_t x, std::int64_t y) {
        const TElHTMLImage* image = nullptr;
        render_.ImageNeeded(item.GetText(), image);
        const auto* gdiImage = dynamic_cast<const GdiHTMLImage*>(image);
        if (!gdiImage || !gdiImage->Bitmap()) return;
        UniqueMemoryDC src(CreateCompatibleDC(dc_));
        SelectGuard keep(src.get(), gdiImage->Bitmap());
        const int dx = GdiCoord(x - origin_.x);
        if (item.Transparent) {
            const int w = std::min(item.Width, gdiImage->Width());
            const int h = std::min(item.Height, gdiImage->Height());
            if (w <= 0 || h <= 0) return;
            const COLORREF key = GetPixel(src.get(), 0, gdiImage->Height() - 1);
            GdiTransparentBlt(dc_, dx, GdiCoord(y - origin_.y), w, h, src.get(), 0, 0, w, h, key);
        } else {
            const int bottom = GdiCoord(y + line.Height - origin_.y);
            SetStretchBltMode(dc_, COLORONCOLOR);
            StretchBlt(dc_, dx, bottom - item.Height, item.Width, item.Height, src.get(), 0, 0,
                       gdiImage->Width(), gdiImage->Height(), SRCCOPY);
        }
    }

    void PaintRule(const TElHTMLItem& item, const TElHTMLBreakItem& line, std::int64_t x, std::int64_t y) {
        const std::int64_t right = item.Width ? x + item.Width : std::max(line.Width, width_);
        const int top = GdiCoord(y + line.Height / 2 - origin_.y);
        RECT band{GdiCoord(x - origin_.x), top, GdiCoord(right - origin_.x), top + 1};
        UniqueGdiHandle shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
        UniqueGdiHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
        FillRect(dc_, &band, static_cast<HBRUSH>(shadow.get()));
        OffsetRect(&band, 0, 1);
        FillRect(dc_, &band, static_cast<HBRUSH>(face.get()));
    }

    TElHTMLRender& render_;
    TElHTMLData& data_;
    GdiTextMeasurer& gdi_;
    HDC dc_;
    TextPos origin_;
    int width_;
    SIZE visible_;
    MarkupOverride ov_;
    TColor blend_;
};

}  // namespace

void PaintMarkup(TElHTMLRender& render, HDC canvas, POINT origin, const RECT& rect, TColor blendColor) {
    PaintMarkupEx(render, canvas, origin, rect, MarkupOverride{}, blendColor);
}

void PaintMarkupEx(TElHTMLRender& render, HDC canvas, POINT origin, const RECT& rect,
                   const MarkupOverride& override, TColor blendColor) {
    auto* gdi = dynamic_cast<GdiTextMeasurer*>(&render.Measurer());
    if (!gdi) throw std::logic_error("Markup can only be painted by a render that measures with GDI");
    TElHTMLData& data = render.Data();
    data.LastPaintLeft = rect.left;
    data.LastPaintTop = rect.top;
    data.LastPaintRight = rect.right;
    data.LastPaintBottom = rect.bottom;
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left + 1;
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top + 1;
    if (width <= 0 || height <= 0) return;

    // Only the part of the area the canvas can show goes through the off-screen bitmap, so a
    // long text never asks for a bitmap larger than the surface it is painted on.
    RECT clip{};
    if (GetClipBox(canvas, &clip) == ERROR) return;
    const RECT area{rect.left, rect.top, GdiCoord(rect.left + width), GdiCoord(rect.top + height)};
    RECT shown{};
    if (!IntersectRect(&shown, &area, &clip)) return;
    const SIZE visible{shown.right - shown.left, shown.bottom - shown.top};
    if (!gdi->EnsureBitmap(canvas, visible.cx, visible.cy)) return;

    const HDC dc = gdi->dc();
    BitBlt(dc, 0, 0, visible.cx, visible.cy, canvas, shown.left, shown.top, SRCCOPY);
    const UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const int oldBkMode = GetBkMode(dc);
    const COLORREF oldBk = GetBkColor(dc), oldText = GetTextColor(dc);
    const TextPos shifted{static_cast<std::int64_t>(origin.x) + shown.left - rect.left,
                          static_cast<std::int64_t>(origin.y) + shown.top - rect.top};
    const int areaWidth = static_cast<int>(std::min<std::int64_t>(width, INT_MAX));
    MarkupPainter(render, *gdi, shifted, areaWidth, visible, override, blendColor).Paint();
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldBkMode);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    BitBlt(canvas, shown.left, shown.top, visible.cx, visible.cy, dc, 0, 0, SRCCOPY);
}

}  // namespace trimwell
