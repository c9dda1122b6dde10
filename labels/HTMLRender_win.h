#pragma once
// GDI side of the markup renderer: measuring with the real fonts on a memory device context,
// and painting laid-out markup through an off-screen bitmap.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics_win.h"
#include "labels/HTMLRender.h"
#include "platform/Text.h"

namespace trimwell {

class GdiTextMeasurer final : public TextMeasurer {
public:
    GdiTextMeasurer();
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    void SetFont(const FontDesc& font) override;
    FontMetrics Metrics() override;
    int TextExtent(std::u16string_view text) override;
    int LogPixelsY() override;
    // How many of the first characters of `text` end at or before `extent`, and where the last of
    // them ends (0 and 0 when none does).
    std::size_t CharsWithin(std::u16string_view text, int extent, int& endsAt);

    // The memory DC that measures and, with the off-screen bitmap selected, paints.
    HDC dc() const { return dc_.get(); }
    // Makes the off-screen bitmap at least width x height, compatible with `like`; false when
    // the platform cannot make one that large.
    bool EnsureBitmap(HDC like, int width, int height);

private:
    struct CachedFont {
        std::u16string name;
        int height;
        TFontStyles style;
        std::uint8_t charset;
        UniqueGdiHandle font;
        TEXTMETRICW metrics;
    };
    void SelectCached(std::size_t index);

    UniqueMemoryDC dc_;
    HGDIOBJ savedBitmap_ = nullptr;
    HGDIOBJ savedFont_ = nullptr;
    UniqueGdiHandle bitmap_;
    int bitmapWidth_ = 0, bitmapHeight_ = 0;
    std::vector<CachedFont> fonts_;
    std::size_t current_ = SIZE_MAX;
    int logPixelsY_ = 0;
};

// A picture for <img>: the render borrows the bitmap, the owner keeps it alive.
class GdiHTMLImage final : public TElHTMLImage {
public:
    explicit GdiHTMLImage(HBITMAP bitmap);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    HBITMAP Bitmap() const { return bitmap_; }

private:
    HBITMAP bitmap_;
    int width_ = 0, height_ = 0;
};

std::unique_ptr<TElHTMLRender> MakeGdiHTMLRender();

// Paints the current data of a render made by MakeGdiHTMLRender. `origin` scrolls the text
// inside `rect`; a blend colour of clNone means no blending.
void PaintMarkup(TElHTMLRender& render, HDC canvas, POINT origin, const RECT& rect, TColor blendColor);

struct MarkupOverride {
    bool use = false;
    TColor textColor = 0, bgColor = 0, highlightTextColor = 0, highlightBgColor = 0;
};
void PaintMarkupEx(TElHTMLRender& render, HDC canvas, POINT origin, const RECT& rect,
                   const MarkupOverride& override, TColor blendColor);

// Half-way blend of a text colour against a background: darker on light backgrounds,
// lighter on dark ones.
COLORREF BlendTextColor(COLORREF text, COLORREF blend);

}  // namespace trimwell
