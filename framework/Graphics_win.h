#pragma once
// The framework's colours and fonts on GDI: the colour conversion, fonts made on first use, and
// a small canvas that draws with a control's font and colours.
//
//   PaintDC dc(hwnd);                                 // BeginPaint/EndPaint
//   OffscreenBuffer buf(dc.get(), width, height);     // memory DC + compatible bitmap
//   TCanvas canvas(buf.dc());  canvas.SetFont(font);  canvas.FillRect(r, color);
//   buf.CopyTo(dc.get(), 0, 0);                       // one block copy to the screen
#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Graphics.h"
#include "platform/Gdi_win.h"

namespace trimwell {

// The colour in 0x00BBGGRR, system colours looked up.
COLORREF ColorToRGB(TColor color);

// Creates the GDI font of a description (8-bit face name in the system code page).
// The font description GDI is asked for: face (cut to what LOGFONT holds), height, style, charset.
LOGFONTW LogFontFor(std::wstring_view face, int height, TFontStyles style, BYTE charset);
UniqueFont CreateFontFrom(const TFontDesc& desc);

// A font description with its GDI font made on first use and remade after a change.
class TFont {
public:
    TFont() = default;
    explicit TFont(TFontDesc desc) : desc_(std::move(desc)) {}
    TFont(const TFont& o) : desc_(o.desc_) {}
    TFont& operator=(const TFont& o) { Assign(o.desc_); return *this; }

    const TFontDesc& Desc() const { return desc_; }
    void Assign(const TFontDesc& desc);
    void SetName(const std::string& name) { auto s = desc_; s.name = name; Assign(s); }
    void SetHeight(int height) { auto s = desc_; s.height = height; Assign(s); }
    void SetStyle(TFontStyles style) { auto s = desc_; s.style = style; Assign(s); }
    void SetColor(TColor color) { desc_.color = color; }
    HFONT Handle() const;

private:
    TFontDesc desc_;
    mutable UniqueFont handle_;
};

// Drawing on a DC with the framework's colours and fonts.
class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}
    HDC Handle() const { return dc_; }
    void FillRect(const RECT& r, TColor color) const;
    void FrameRect(const RECT& r, TColor color) const;
    // DrawText of 8-bit text with the font's colour, background transparent. Returns the height.
    int DrawText(std::string_view text, RECT& r, UINT format, const TFont& font) const;
    int DrawTextW(std::wstring_view text, RECT& r, UINT format, const TFont& font) const;
    SIZE TextExtent(std::string_view text, const TFont& font) const;

private:
    HDC dc_;
};

}  // namespace trimwell
