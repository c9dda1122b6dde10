#pragma once
// A scroll bar for the tree to link while the skinned bar's arrow buttons are not there: a
// plain custom-painted window that keeps its numbers the way the skinned track does and counts
// its change events.
#include "framework/Controls_win.h"
#include "skinctrls/SUIScrollBar.h"
#include "skinctrls/SUIScrollBarLink_win.h"
#include "skinctrls/SUITrackBar.h"

namespace trimwell::test {

class TLinkedBarDouble : public TCustomControl, public TsuiLinkedScrollBar {
public:
    static constexpr int kArrowLength = 16;
    static constexpr TColor kFace = 0x0000C000;

    explicit TLinkedBarDouble(TComponent* owner) : TCustomControl(owner) {
        SetBounds(0, 0, 16, 185);
        track_.SetMax(100);
    }
    const PropertyTable& Published() const override { return TWinControl::StaticPublished(); }

    TWinControl& BarControl() override { return *this; }
    int Max() const override { return track_.Max(); }
    int Min() const override { return track_.Min(); }
    int Position() const override { return track_.Position(); }
    int LineButton() const override { return lineButton_; }
    void SetMax(int v) override { notifyIf(track_.SetMax(v)); }
    void SetMin(int v) override { notifyIf(track_.SetMin(v)); }
    void SetPosition(int v) override {
        if (v != track_.Position()) notifyIf(track_.SetPosition(v));
    }
    void SetLineButton(int v) override {
        if (v != lineButton_ && LineButtonFits(v, Height(), kArrowLength, kArrowLength)) lineButton_ = v;
    }
    void SetSmallChange(int v) override { smallChange = v; }
    void SetOrientation(TsuiProgressBarOrientation o) override { orientation = o; }
    void SetUIStyle(TsuiUIStyle s) override { style = s; }
    void SetOnChange(TNotifyEvent handler) override { onChange_ = std::move(handler); }
    bool HasOnChange() const { return static_cast<bool>(onChange_); }

    int changes = 0;
    int smallChange = 1;
    TsuiProgressBarOrientation orientation = TsuiProgressBarOrientation::suiHorizontal;
    TsuiUIStyle style = TsuiUIStyle::Protein;

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), kFace); }

private:
    void notifyIf(bool due) {
        if (!due) return;
        ++changes;
        if (onChange_) onChange_(*this);
    }

    TsuiTrackState track_;
    int lineButton_ = 0;
    TNotifyEvent onChange_;
};

}  // namespace trimwell::test
