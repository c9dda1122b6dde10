#include "skinctrls/SUIScrollBar.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/SUIMgr.h"
#include "skinctrls/SUIPublic.h"
#include "skinctrls/SUIThumb.h"

namespace trimwell {

int ScrollThumbLength(int& lineButton, int pageSize, int trackLength) {
    if (lineButton > 0) {
        lineButton = std::max(lineButton, kMinLineButton);
        return lineButton;
    }
    const int percent = (pageSize < 10 || pageSize > 100) ? 10 : pageSize;
    if (trackLength <= 0) return 0;
    return static_cast<int>(std::int64_t{percent} * trackLength / 100);
}

bool LineButtonFits(int value, int barLength, int startButtonLength, int endButtonLength) {
    return std::int64_t{barLength} - startButtonLength - endButtonLength >= value;
}

TsuiScrollBarLayout LayoutScrollBarParts(TsuiProgressBarOrientation orientation, int barWidth, int barHeight,
                                         TsuiPictureSize startButton, TsuiPictureSize endButton) {
    TsuiScrollBarLayout layout;
    if (barWidth == 0 || barHeight == 0) {
        layout.hide = true;
        return layout;
    }
    if (orientation == TsuiProgressBarOrientation::suiVertical) {
        layout.startButton = {0, 0, startButton.width, startButton.height};
        layout.track = {0, startButton.height, barWidth, barHeight - endButton.height - startButton.height};
        layout.endButton = {0, barHeight - endButton.height, endButton.width, endButton.height};
        layout.barThickness = startButton.width;
    } else {
        layout.startButton = {0, 0, startButton.width, startButton.height};
        layout.track = {startButton.width, 0, barWidth - endButton.width - startButton.width, barHeight};
        layout.endButton = {barWidth - endButton.width, 0, endButton.width, endButton.height};
        layout.barThickness = startButton.height;
    }
    return layout;
}

namespace {

void cutFrames(const Bitmap& strip, int count, Bitmap* frames) {
    for (int i = 0; i < count; ++i) CutBitmapPart(strip, frames[i], i + 1, count);
}

void loadFromTheme(const TsuiFileTheme& theme, TsuiScrollBarPictures& pictures) {
    pictures.color = static_cast<std::uint32_t>(theme.GetColor(kSkin2ScrollBarColor));
    Bitmap pieces[3];
    if (const Bitmap* strip = theme.GetBitmap(kSkin2ScrollBar)) {
        Bitmap turned = *strip;
        RotateLeft(turned);
        cutFrames(turned, 3, pieces);
    }
    pictures.startCap = std::move(pieces[0]);
    pictures.middle = std::move(pieces[1]);
    pictures.endCap = std::move(pieces[2]);
    for (int i = 0; i < 3; ++i) {
        theme.GetBitmap(kSkin2ScrollBarUpButton, pictures.startButton[static_cast<std::size_t>(i)], i + 1, 3);
        theme.GetBitmap(kSkin2ScrollBarDownButton, pictures.endButton[static_cast<std::size_t>(i)], i + 1, 3);
    }
}

void loadFromStyle(TsuiUIStyle style, TsuiScrollBarPictures& pictures) {
    pictures.color = static_cast<std::uint32_t>(GetColor(style, kStyleScrollBarColor));
    GetBitmap(style, kStyleScrollBarTrack, &pictures.startCap, 1, 3);
    GetBitmap(style, kStyleScrollBarTrack, &pictures.middle, 2, 3);
    GetBitmap(style, kStyleScrollBarTrack, &pictures.endCap, 3, 3);
    for (int i = 0; i < 3; ++i) {
        GetBitmap(style, kStyleScrollBarButton, &pictures.startButton[static_cast<std::size_t>(i)], i + 1, 6);
        GetBitmap(style, kStyleScrollBarButton, &pictures.endButton[static_cast<std::size_t>(i)], i + 4, 6);
    }
}

}  // namespace

TsuiScrollBarPictures LoadScrollBarPictures(const TsuiFileTheme* theme, TsuiUIStyle style,
                                            TsuiProgressBarOrientation orientation) {
    const bool vertical = orientation == TsuiProgressBarOrientation::suiVertical;
    TsuiScrollBarPictures pictures;
    TsuiUIStyle effective = style;
    pictures.fromFileTheme = UsingFileTheme(theme, style, effective);
    if (pictures.fromFileTheme)
        loadFromTheme(*theme, pictures);
    else
        loadFromStyle(effective, pictures);
    // Button pictures are drawn for a vertical bar, thumb pieces for a horizontal one.
    if (!vertical)
        for (auto* set : {&pictures.startButton, &pictures.endButton})
            for (Bitmap& frame : *set) RotateLeft(frame);
    if (vertical)
        for (Bitmap* piece : {&pictures.startCap, &pictures.middle, &pictures.endCap}) RotateRight(*piece);
    return pictures;
}

void FillKeyColorWithBarColor(TsuiScrollBarPictures& pictures) {
    if ((pictures.color & 0xFF000000u) != 0) return;  // no colour, or a system colour index
    const std::uint32_t key = ColorRefToPixel(kSkinKeyColor) & 0x00FFFFFFu;
    const std::uint32_t fill = ColorRefToPixel(pictures.color);
    std::vector<Bitmap*> all{&pictures.startCap, &pictures.middle, &pictures.endCap};
    for (auto* set : {&pictures.startButton, &pictures.endButton})
        for (Bitmap& frame : *set) all.push_back(&frame);
    for (Bitmap* b : all)
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                if ((b->Pixel(x, y) & 0x00FFFFFFu) == key) b->SetPixel(x, y, fill);
}

}  // namespace trimwell
