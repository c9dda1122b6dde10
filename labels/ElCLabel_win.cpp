#include "labels/ElCLabel_win.h"

#include "framework/HintText.h"
#include "framework/Menus_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {
std::wstring_view AsWide(std::u16string_view s) { return {WidePtr(s), s.size()}; }
TElFString FromWide(std::wstring_view w) { return TElFString(reinterpret_cast<const char16_t*>(w.data()), w.size()); }
}  // namespace

TCustomElLabel::TCustomElLabel(TComponent* owner) : TGraphicControl(owner) {}

const PropertyTable& TCustomElLabel::StaticPublished() {
    static const PropertyTable table =
        Inherit(TGraphicControl::StaticPublished(),
                {
                    Prop<TCustomElLabel>("Alignment", &TCustomElLabel::SetAlignment),
                    Prop<TCustomElLabel>("AutoSize", &TCustomElLabel::SetAutoSize),
                    Prop<TCustomElLabel>("BorderWidth", &TCustomElLabel::SetBorderWidth),
                    Prop<TCustomElLabel>("EndEllipsis", &TCustomElLabel::SetEndEllipsis),
                    Prop<TCustomElLabel>("Layout", &TCustomElLabel::SetLayout),
                    Prop<TCustomElLabel>("ShowAccelChar", &TCustomElLabel::SetShowAccelChar),
                    Prop<TCustomElLabel>("Transparent", &TCustomElLabel::SetTransparent),
                    Prop<TCustomElLabel>("UseXPThemes", &TCustomElLabel::SetUseXPThemes),
                    Prop<TCustomElLabel>("WordWrap", &TCustomElLabel::SetWordWrap),
                    Prop<TCustomElLabel>("WideCaption", &TCustomElLabel::SetCaptionW),
                    Prop<TCustomElLabel>("WideHint", &TCustomElLabel::SetHintW),
                    Prop<TCustomElLabel>("Hint", &TCustomElLabel::SetHintAnsi),
                    RefProp<TCustomElLabel>("PopupMenu", &TCustomElLabel::SetPopupMenu),
                });
    return table;
}
const PropertyTable& TCustomElLabel::Published() const { return StaticPublished(); }

void TCustomElLabel::SetCaption(const TElFString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    const std::string ansi = WideToAnsi(AsWide(caption_));
    if (ansi != TControl::Caption()) {
        TControl::SetText(ansi);  // announces the change (repaint and bounds)
    } else {
        AdjustBounds();
        Invalidate();
    }
}

void TCustomElLabel::SetCaptionW(std::wstring caption) { SetCaption(FromWide(caption)); }

void TCustomElLabel::SetCaptionAnsi(std::string_view caption) { SetCaption(FromWide(AnsiToWide(caption))); }

void TCustomElLabel::NameChanged(const std::string& oldName) {
    TGraphicControl::NameChanged(oldName);
    const auto* ownerControl = dynamic_cast<const TControl*>(Owner());
    if (IsLoading() || (ownerControl != nullptr && ownerControl->IsLoading())) return;
    if (caption_ == FromWide(AnsiToWide(oldName))) SetCaptionAnsi(Name());
}

void TCustomElLabel::TextChanged() {
    // The 8-bit caption was set directly: the wide caption takes it over.
    if (WideToAnsi(AsWide(caption_)) != TControl::Caption()) caption_ = FromWide(AnsiToWide(TControl::Caption()));
    AdjustBounds();
    TGraphicControl::TextChanged();
}

void TCustomElLabel::SetHint(const TElFString& hint) {
    hint_ = hint;
    TControl::SetHint(PackHint(WideToAnsi(AsWide(hint_)), hint_));
}

void TCustomElLabel::SetHintW(std::wstring hint) { SetHint(FromWide(hint)); }

void TCustomElLabel::SetHintAnsi(std::string hint) { SetHint(FromWide(AnsiToWide(hint))); }

bool TCustomElLabel::HintShow(std::string& hintText) {
    if (hint_.empty()) return false;
    // The window asked for the short hint unless it was handed something else on the way.
    const std::u16string_view shortHint = ShortHint(std::u16string_view(hint_));
    const std::u16string_view shown = hintText == WideToAnsi(AsWide(shortHint)) ? shortHint : std::u16string_view(hint_);
    hintText = PackHint(WideToAnsi(AsWide(shown)), shown);
    return true;
}

void TCustomElLabel::SetBorderWidth(int v) {
    if (v == frame_.borderWidth) return;
    frame_.borderWidth = v;
    AdjustBounds();
    Invalidate();
}

void TCustomElLabel::SetTransparent(bool v) {
    if (v == frame_.transparent) return;
    frame_.transparent = v;
    Invalidate();
}

void TCustomElLabel::SetEndEllipsis(bool v) {
    if (v == endEllipsis_) return;
    endEllipsis_ = v;
    Invalidate();
}

void TCustomElLabel::SetAlignment(TLabelAlignment v) {
    if (v == frame_.alignment) return;
    frame_.alignment = v;
    Invalidate();
}

void TCustomElLabel::SetAutoSize(bool v) {
    if (v == autoSize_) return;
    autoSize_ = v;
    AdjustBounds();
}

void TCustomElLabel::SetLayout(TTextLayout v) {
    if (v == frame_.layout) return;
    frame_.layout = v;
    Invalidate();
}

void TCustomElLabel::SetWordWrap(bool v) {
    if (v == frame_.wordWrap) return;
    frame_.wordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomElLabel::SetShowAccelChar(bool v) {
    if (v == showAccelChar_) return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TCustomElLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TCustomElLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

LabelFrame TCustomElLabel::Frame() const {
    LabelFrame f = frame_;
    f.width = Width();
    f.height = Height();
    f.color = Color();
    return f;
}

ElLabelLook TCustomElLabel::PlainLook() const {
    ElLabelLook look;
    look.enabled = Enabled();
    look.showAccelChar = showAccelChar_;
    look.endEllipsis = endEllipsis_;
    look.fontColor = Font().Desc().color;
    return look;
}

void TCustomElLabel::DoDrawText(HDC dc, RECT& r, UINT flags) { ElLabelDrawText(dc, caption_, r, flags, PlainLook()); }

void TCustomElLabel::Paint(TCanvas& canvas) {
    PaintPlainLabel(canvas.Handle(), Font().Handle(), Frame(),
                    [this](HDC dc, RECT& r, UINT flags) { DoDrawText(dc, r, flags); });
}

void TCustomElLabel::AdjustBounds() {
    if (IsLoading() || !autoSize_) return;
    ScreenDC screen;
    SelectGuard keep(screen.get(), Font().Handle());
    RECT r = ClientRect();
    DoDrawText(screen.get(), r, (frame_.wordWrap ? DT_WORDBREAK : 0) | DT_EXPANDTABS | DT_CALCRECT);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (frame_.borderWidth != 0) {
        width += 2 * frame_.borderWidth;
        height += 2 * frame_.borderWidth;
    }
    const int left = frame_.alignment == laRight ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}

}  // namespace trimwell
