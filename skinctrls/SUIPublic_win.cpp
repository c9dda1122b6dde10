#include "skinctrls/SUIPublic_win.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

// One nine-slice drawing, made ready once. A transparent image, whose pieces are all keyed, is
// composed in memory onto the key colour and masked on it as one picture: each paint is then a
// single masked copy, with the same pixels as drawing the pieces one by one, and making it costs
// no platform bitmaps, stretches and masks per piece (milliseconds under Wine at the first
// button's paint). Otherwise each corner is a bitmap of its own and each edge and the centre are
// already stretched to their destination.
class PreparedNineSlice {
public:
    PreparedNineSlice(const Bitmap& source, const TRect& dest, bool transparent)
        : source_(source), dest_(dest), transparent_(transparent) {
        if (transparent && composeInMemory()) return;
        const std::vector<TNineSliceStep> steps = PlanNineSlice(source.Width(), source.Height(), dest);
        if (steps.empty()) return;
        const UniqueHBitmap dib = ToDibSection(source);
        if (!dib) return;
        const WindowDC screen(nullptr);
        const UniqueMemoryDC sourceDC(CreateCompatibleDC(screen.get()));
        const UniqueMemoryDC pieceDC(CreateCompatibleDC(screen.get()));
        const SelectGuard selectedSource(sourceDC.get(), dib.get());
        SetStretchBltMode(pieceDC.get(), COLORONCOLOR);
        for (const TNineSliceStep& step : steps) {
            const TRect& s = step.source;
            const TRect& d = step.dest;
            Piece piece{step, UniqueBitmap(CreateCompatibleBitmap(screen.get(), d.Width(), d.Height())), nullptr};
            {
                const SelectGuard selectedPiece(pieceDC.get(), piece.bitmap.get());
                StretchBlt(pieceDC.get(), 0, 0, d.Width(), d.Height(), sourceDC.get(), s.left, s.top, s.Width(),
                           s.Height(), SRCCOPY);
            }
            if (step.corner && transparent) {
                piece.masked = std::make_unique<TCustomImageList>(d.Width(), d.Height());
                if (piece.masked->AddMasked(piece.bitmap.get(), kKey) < 0) piece.masked.reset();
            }
            pieces_.push_back(std::move(piece));
        }
    }

    bool Matches(const Bitmap& source, const TRect& dest, bool transparent) const {
        return transparent == transparent_ && dest == dest_ && source == source_;
    }

    void Draw(HDC dc) const {
        if (composite_) {
            composite_->Draw(dc, 0, 0, 0);
            return;
        }
        drawPieces(dc);
    }

private:
    // Corners masked only for a transparent image; edges and centre always keyed.
    void drawPieces(HDC dc) const {
        const UniqueMemoryDC pieceDC(CreateCompatibleDC(dc));
        for (const Piece& piece : pieces_) {
            const TRect& d = piece.step.dest;
            if (piece.masked) {
                piece.masked->Draw(dc, d.left, d.top, 0);
                continue;
            }
            const SelectGuard selected(pieceDC.get(), piece.bitmap.get());
            if (piece.step.corner)
                BitBlt(dc, d.left, d.top, d.Width(), d.Height(), pieceDC.get(), 0, 0, SRCCOPY);
            else
                GdiTransparentBlt(dc, d.left, d.top, d.Width(), d.Height(), pieceDC.get(), 0, 0, d.Width(),
                                  d.Height(), kKey);
        }
    }

    bool composeInMemory() {
        const int w = std::max(dest_.right, 0), h = std::max(dest_.bottom, 0);
        if (w == 0 || h == 0) return false;
        Bitmap all;
        try {
            all = Bitmap(w, h, ColorRefToPixel(kKey));
        } catch (const EBitmapError&) {
            return false;  // too large to hold in memory: drawn piece by piece
        }
        RenderNineSlice(source_, all, dest_, true);
        auto list = std::make_unique<TCustomImageList>(w, h);
        if (list->AddMasked(all, kKey) < 0) return false;
        composite_ = std::move(list);
        return true;
    }

    struct Piece {
        TNineSliceStep step;
        UniqueBitmap bitmap;                        // the piece at its drawn size
        std::unique_ptr<TCustomImageList> masked;   // a transparent image's corner
    };
    Bitmap source_;
    TRect dest_;
    bool transparent_;
    std::vector<Piece> pieces_;
    std::unique_ptr<TCustomImageList> composite_;
};

// The few drawings in use (a skin's three frames on buttons of one or two sizes), most recent
// first: every button of a form draws the same frame at start, and each repaint of a state
// draws one it drew before.
const PreparedNineSlice& preparedNineSlice(const Bitmap& source, const TRect& dest, bool transparent) {
    constexpr std::size_t kKept = 12;
    static std::vector<std::unique_ptr<PreparedNineSlice>> kept;
    auto it = std::find_if(kept.begin(), kept.end(),
                           [&](const auto& p) { return p->Matches(source, dest, transparent); });
    if (it == kept.end()) {
        if (kept.size() == kKept) kept.pop_back();
        kept.insert(kept.begin(), std::make_unique<PreparedNineSlice>(source, dest, transparent));
    } else {
        std::rotate(kept.begin(), it, it + 1);
    }
    return *kept.front();
}

}  // namespace

void DrawNineSlice(const Bitmap& source, HDC dc, const TRect& dest, bool transparent) {
    if (source.Empty()) return;
    preparedNineSlice(source, dest, transparent).Draw(dc);
}

}  // namespace trimwell
