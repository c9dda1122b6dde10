#pragma once
// TsuiEdit: the platform's one-line edit box with a flat two-ring border (BorderColor around
// the box's own Color) over a two-pixel inset instead of the 3-D edge.
//
// A style change writes BorderColor, so whichever of the two a layout applies last wins: the
// published order puts UIStyle before BorderColor, so a stored BorderColor stays, and a FileTheme
// attached afterwards replaces it with the theme's.
#include "framework/StdCtrls_win.h"
#include "skinctrls/SUIBorderedControl_win.h"

namespace trimwell {

class TsuiEdit : public TsuiBorderedControl<TEdit> {
public:
    explicit TsuiEdit(TComponent* owner);

    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // Stored by layouts; the box keeps the height it is given.
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    bool AutoSize() const { return autoSize_; }

protected:
    // Runs after every style change; a derived box may restyle more than its border.
    virtual void UIStyleChanged() {}
    void StyleChanged(TsuiUIStyle) override { UIStyleChanged(); }

private:
    bool autoSize_ = true;
};

}  // namespace trimwell
