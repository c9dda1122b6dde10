// Skin pictures of any size (they come from skin archives) through the scroll bar's
// composition, and track numbers of any value through its geometry: nothing may be read or
// written outside a picture, and nothing may overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "skinctrls/SUIScrollBar.h"
#include "skinctrls/SUIThumb.h"
#include "skinctrls/SUITrackBar.h"
#include "skinctrls/SUITreeView.h"

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int Int() {
        std::int32_t v = 0;
        const std::size_t n = size_ < 4 ? size_ : 4;
        std::memcpy(&v, data_, n);
        data_ += n;
        size_ -= n;
        return v;
    }
    int Small(int limit) { return static_cast<int>(static_cast<std::uint32_t>(Int()) % static_cast<std::uint32_t>(limit)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

trimwell::Bitmap piece(Input& in) {
    trimwell::Bitmap b(in.Small(40), in.Small(40));
    for (auto& p : b.Pixels()) p = static_cast<std::uint32_t>(in.Int());
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trimwell;
    Input in(data, size);
    Bitmap start = piece(in), middle = piece(in), end = piece(in);
    const int length = in.Small(700) - 50;
    const auto orientation = in.Small(2) ? TsuiProgressBarOrientation::suiVertical : TsuiProgressBarOrientation::suiHorizontal;
    const auto source = in.Small(2) ? TsuiThumbSource::FileTheme : TsuiThumbSource::BuiltInStyle;
    RotateLeft(start);
    RotateRight(end);
    const Bitmap thumb = ComposeThumb(start, middle, end, length, orientation, source);
    if (!thumb.Empty() && (thumb.Width() > 40 && thumb.Height() > 700)) __builtin_trap();

    const int a = in.Int(), b = in.Int(), c = in.Int(), d = in.Int(), e = in.Int(), f = in.Int();
    (void)TrackThumbAlong(a, b, c, d, e);
    (void)TrackThumbAcross(a, f);
    (void)TrackPositionFromPoint(a, b, c, d, e, f);
    (void)PageClickTarget(a, b, c, d, e);
    TsuiTrackState track;
    track.SetMax(a);
    track.SetMin(b);
    track.SetPageSize(c);
    track.SetPosition(d);
    if (track.Position() < track.Min() || track.Position() > track.Max()) __builtin_trap();
    // Window geometry: sizes and places a window can have.
    const int g[6] = {in.Small(200001) - 100000, in.Small(200001) - 100000, in.Small(200001) - 100000,
                      in.Small(200001) - 100000, in.Small(200001) - 100000, in.Small(200001) - 100000};
    int lineButton = a;
    (void)ScrollThumbLength(lineButton, b, c);
    (void)LineButtonFits(a, b, c, d);
    (void)LayoutScrollBarParts(orientation, g[0], g[1], {g[2], g[3]}, {g[4], g[5]});
    (void)PlanScrollBarSync(TsuiNativeBarInfo{static_cast<std::uint32_t>(a), b, c}, true,
                            {d, e, static_cast<unsigned>(f), a});
    TsuiLinkedBarBox v{{g[0], g[1], g[2], g[3]}, true}, h{{g[4], g[5], g[0], g[1]}, (a & 2) != 0};
    LayoutLinkedScrollBars({g[2], g[3], g[4], g[5]}, a & 1, &v, &h);
    return 0;
}
