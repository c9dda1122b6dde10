#pragma once
// What a skinned tree view needs of a skinned scroll bar it links: the bar's numbers, its
// LineButton, orientation, style and change event, and the bar as a control to place, show,
// enable and bring to the front.
#include "framework/Controls_win.h"
#include "skin/SUIThemes.h"
#include "skinctrls/SUIBounds.h"

namespace trimwell {

class TsuiLinkedScrollBar {
public:
    virtual ~TsuiLinkedScrollBar() = default;

    virtual TWinControl& BarControl() = 0;

    virtual int Max() const = 0;
    virtual int Min() const = 0;
    virtual int Position() const = 0;
    virtual int LineButton() const = 0;
    virtual void SetMax(int value) = 0;
    virtual void SetMin(int value) = 0;
    virtual void SetPosition(int value) = 0;
    virtual void SetLineButton(int value) = 0;
    virtual void SetSmallChange(int value) = 0;
    virtual void SetOrientation(TsuiProgressBarOrientation orientation) = 0;
    virtual void SetUIStyle(TsuiUIStyle style) = 0;
    // The bar's OnChange; an empty function clears it.
    virtual void SetOnChange(TNotifyEvent handler) = 0;
};

}  // namespace trimwell
