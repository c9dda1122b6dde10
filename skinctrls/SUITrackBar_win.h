#pragma once
// The track a skinned scroll bar's thumb slides on.
//
// TsuiImagePanel      a windowed picture panel that sizes itself to its picture and lets the
//                     mouse through to the track under it.
// TsuiTrackBar        Min, Max, Position and page size (TsuiTrackState) with a slider panel
//                     placed by them; dragging the slider snaps to whole positions, a press
//                     beside it pages towards the pointer and repeats every 100 ms while held.
// TsuiScrollTrackBar  the scroll bar's track: never focused, no ticks, opaque slider.
//
//   TsuiScrollTrackBar& track = bar.Add<TsuiScrollTrackBar>();
//   track.SetParent(&bar);
//   track.OnChange = [](TComponent& sender) { ... };   // sender: the track
#include <windows.h>

#include <optional>

#include "framework/Bitmap.h"
#include "framework/Bitmap_win.h"
#include "framework/Controls_win.h"
#include "skinctrls/SUIBounds.h"
#include "platform/Timer_win.h"
#include "skinctrls/SUITrackBar.h"

namespace trimwell {

class TsuiImagePanel : public TCustomControl {
public:
    explicit TsuiImagePanel(TComponent* owner);
    void SetPicture(const Bitmap& picture);
    const Bitmap& Picture() const { return picture_; }

protected:
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    Bitmap picture_;
    // The picture as GDI draws it, made once per picture rather than per paint.
    UniqueHBitmap dib_;
};

class TsuiTrackBar : public TCustomControl {
public:
    explicit TsuiTrackBar(TComponent* owner);

    int Min() const { return state_.Min(); }
    int Max() const { return state_.Max(); }
    int Position() const { return state_.Position(); }
    int PageSize() const { return state_.PageSize(); }
    int LastChange() const { return state_.LastChange(); }
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);
    void SetPageSize(int value) { state_.SetPageSize(value); }
    void SetLineSize(int value) { state_.SetLineSize(value); }
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation orientation);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // The thumb picture; the slider takes its size and the track its thickness.
    void SetThumb(const Bitmap& thumb);
    TsuiImagePanel& Slider() { return *slider_; }
    bool Dragging() const { return dragging_; }
    bool PageRepeating() const { return pageTimer_.has_value(); }

    TNotifyEvent OnChange;

protected:
    void Paint(TCanvas& canvas) override;
    void BoundsChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CaptureLost() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    int trackLength() const { return vertical() ? Height() : Width(); }
    int thumbLength() const;
    int along(int x, int y) const { return vertical() ? y : x; }
    int thumbStart() const { return state_.ThumbOffset(trackLength(), thumbLength()); }
    int positionAt(int c) const;
    void placeSlider();
    void changed(bool due);
    void page(int c, int step);
    void stopPaging();

    TsuiTrackState state_;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    bool transparent_ = false;
    TsuiImagePanel* slider_ = nullptr;
    bool dragging_ = false;
    int grabOffset_ = 0;
    std::optional<WindowTimer> pageTimer_;
};

class TsuiScrollTrackBar : public TsuiTrackBar {
public:
    explicit TsuiScrollTrackBar(TComponent* owner);
};

}  // namespace trimwell
