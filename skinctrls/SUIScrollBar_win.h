#pragma once
// TsuiScrollBar: a scroll bar of skinned parts, an arrow button at each end and between them a
// track on which a thumb picture slides, the thumb composed for any length from three pieces.
//
//   Row<TsuiScrollBar>("suiScrollBar", "", {{"Orientation", std::int64_t{1}},   // vertical
//                                           {"UIStyle", std::string("Protein")},
//                                           {"SmallChange", std::int64_t{5}}, ...})
//   bar.SetOnChange([](TComponent& track) { ... });   // the sender is the track
// The arrows step only while held: the first step 100 ms after the press, then every 100 ms.
#include <windows.h>

#include <cstdint>

#include "framework/Bitmap.h"
#include "framework/Controls_win.h"
#include "skin/SUIMgr.h"
#include "skinctrls/SUIButton_win.h"
#include "skinctrls/SUIScrollBar.h"
#include "skinctrls/SUIScrollBarLink_win.h"
#include "skinctrls/SUITrackBar_win.h"

namespace trimwell {

class TsuiScrollBar : public TCustomControl, public TsuiFileThemeUser, public TsuiLinkedScrollBar {
public:
    explicit TsuiScrollBar(TComponent* owner);

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    TWinControl& BarControl() override { return *this; }
    int Max() const override { return track_->Max(); }
    int Min() const override { return track_->Min(); }
    int Position() const override { return track_->Position(); }
    int LineButton() const override { return lineButton_; }
    void SetMax(int value) override { track_->SetMax(value); }
    void SetMin(int value) override { track_->SetMin(value); }
    void SetPosition(int value) override;
    void SetLineButton(int value) override;
    void SetSmallChange(int value) override { smallChange_ = static_cast<std::int16_t>(value); }
    int SmallChange() const { return smallChange_; }
    // LargeChange and PageSize are one value, the track's page size.
    int LargeChange() const { return track_->PageSize(); }
    void SetLargeChange(int value) { track_->SetPageSize(value); }
    int PageSize() const { return track_->PageSize(); }
    void SetPageSize(int value);
    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation orientation) override;
    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme* FileTheme() const override { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* theme) override;
    void SetOnChange(TNotifyEvent handler) override { track_->OnChange = std::move(handler); }

    // Pictures for the current style and orientation.
    void LoadSkin();
    // Buttons at the ends, the track between them, then the thumb.
    void LayoutParts();
    // The thumb picture for the current length.
    void BuildThumb();

    TsuiScrollTrackBar& Track() { return *track_; }
    TsuiImageButton& StartButton() { return *startButton_; }
    TsuiImageButton& EndButton() { return *endButton_; }

    void Notification(TComponent& component, TOperation operation) override;

protected:
    void BoundsChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    int lengthOf(const TControl& c) const { return vertical() ? c.Height() : c.Width(); }
    void step(int delta) { track_->SetPosition(track_->Position() + delta); }

    TsuiScrollTrackBar* track_ = nullptr;
    TsuiImageButton* startButton_ = nullptr;
    TsuiImageButton* endButton_ = nullptr;
    Bitmap startCap_, middle_, endCap_;
    bool fromFileTheme_ = false;
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    std::int16_t smallChange_ = 1;
    int lineButton_ = 0;
    bool layingOut_ = false;
};

}  // namespace trimwell
