#include "skinctrls/SUIScrollBar_win.h"

#include "skinctrls/SUIStyleProperty.h"
#include "skinctrls/SUIThumb.h"

namespace trimwell {

TsuiScrollBar::TsuiScrollBar(TComponent* owner) : TCustomControl(owner) {
    track_ = &Add<TsuiScrollTrackBar>();
    track_->SetParent(this);
    track_->SetMax(100);
    startButton_ = &Add<TsuiImageButton>();
    endButton_ = &Add<TsuiImageButton>();
    for (TsuiImageButton* button : {startButton_, endButton_}) {
        button->SetParent(this);
        button->SetMouseContinuouslyDownInterval(kArrowRepeatIntervalMs);
        button->SetTabStop(false);
    }
    startButton_->OnMouseContinuouslyDown = [this](TComponent&) { step(-smallChange_); };
    endButton_->OnMouseContinuouslyDown = [this](TComponent&) { step(smallChange_); };
    // A panel's width; a bar without width or height would hide itself at its first layout.
    SetBounds(Left(), Top(), 185, 185);
    uiStyle_ = DefaultUIStyle(owner);
    track_->SetColor(Color());
    LoadSkin();
    LayoutParts();
}

const PropertyTable& TsuiScrollBar::StaticPublished() {
    static const PropertyTable table = PublishInOrder(TCustomControl::StaticPublished(), {
        RefProp<TsuiScrollBar>("FileTheme", &TsuiScrollBar::SetFileTheme),
        Prop<TsuiScrollBar>("LineButton", &TsuiScrollBar::SetLineButton),
        Prop<TsuiScrollBar>("Orientation", &TsuiScrollBar::SetOrientation),
        UIStyleProp<TsuiScrollBar>(&TsuiScrollBar::SetUIStyle),
        Prop<TsuiScrollBar>("Max", &TsuiScrollBar::SetMax),
        Prop<TsuiScrollBar>("Min", &TsuiScrollBar::SetMin),
        Prop<TsuiScrollBar>("Position", &TsuiScrollBar::SetPosition),
        Prop<TsuiScrollBar>("SmallChange", &TsuiScrollBar::SetSmallChange),
        Prop<TsuiScrollBar>("LargeChange", &TsuiScrollBar::SetLargeChange),
        Prop<TsuiScrollBar>("PageSize", &TsuiScrollBar::SetPageSize),
    }, {"FileTheme", "LineButton", "Orientation", "UIStyle", "Max", "Min", "Position", "SmallChange", "LargeChange",
        "PageSize", "Color", "Constraints.MinWidth", "Constraints.MaxWidth", "Constraints.MinHeight",
        "Constraints.MaxHeight", "Enabled", "ShowHint", "Visible"});
    return table;
}
const PropertyTable& TsuiScrollBar::Published() const { return StaticPublished(); }

void TsuiScrollBar::SetPosition(int value) {
    if (value != track_->Position()) track_->SetPosition(value);
}

void TsuiScrollBar::SetPageSize(int value) {
    track_->SetPageSize(value);
    BuildThumb();
}

void TsuiScrollBar::SetLineButton(int value) {
    if (value == lineButton_) return;
    if (!LineButtonFits(value, lengthOf(*this), lengthOf(*startButton_), lengthOf(*endButton_))) return;
    lineButton_ = value;
    BuildThumb();
}

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    LoadSkin();
    LayoutParts();
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    track_->SetColor(Color());
    LoadSkin();
    LayoutParts();
}

void TsuiScrollBar::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_ = theme;
    if (theme != nullptr) FreeNotification(theme);
    SetUIStyle(uiStyle_);
}

void TsuiScrollBar::Notification(TComponent& component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && fileTheme_ != nullptr && &component == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

void TsuiScrollBar::LoadSkin() {
    TsuiScrollBarPictures pictures = LoadScrollBarPictures(fileTheme_, uiStyle_, orientation_);
    FillKeyColorWithBarColor(pictures);
    fromFileTheme_ = pictures.fromFileTheme;
    // A theme without the colour (-1) leaves the bar's own.
    if (pictures.color != 0xFFFFFFFFu) SetColor(static_cast<TColor>(pictures.color));
    startCap_ = std::move(pictures.startCap);
    middle_ = std::move(pictures.middle);
    endCap_ = std::move(pictures.endCap);
    const auto dress = [](TsuiImageButton& button, const std::array<Bitmap, 3>& frames) {
        button.SetPicMouseOn(frames[1]);
        button.SetPicMouseDown(frames[2]);
        button.SetAutoSize(true);
        button.SetPicNormal(frames[0]);
    };
    dress(*startButton_, pictures.startButton);
    dress(*endButton_, pictures.endButton);
    Invalidate();
}

void TsuiScrollBar::LayoutParts() {
    if (layingOut_) return;
    layingOut_ = true;
    track_->SetOrientation(orientation_);
    const TsuiScrollBarLayout layout =
        LayoutScrollBarParts(orientation_, Width(), Height(), {startButton_->Width(), startButton_->Height()},
                             {endButton_->Width(), endButton_->Height()});
    if (layout.hide) {
        Hide();
        layingOut_ = false;
        return;
    }
    const auto place = [](TControl& c, const TsuiBounds& b) { c.SetBounds(b.left, b.top, b.width, b.height); };
    place(*startButton_, layout.startButton);
    place(*track_, layout.track);
    place(*endButton_, layout.endButton);
    if (vertical())
        SetBounds(Left(), Top(), layout.barThickness, Height());
    else
        SetBounds(Left(), Top(), Width(), layout.barThickness);
    layingOut_ = false;
    BuildThumb();
}

void TsuiScrollBar::BuildThumb() {
    const int length = ScrollThumbLength(lineButton_, PageSize(), lengthOf(*track_));
    const TsuiThumbSource source = fromFileTheme_ ? TsuiThumbSource::FileTheme : TsuiThumbSource::BuiltInStyle;
    track_->SetThumb(ComposeThumb(startCap_, middle_, endCap_, length, orientation_, source));
}

void TsuiScrollBar::BoundsChanged() {
    TCustomControl::BoundsChanged();
    LayoutParts();
}

void TsuiScrollBar::ColorChanged() {
    TCustomControl::ColorChanged();
    track_->SetColor(Color());
}

void TsuiScrollBar::VisibleChanged() {
    TCustomControl::VisibleChanged();
    for (TControl* part : {static_cast<TControl*>(track_), static_cast<TControl*>(startButton_),
                           static_cast<TControl*>(endButton_)})
        part->SetVisible(Visible());
}

LRESULT TsuiScrollBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) return 1;
    return TCustomControl::WndProc(msg, wp, lp);
}

}  // namespace trimwell
