#include "framework/Graphics_win.h"

#include <algorithm>

#include "platform/Text.h"

namespace trimwell {

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

LOGFONTW LogFontFor(std::wstring_view face, int height, TFontStyles style, BYTE charset) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.data(), n, lf.lfFaceName);
    return lf;
}

UniqueFont CreateFontFrom(const TFontDesc& desc) {
    const LOGFONTW lf = LogFontFor(AnsiToWide(desc.name), desc.height, desc.style, DEFAULT_CHARSET);
    return UniqueFont(CreateFontIndirectW(&lf));
}

void TFont::Assign(const TFontDesc& desc) {
    const bool gdiChange = desc.name != desc_.name || desc.height != desc_.height || desc.style != desc_.style;
    desc_ = desc;
    if (gdiChange) handle_.reset();
}

HFONT TFont::Handle() const {
    if (!handle_) handle_ = CreateFontFrom(desc_);
    return handle_.get();
}

void TCanvas::FillRect(const RECT& r, TColor color) const {
    if (color == clNone) return;
    const UniqueBrush brush(CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc_, &r, brush.get());
}

void TCanvas::FrameRect(const RECT& r, TColor color) const {
    if (color == clNone) return;
    const UniqueBrush brush(CreateSolidBrush(ColorToRGB(color)));
    ::FrameRect(dc_, &r, brush.get());
}

int TCanvas::DrawText(std::string_view text, RECT& r, UINT format, const TFont& font) const {
    return DrawTextW(AnsiToWide(text), r, format, font);
}

int TCanvas::DrawTextW(std::wstring_view text, RECT& r, UINT format, const TFont& font) const {
    const SelectGuard selected(dc_, font.Handle());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ColorToRGB(font.Desc().color));
    return ::DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &r, format);
}

SIZE TCanvas::TextExtent(std::string_view text, const TFont& font) const {
    const SelectGuard selected(dc_, font.Handle());
    const std::wstring wide = AnsiToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

}  // namespace trimwell
