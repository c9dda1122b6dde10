#pragma once
// GDI over RAII: device contexts, GDI objects, selections, off-screen buffers, and a small
// canvas that draws with a control's font and colours.
//
//   PaintDC dc(hwnd);                                 // BeginPaint/EndPaint
//   OffscreenBuffer buf(dc.get(), width, height);     // memory DC + compatible bitmap
//   TCanvas canvas(buf.dc());  canvas.SetFont(font);  canvas.FillRect(r, color);
//   buf.CopyTo(dc.get(), 0, 0);                       // one block copy to the screen
#include <windows.h>

#include <string>
#include <string_view>

#include "framework/Graphics.h"
#include "framework/Handles_win.h"

namespace trimwell {

namespace gdi_detail {
template <typename T>
T nullOf() { return nullptr; }
inline void deleteObject(HGDIOBJ o) { DeleteObject(o); }
inline void deleteDC(HDC dc) { DeleteDC(dc); }
inline void destroyWindow(HWND w) { DestroyWindow(w); }
inline void destroyIcon(HICON i) { DestroyIcon(i); }
}  // namespace gdi_detail

template <typename T>
using UniqueGdiObject = UniqueHandle<T, gdi_detail::deleteObject, gdi_detail::nullOf<T>>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;
using UniqueMemoryDC = UniqueHandle<HDC, gdi_detail::deleteDC, gdi_detail::nullOf<HDC>>;
using UniqueWindow = UniqueHandle<HWND, gdi_detail::destroyWindow, gdi_detail::nullOf<HWND>>;
using UniqueIcon = UniqueHandle<HICON, gdi_detail::destroyIcon, gdi_detail::nullOf<HICON>>;

// A window's DC from GetDC (the client area) or GetWindowDC (the whole window, frame
// included), released with ReleaseDC.
template <HDC(WINAPI* Acquire)(HWND)>
class BasicWindowDC {
public:
    explicit BasicWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(Acquire(hwnd)) {}
    ~BasicWindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    BasicWindowDC(const BasicWindowDC&) = delete;
    BasicWindowDC& operator=(const BasicWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};
using WindowDC = BasicWindowDC<GetDC>;
using WholeWindowDC = BasicWindowDC<GetWindowDC>;

// BeginPaint/EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& dirty() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The screen's device context for the duration of a scope.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// SaveDC/RestoreDC: clip, origin and selections of a scope.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(dc_, id_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int id_;
};

// A memory DC with a bitmap compatible with `reference`, for painting once and copying once.
class OffscreenBuffer {
public:
    OffscreenBuffer(HDC reference, int width, int height);
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    void CopyTo(HDC target, int x, int y) const;

private:
    int width_, height_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;

public:
    ~OffscreenBuffer() { if (oldBitmap_) SelectObject(dc_.get(), oldBitmap_); }
};

// A bitmap resource of the program by name, as a DIB section (null when missing).
UniqueBitmap LoadBitmapResource(const std::string& name);

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

// A file deleted when the owner goes (temporary files of one operation).
class TemporaryFile {
public:
    TemporaryFile() = default;
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    ~TemporaryFile() { if (!path_.empty()) DeleteFileW(path_.c_str()); }
    TemporaryFile(TemporaryFile&& o) noexcept : path_(std::exchange(o.path_, {})) {}
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace trimwell
