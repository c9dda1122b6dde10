#include "skinctrls/SUIPublic_win.h"

#include <algorithm>
#include <cstring>

#include "framework/Bitmap_win.h"
#include "framework/ImageList_win.h"

namespace trimwell {

UniqueRegion RegionFromStrips(const std::vector<TRect>& strips) {
    if (strips.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + strips.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(strips.size());
    header->nRgnSize = static_cast<DWORD>(strips.size() * sizeof(RECT));
    RECT bound{strips.front().left, strips.front().top, strips.front().right, strips.front().bottom};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < strips.size(); ++i) {
        const TRect& s = strips[i];
        rects[i] = RECT{s.left, s.top, s.right, s.bottom};
        bound.left = std::min(bound.left, static_cast<LONG>(s.left));
        bound.top = std::min(bound.top, static_cast<LONG>(s.top));
        bound.right = std::max(bound.right, static_cast<LONG>(s.right));
        bound.bottom = std::max(bound.bottom, static_cast<LONG>(s.bottom));
    }
    header->rcBound = bound;
    return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
}

void SetWindowRegionFromBitmap(HWND window, const Bitmap& picture, TColor transparent) {
    UniqueRegion region = RegionFromStrips(RegionStrips(picture, transparent));
    if (!region) return;
    if (SetWindowRgn(window, region.get(), TRUE) != 0) region.release();
}

void DrawParentBackground(HDC dc, const TControl& control) {
    TWinControl* parent = control.Parent();
    if (parent == nullptr || !parent->HandleAllocated()) return;
    const SavedDC saved(dc);
    OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
    const RECT client = parent->ClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    const HWND window = parent->Handle();
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

// A bitmap compatible with `dc` selected into its own memory DC for one piece.
class PieceBitmap {
public:
    PieceBitmap(HDC dc, int w, int h)
        : dc_(CreateCompatibleDC(dc)), bitmap_(CreateCompatibleBitmap(dc, w, h)), selected_(dc_.get(), bitmap_.get()) {}
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    // The image list takes the bitmap: it must not stay selected into a DC.
    void Deselect() { selected_.reset(); }

private:
    struct Selection {
        Selection(HDC dc, HGDIOBJ obj) : dc(dc), old(SelectObject(dc, obj)) {}
        ~Selection() { reset(); }
        void reset() {
            if (old) SelectObject(dc, old);
            old = nullptr;
        }
        HDC dc;
        HGDIOBJ old;
    };
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    Selection selected_;
};

void drawCorner(HDC dc, HDC source, const TNineSliceStep& step, bool transparent) {
    const TRect& s = step.source;
    const TRect& d = step.dest;
    if (!transparent) {
        BitBlt(dc, d.left, d.top, d.Width(), d.Height(), source, s.left, s.top, SRCCOPY);
        return;
    }
    PieceBitmap piece(dc, s.Width(), s.Height());
    BitBlt(piece.dc(), 0, 0, s.Width(), s.Height(), source, s.left, s.top, SRCCOPY);
    piece.Deselect();
    TCustomImageList list(s.Width(), s.Height());
    const int index = list.AddMasked(piece.bitmap(), kKey);
    if (index >= 0) list.Draw(dc, d.left, d.top, index);
}

void drawStretched(HDC dc, HDC source, const TNineSliceStep& step) {
    const TRect& s = step.source;
    const TRect& d = step.dest;
    PieceBitmap piece(dc, d.Width(), d.Height());
    SetStretchBltMode(piece.dc(), COLORONCOLOR);
    StretchBlt(piece.dc(), 0, 0, d.Width(), d.Height(), source, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
    GdiTransparentBlt(dc, d.left, d.top, d.Width(), d.Height(), piece.dc(), 0, 0, d.Width(), d.Height(), kKey);
}

}  // namespace

void DrawNineSlice(const Bitmap& source, HDC dc, const TRect& dest, bool transparent) {
    const std::vector<TNineSliceStep> steps = PlanNineSlice(source.Width(), source.Height(), dest);
    if (steps.empty()) return;
    const UniqueHBitmap dib = ToDibSection(source);
    if (!dib) return;
    const UniqueMemoryDC sourceDC(CreateCompatibleDC(dc));
    const SelectGuard selected(sourceDC.get(), dib.get());
    for (const TNineSliceStep& step : steps) {
        if (step.corner)
            drawCorner(dc, sourceDC.get(), step, transparent);
        else
            drawStretched(dc, sourceDC.get(), step);
    }
}

}  // namespace trimwell
