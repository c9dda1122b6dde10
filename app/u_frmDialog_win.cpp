#include "u_frmDialog.h"

#include <utility>

#include "EditorColors.h"
#include "EditorResources.h"
#include "platform/Resources_win.h"
#include "u_main.h"

namespace trimwell {

TfrmDialog* frmDialog = nullptr;

namespace {

std::vector<LayoutRow> dialogLayout(TfrmDialog& form) {
    using V = std::vector<std::pair<std::string, PropertyValue>>;
    const auto pos = [](int l, int t, int w, int h) {
        return V{{"Left", std::int64_t{l}}, {"Top", std::int64_t{t}}, {"Width", std::int64_t{w}},
                 {"Height", std::int64_t{h}}};
    };
    const auto with = [](V base, V more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    const V tahoma{{"Font.Name", std::string("Tahoma")}, {"Font.Height", std::int64_t{-11}}};
    return {
        Row<TsuiSkinForm>("suiSkinForm", "", with(pos(0, 0, 391, 171), {{"Glyph", std::string(kDialogPictureName)},
                                                                        {"TransparentColor", kSkinTransparent}}),
                          &form.suiSkinForm),
        Row<TElLabel>("msgLabel", "", with(with(pos(67, 47, 300, 85), tahoma),
                                           {{"AutoSize", false}, {"WordWrap", true},
                                            {"Constraints.MinWidth", std::int64_t{300}},
                                            {"Constraints.MaxWidth", std::int64_t{300}},
                                            {"Constraints.MinHeight", std::int64_t{85}},
                                            {"Constraints.MaxHeight", std::int64_t{85}}}), &form.msgLabel),
        Row<TElLabel>("hdgLabel", "", with(with(pos(67, 28, 280, 20), tahoma),
                                           {{"Caption", std::string("Sorry...")},
                                            {"Font.Style", std::int64_t{fsBold}},
                                            {"AutoSize", false},
                                            {"WordWrap", true}}), &form.hdgLabel),
        Row<TImage>("imgError", "", with(pos(22, 28, 32, 32), {{"AutoSize", true},
                                                               {"Icon", std::string(kWarningIconName)}}),
                    &form.imgError),
        Row<TsuiButton>("btnCloseMain", "", with(with(pos(266, 124, 100, 26), tahoma),
                                                 {{"Caption", std::string("&Cancel")},
                                                  {"Font.Style", std::int64_t{fsBold}},
                                                  {"Font.Color", kButtonText},
                                                  {"FileTheme", Ref{"suiBuiltInFileTheme"}},
                                                  {"UIStyle", std::string("FromThemeFile")},
                                                  {"TabOrder", std::int64_t{0}},
                                                  {"Transparent", true}}), &form.btnCloseMain),
        // The skin, the same as the main window's; the button takes its look from it once every
        // component is in and the references are attached.
        Row<TsuiBuiltInFileTheme>("suiBuiltInFileTheme", "", {{"SkinData", EmbeddedSkinArchive()}},
                                  &form.suiBuiltInFileTheme),
    };
}


}  // namespace

TfrmDialog::TfrmDialog(TComponent* owner) : TForm(owner) {
    SetName("frmDialog");
    ApplyProperties(*this,
                    {{"ClientWidth", std::int64_t{391}},
                     {"ClientHeight", std::int64_t{171}},
                     {"Color", std::int64_t{clBtnFace}},
                     {"Font.Name", std::string("Verdana")},
                     {"Font.Height", std::int64_t{-11}},
                     {"Font.Color", std::int64_t{clWindowText}},
                     {"Caption", std::string("FS DIALOG")},
                     {"KeyPreview", true},
                     {"Scaled", false}},
                    *this);
    LoadLayout(*this, dialogLayout(*this));
    msgLabel->SetCaptionAnsi(LoadResourceString(kSimulatorNotFoundText));
    OnKeyDown = [this](TComponent& s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
    btnCloseMain->OnClick = [this](TComponent& s) { btnCloseMainClick(s); };
}

void TfrmDialog::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.className = L"TfrmDialog";
}

void TfrmDialog::VisibleChanged() {
    if (Visible()) {
        activeBefore_ = GetActiveWindow();
        TForm::VisibleChanged();
        return;
    }
    // Only a notice that still held the activation hands it back: one the user left for another
    // program leaves that program in front.
    const HWND focus = GetFocus();
    const bool hadActivation = HandleAllocated() && (GetActiveWindow() == Handle() || focus == Handle() ||
                                                     IsChild(Handle(), focus));
    TForm::VisibleChanged();
    const HWND back = std::exchange(activeBefore_, nullptr);
    if (hadActivation && back != nullptr && back != Handle() && IsWindowVisible(back) && IsWindowEnabled(back)) {
        SetForegroundWindow(back);
        SetActiveWindow(back);
        giveFocusBack(back);
    }
}

// A window that was still active gets no activation message, so nothing would move the focus
// out of the hidden notice: it goes back to the control that had it.
void TfrmDialog::giveFocusBack(HWND back) {
    const HWND focus = GetFocus();
    if (focus == back || IsChild(back, focus)) return;
    const auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(back));
    TWinControl* control = form ? form->ActiveControl() : nullptr;
    ::SetFocus(control && control->HandleAllocated() && control->CanFocus() ? control->Handle() : back);
}

void TfrmDialog::FormKeyDown(TComponent&, WORD& key, TShiftState) {
    if (key == VK_ESCAPE) Close();
}

void TfrmDialog::btnCloseMainClick(TComponent&) {
    PlayClickSound();
    Close();
}

}  // namespace trimwell
