#include "skinctrls/SUIButton_win.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "framework/Forms_win.h"
#include "framework/ImageList_win.h"
#include "framework/Menus_win.h"
#include "platform/Text.h"
#include "platform/Resources.h"
#include "skinctrls/SUIPublic_win.h"
#include "skinctrls/SUIStyleProperty.h"

namespace trimwell {

namespace {

constexpr UINT_PTR kRepeatTimerId = 0x5B01;
constexpr int kButtonStyleItem = 1;             // the built-in styles' button strip
constexpr int kButtonTransparentStyleItem = 2;  // and whether it is drawn transparent
constexpr TColor kDisabledShadow = 0x00FFFFFF;
constexpr TColor kDisabledText = 0x00808080;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kCentredFormat = DT_CENTER;

// The buttons' published order; the glyph button adds its glyph settings and the resource
// handle in their places.
std::vector<std::string_view> publishedOrder(bool glyphButton) {
    std::vector<std::string_view> order{
        "BiDiMode", "Anchors", "ParentColor", "Font.Color", "Font.Height", "Font.Name", "Font.Style", "PopupMenu",
        "ShowHint", "Caption", "AutoSize", "Visible", "ParentShowHint", "ParentBiDiMode", "ParentFont", "TabStop",
        "FileTheme", "UIStyle", "Cancel", "Default", "Action", "Enabled", "TabOrder", "Transparent", "ModalResult",
        "FocusedRectMargin"};
    if (glyphButton) order.insert(order.end(), {"Glyph", "Layout", "Spacing"});
    order.push_back("MouseContinuouslyDownInterval");
    if (glyphButton) order.push_back("ResHandle");
    return order;
}

bool blankText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

RECT shifted(RECT r, int d) {
    OffsetRect(&r, d, d);
    return r;
}

}  // namespace

// ---------------------------------------------------------------- TsuiCustomButton

TsuiCustomButton::TsuiCustomButton(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    uiStyle_ = DefaultUIStyle(owner);
}

const PropertyTable& TsuiCustomButton::StaticPublished() {
    static const PropertyTable table = PublishInOrder(TCustomControl::StaticPublished(), {
        KeptProp("BiDiMode"),
        KeptProp("Anchors"),
        KeptProp("ParentColor"),
        RefProp<TsuiCustomButton>("PopupMenu", &TControl::SetPopupMenu),
        Prop<TsuiCustomButton>("AutoSize", &TsuiCustomButton::SetAutoSize),
        KeptProp("ParentShowHint"),
        KeptProp("ParentBiDiMode"),
        RefProp<TsuiCustomButton>("FileTheme", &TsuiCustomButton::SetFileTheme),
        UIStyleProp<TsuiCustomButton>(&TsuiCustomButton::SetUIStyle),
        Prop<TsuiCustomButton>("Cancel", &TsuiCustomButton::SetCancel),
        Prop<TsuiCustomButton>("Default", &TsuiCustomButton::SetDefault),
        RefProp<TsuiCustomButton>("Action", &TsuiCustomButton::SetAction),
        Prop<TsuiCustomButton>("Transparent", &TsuiCustomButton::SetTransparent),
        Prop<TsuiCustomButton>("ModalResult", &TsuiCustomButton::SetModalResult),
        Prop<TsuiCustomButton>("FocusedRectMargin", &TsuiCustomButton::SetFocusedRectMargin),
        Prop<TsuiCustomButton>("MouseContinuouslyDownInterval", &TsuiCustomButton::SetMouseContinuouslyDownInterval),
    }, publishedOrder(false));
    return table;
}
const PropertyTable& TsuiCustomButton::Published() const { return StaticPublished(); }

void TsuiCustomButton::SetAutoSize(bool v) {
    autoSize_ = v;
    ApplyAutoSize();
    Invalidate();
}

void TsuiCustomButton::SetDefault(bool v) {
    default_ = v;
    if (!HandleAllocated()) return;
    if (TForm* form = ParentForm()) form->AnnounceFocusChanged();
}

void TsuiCustomButton::SetTransparent(bool v) {
    transparent_ = v;
    TransparentChanged();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style) {
    uiStyle_ = style;
    forgetFrames();
    UIStyleChanged();
    Invalidate();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* theme) {
    fileTheme_ = theme;
    if (theme != nullptr) FreeNotification(theme);
    SetUIStyle(uiStyle_);
}

void TsuiCustomButton::SetFocusedRectMargin(int v) {
    focusedRectMargin_ = v;
    Invalidate();
}

void TsuiCustomButton::SetText(std::string text) {
    TCustomControl::SetText(std::move(text));
    CaptionChanged();
}

void TsuiCustomButton::Notification(TComponent& component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (&component == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
    if (&component == action_) action_ = nullptr;
}

bool TsuiCustomButton::SkinSource(TsuiUIStyle& style) const { return UsingFileTheme(fileTheme_, uiStyle_, style); }

void TsuiCustomButton::ButtonFrame(int frame, Bitmap& target) {
    if (!frames_) {
        std::array<Bitmap, 3> cut;
        TsuiUIStyle style;
        const bool theme = SkinSource(style);
        for (int i = 0; i < 3; ++i) {
            if (theme)
                fileTheme_->GetBitmap(kSkin2Button, cut[static_cast<std::size_t>(i)], i + 1, 3);
            else
                GetBitmap(style, kButtonStyleItem, &cut[static_cast<std::size_t>(i)], i + 1, 3);
        }
        frames_ = std::move(cut);
    }
    target = (*frames_)[static_cast<std::size_t>(std::clamp(frame, 1, 3) - 1)];
}

void TsuiCustomButton::GetNormalImage(Bitmap& target) { ButtonFrame(1, target); }
void TsuiCustomButton::GetMouseOnImage(Bitmap& target) { ButtonFrame(2, target); }
void TsuiCustomButton::GetMouseDownImage(Bitmap& target) { ButtonFrame(3, target); }
void TsuiCustomButton::GetDisabledImage(Bitmap& target) { ButtonFrame(1, target); }

void TsuiCustomButton::ApplyAutoSize() {
    if (!autoSize_) return;
    Bitmap strip;
    if (uiStyle_ != TsuiUIStyle::FromThemeFile) GetBitmap(uiStyle_, kButtonStyleItem, &strip);
    const int height = strip.Height() != 0 ? strip.Height() : 21;
    const int width = strip.Width() != 0 ? strip.Width() : 74;
    SetHeight(height);
    SetWidth(width / 3);
}

void TsuiCustomButton::TransparentChanged() {
    imageTransparent_ = transparent_;
    Invalidate();
}

void TsuiCustomButton::CreateWnd() {
    TCustomControl::CreateWnd();
    activeDefault_ = default_;
}

void TsuiCustomButton::stopRepeat() { repeatTimer_.reset(); }

// Double-buffered: the parent's background (or the colour), the state image, the focus look and
// the caption go into one buffer that is copied once; the background is never erased apart.
void TsuiCustomButton::PaintWindow(HDC dc) {
    OffscreenBuffer buffer(dc, Width(), Height());
    const HDC canvas = buffer.dc();
    Bitmap state;
    try {
        if (!Enabled())
            GetDisabledImage(state);
        else if (pressed_)
            GetMouseDownImage(state);
        else if (mouseOver_)
            GetMouseOnImage(state);
        else
            GetNormalImage(state);
    } catch (const std::exception&) {
        state = Bitmap(74, 21);
    }
    if (transparent_)
        DrawParentBackground(canvas, *this);
    else
        TCanvas(canvas).FillRect(ClientRect(), Color());
    DrawSkin(canvas, state);
    if (Focused() && TabStop()) DrawFocus(canvas);
    if (!blankText(Caption())) DrawCaption(canvas);
    buffer.CopyTo(dc, 0, 0);
}

void TsuiCustomButton::DrawSkin(HDC dc, const Bitmap& stateImage) {
    if (stateImage.Empty()) return;
    TCustomImageList list(stateImage.Width(), stateImage.Height());
    const COLORREF key = imageTransparent_ ? PixelToColorRef(stateImage.Pixel(0, 0)) : CLR_NONE;
    const int index = list.AddMasked(stateImage, key);
    if (index < 0) return;
    if (Enabled())
        list.Draw(dc, 0, 0, index);
    else
        list.DrawGreyed(dc, 0, 0, index);
}

void TsuiCustomButton::DrawCaptionText(HDC dc, RECT r, UINT format, TColor color) const {
    // The control's own font, made once; the bold one of the focus look is kept beside it.
    HFONT font = Font().Handle();
    if (boldCaption_) {
        TFontDesc bold = Font().Desc();
        bold.style |= fsBold;
        if (!(boldFont_.Desc() == bold)) boldFont_.Assign(bold);
        font = boldFont_.Handle();
    }
    const SelectGuard selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(color));
    const std::wstring text = AnsiToWide(Caption());
    const int length = static_cast<int>(text.size());
    if ((format & DT_SINGLELINE) == 0) {
        // Measured as a block, then centred in the rectangle and drawn centred line by line.
        RECT measured = r;
        DrawTextW(dc, text.c_str(), length, &measured, kMeasureFormat);
        const TRect centred = CentreIn({r.left, r.top, r.right, r.bottom},
                                       {measured.left, measured.top, measured.right, measured.bottom});
        r = RECT{centred.left, centred.top, centred.right, centred.bottom};
    }
    DrawTextW(dc, text.c_str(), length, &r, format);
}

void TsuiCustomButton::DrawCaption(HDC dc) {
    const RECT r = ClientRect();
    if (!Enabled()) {
        DrawCaptionText(dc, shifted(r, 1), kCentredFormat, kDisabledShadow);
        DrawCaptionText(dc, r, kCentredFormat, kDisabledText);
    } else {
        DrawCaptionText(dc, pressed_ ? shifted(r, 1) : r, kCentredFormat, Font().Desc().color);
    }
    boldCaption_ = false;
}

void TsuiCustomButton::DrawFocus(HDC dc) {
    const int m = focusedRectMargin_;
    const RECT r{m, m, Width() - m, Height() - m};
    DrawFocusRect(dc, &r);
}

void TsuiCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        pressed_ = true;
        if (!repeatTimer_) repeatTimer_.emplace(Handle(), kRepeatTimerId, static_cast<UINT>(std::max(repeatInterval_, 0)));
        if (TabStop() && CanFocus()) SetFocus();
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (x >= 0 && x <= Width() && y >= 0 && y <= Height()) return;
    // Off the button while held: the pressed look goes and does not come back on return, and the
    // repeat stops, as it steps only while the pointer stays on the button.
    const bool changed = mouseOver_ || pressed_;
    mouseOver_ = false;
    pressed_ = false;
    stopRepeat();
    if (changed) Invalidate();
}

void TsuiCustomButton::MouseEnter() {
    mouseOver_ = true;
    Invalidate();
    TCustomControl::MouseEnter();
}

void TsuiCustomButton::MouseLeave() {
    mouseOver_ = false;
    pressed_ = false;
    stopRepeat();
    Invalidate();
    TCustomControl::MouseLeave();
    if (OnMouseExit) OnMouseExit(*this);
}

void TsuiCustomButton::CancelMode() {
    mouseOver_ = false;
    pressed_ = false;
    stopRepeat();
    Invalidate();
}

void TsuiCustomButton::Click() {
    if (pressed_) {
        stopRepeat();
        pressed_ = false;
        Invalidate();
    }
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

bool TsuiCustomButton::KeyDown(WORD& key, TShiftState shift) {
    if (TCustomControl::KeyDown(key, shift)) return true;
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        pressed_ = true;
        Invalidate();
        return true;
    }
    return false;
}

bool TsuiCustomButton::KeyUp(WORD& key, TShiftState shift) {
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && pressed_ && Enabled()) {
        pressed_ = false;
        Invalidate();
        Click();
        return true;
    }
    return false;
}

bool TsuiCustomButton::DialogChar(wchar_t ch, bool alt) {
    const char letter = AcceleratorChar(Caption());
    if (letter == 0) return false;
    const std::wstring wide = AnsiToWide(std::string(1, letter));
    if (wide.empty() || std::towupper(wide[0]) != std::towupper(ch)) return false;
    const HWND focused = GetFocus();
    const bool fromSkinnedButton = focused != nullptr && SendMessageW(focused, kSkinButtonQuery, 0, 0) == 1;
    if (!alt && !fromSkinnedButton) return false;
    if (Parent() == nullptr || !Parent()->Enabled() || !Enabled() || !Visible()) return false;
    Click();
    return true;
}

bool TsuiCustomButton::DialogKey(WORD key, TShiftState shift) {
    const bool wanted = (key == VK_RETURN && activeDefault_) || (key == VK_ESCAPE && cancel_);
    if (!wanted || (shift & (MK_SHIFT | MK_CONTROL | shiftAlt)) != 0 || !CanFocus()) return false;
    Click();
    return true;
}

void TsuiCustomButton::FocusChanged(TWinControl* focused) {
    activeDefault_ = dynamic_cast<TsuiButton*>(focused) != nullptr ? focused == this : default_;
    Invalidate();
}

LRESULT TsuiCustomButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kSkinButtonQuery:
            return 1;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            break;
        case WM_TIMER:
            if (repeatTimer_ && repeatTimer_->Ticked(wp)) {
                if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(*this);
                return 0;
            }
            break;
        case WM_LBUTTONUP: {
            // However the press ends, the repeat and the pressed look end with it; a release
            // inside still clicks, by the framework's test.
            const LRESULT result = TCustomControl::WndProc(msg, wp, lp);
            stopRepeat();
            if (std::exchange(pressed_, false)) Invalidate();
            return result;
        }
        default:
            break;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------- TsuiButton

TsuiButton::TsuiButton(TComponent* owner) : TsuiCustomButton(owner) {
    SetBounds(Left(), Top(), 80, 27);
    // The style taken from the owner applies its settings, as the style setter does.
    UIStyleChanged();
}

const PropertyTable& TsuiButton::StaticPublished() {
    static const PropertyTable table = PublishInOrder(TsuiCustomButton::StaticPublished(), {
        Prop<TsuiButton>("Glyph", &TsuiButton::SetGlyphResource),
        Prop<TsuiButton>("Layout", &TsuiButton::SetLayout),
        Prop<TsuiButton>("Spacing", &TsuiButton::SetSpacing),
        Prop<TsuiButton>("ResHandle", &TsuiButton::SetResHandle),
    }, publishedOrder(true));
    return table;
}
const PropertyTable& TsuiButton::Published() const { return StaticPublished(); }

void TsuiButton::SetGlyph(const Bitmap& picture) {
    glyph_ = picture;
    Invalidate();
}

void TsuiButton::SetGlyphResource(std::string name) { SetGlyph(LoadProgramBitmap(name).value_or(Bitmap())); }

void TsuiButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TsuiButton::SetSpacing(int v) {
    spacing_ = v;
    Invalidate();
}

void TsuiButton::UIStyleChanged() {
    TsuiUIStyle style;
    if (SkinSource(style)) {
        SetTransparent(FileTheme()->GetBool(kSkin2ButtonTrans));
        SetFontColor(static_cast<TColor>(FileTheme()->GetColor(kSkin2ButtonFontColor)));
    } else {
        SetTransparent(GetBool(style, kButtonTransparentStyleItem));
        SetFontColor(clBlack);
    }
}

void TsuiButton::DrawSkin(HDC dc, const Bitmap& stateImage) {
    DrawNineSlice(stateImage, dc, {0, 0, Width(), Height()}, ImageTransparent());
    if (glyph_.Empty()) return;
    const SIZE text = TCanvas(dc).TextExtent(Caption(), Font());
    const TGlyphLayout g =
        LayoutGlyph(layout_, Width(), Height(), glyph_.Width(), glyph_.Height(), text.cx, text.cy, spacing_);
    captionX_ = g.textX;
    captionY_ = g.textY;
    const int shift = Pressed() ? 1 : 0;
    TCustomImageList list(g.glyphWidth, glyph_.Height());
    if (list.AddMasked(glyph_, PixelToColorRef(glyph_.Pixel(0, 0))) < 0) return;
    if (g.twoImages)
        list.Draw(dc, g.glyphX + shift, g.glyphY + shift, Enabled() ? 0 : 1);
    else if (Enabled())
        list.Draw(dc, g.glyphX + shift, g.glyphY + shift, 0);
    else
        list.DrawGreyed(dc, g.glyphX + shift, g.glyphY + shift, 0);
}

void TsuiButton::DrawCaption(HDC dc) {
    if (glyph_.Empty()) {
        TsuiCustomButton::DrawCaption(dc);
        return;
    }
    constexpr UINT format = DT_SINGLELINE | DT_LEFT;
    const RECT at{captionX_, captionY_, Width(), Height()};
    if (!Enabled()) {
        DrawCaptionText(dc, shifted(at, 1), format, kDisabledShadow);
        DrawCaptionText(dc, at, format, kDisabledText);
    } else {
        DrawCaptionText(dc, Pressed() ? shifted(at, 1) : at, format, Font().Desc().color);
    }
    SetBoldCaption(false);
}

void TsuiButton::DrawFocus(HDC dc) {
    if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass)
        SetBoldCaption(true);
    else
        TsuiCustomButton::DrawFocus(dc);
}

// ---------------------------------------------------------------- TsuiImageButton

TsuiImageButton::TsuiImageButton(TComponent* owner) : TsuiCustomButton(owner) {}

void TsuiImageButton::ApplyAutoSize() {
    if (!AutoSize() || picNormal_.Empty()) return;
    SetBounds(Left(), Top(), picNormal_.Width(), picNormal_.Height());
}

}  // namespace trimwell
