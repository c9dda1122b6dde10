#pragma once
// GDI over RAII: GDI objects, device contexts (window, screen, paint, memory), selections and
// off-screen buffers. Each owner releases its handle exactly once with the matching call.
//
//   PaintDC dc(hwnd);                                 // BeginPaint/EndPaint
//   OffscreenBuffer buf(dc.get(), width, height);     // memory DC + compatible bitmap
//   ... draw on buf.dc() ...
//   buf.CopyTo(dc.get(), 0, 0);                       // one block copy to the screen
#include <windows.h>

#include "platform/Handles_win.h"

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
using UniqueGdiHandle = UniqueGdiObject<HGDIOBJ>;
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

// The screen's DC (a window DC of no window), for measuring text and making compatible bitmaps.
class ScreenDC : public WindowDC {
public:
    ScreenDC() : WindowDC(nullptr) {}
};

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

}  // namespace trimwell
