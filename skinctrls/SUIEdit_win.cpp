#include "skinctrls/SUIEdit_win.h"

#include "framework/Layout.h"
#include "skinctrls/SUIStyleProperty.h"

namespace trimwell {

TsuiEdit::TsuiEdit(TComponent* owner) : TsuiBorderedControl<TEdit>(owner) { SetUIStyle(DefaultUIStyle(owner)); }

const PropertyTable& TsuiEdit::StaticPublished() {
    static const PropertyTable table = PublishedAhead(
        {
            RefProp<TsuiEdit>("FileTheme", &TsuiEdit::SetFileTheme),
            UIStyleProp<TsuiEdit>(&TsuiEdit::SetUIStyle),
            Prop<TsuiEdit>("BorderColor", &TsuiEdit::SetBorderColor),
            Prop<TsuiEdit>("AutoSize", &TsuiEdit::SetAutoSize),
            Prop<TsuiEdit>("BorderStyle", &TsuiEdit::SetBorderStyle),
            Prop<TsuiEdit>("BorderWidth", &TsuiEdit::SetBorderWidth),
        },
        TEdit::StaticPublished());
    return table;
}
const PropertyTable& TsuiEdit::Published() const { return StaticPublished(); }

}  // namespace trimwell
