#include "labels/ElHTMLLbl_win.h"

#include "framework/Menus_win.h"
#include "platform/Resources_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {
// The link cursor comes from the program's "URLCURSOR" resource; it is registered once, when
// the first HTML label is made.
void RegisterLinkCursor() {
    static const bool registered = [] {
        if (HCURSOR c = LoadCursorResource(L"URLCURSOR")) RegisterCursor(crURLCursor, c);
        return true;
    }();
    (void)registered;
}
}  // namespace

TElHTMLLabel::TElHTMLLabel(TComponent* owner) : TCustomElLabel(owner), render_(MakeGdiHTMLRender()) {
    RegisterLinkCursor();
    render_->OnImageNeeded = [this](TElHTMLRender&, const TElFString& src, const TElHTMLImage*& image) {
        image = nullptr;
        if (OnImageNeeded) OnImageNeeded(*this, src, image);
    };
}

const PropertyTable& TElHTMLLabel::StaticPublished() {
    static const PropertyTable table = Inherit(TCustomElLabel::StaticPublished(),
                                               {
                                                   Prop<TElHTMLLabel>("IsHTML", &TElHTMLLabel::SetIsHTML),
                                                   Prop<TElHTMLLabel>("LinkColor", &TElHTMLLabel::SetLinkColor),
                                                   Prop<TElHTMLLabel>("LinkStyle", &TElHTMLLabel::SetLinkStyle),
                                                   Prop<TElHTMLLabel>("Cursor", &TElHTMLLabel::SetLabelCursor),
                                                   RefProp<TElHTMLLabel>("LinkPopupMenu", &TElHTMLLabel::SetLinkPopupMenu),
                                               });
    return table;
}
const PropertyTable& TElHTMLLabel::Published() const { return StaticPublished(); }

void TElHTMLLabel::SetIsHTML(bool v) {
    if (v == isHTML_) return;
    isHTML_ = v;
    if (isHTML_) PrepareHTML();
    Invalidate();
}

void TElHTMLLabel::Reprepare() {
    if (!isHTML_) return;
    SetIsHTML(false);
    SetIsHTML(true);
}

void TElHTMLLabel::PrepareHTML() {
    TElHTMLData& data = render_->Data();
    const TFontDesc& font = Font().Desc();
    const std::wstring face = AnsiToWide(font.name);
    data.DefaultFontName.assign(face.begin(), face.end());
    data.Charset = DEFAULT_CHARSET;
    data.DefaultColor = font.color;
    data.DefaultStyle = font.style;
    data.DefaultHeight = font.height;
    data.LinkColor = linkColor_;
    data.LinkStyle = linkStyle_;
    render_->ParseMarkup(Caption(), Width() - 2 * BorderWidth(), WordWrap());
    if (!WordWrap() && AutoSize()) AdjustBounds();
}

void TElHTMLLabel::SetCaption(const TElFString& caption) {
    if (caption == Caption()) return;
    settingCaption_ = true;
    try {
        TCustomElLabel::SetCaption(caption);
    } catch (...) {
        settingCaption_ = false;
        throw;
    }
    settingCaption_ = false;
    Reprepare();
}

void TElHTMLLabel::TextChanged() {
    TCustomElLabel::TextChanged();
    if (!settingCaption_) Reprepare();  // the 8-bit text was set directly
}

void TElHTMLLabel::SetWordWrap(bool v) {
    if (v == WordWrap()) return;
    TCustomElLabel::SetWordWrap(v);
    Reprepare();
}

void TElHTMLLabel::SetAutoSize(bool v) {
    if (v == AutoSize()) return;
    if (v && isHTML_) {
        Reprepare();
        TCustomElLabel::SetAutoSize(true);
        return;
    }
    TCustomElLabel::SetAutoSize(v);
    Reprepare();
}

void TElHTMLLabel::SetLinkColor(TColor v) {
    if (v == linkColor_) return;
    linkColor_ = v;
    Reprepare();
}

void TElHTMLLabel::SetLinkStyle(TFontStyles v) {
    if (v == linkStyle_) return;
    linkStyle_ = v;
    Reprepare();
}

void TElHTMLLabel::FontChanged() {
    TCustomElLabel::FontChanged();
    Reprepare();
}

void TElHTMLLabel::BoundsChanged() {
    TCustomElLabel::BoundsChanged();
    if (WordWrap() && !settingCaption_) Reprepare();
}

void TElHTMLLabel::Loaded() {
    TCustomElLabel::Loaded();
    Reprepare();
}

void TElHTMLLabel::AdjustBounds() {
    if (!isHTML_) return TCustomElLabel::AdjustBounds();
    if (IsLoading() || !AutoSize()) return;
    const TElHTMLData& data = render_->Data();
    SetBounds(Left(), Top(), data.TextWidth + 2 * BorderWidth(), data.TextHeight + 2 * BorderWidth());
}

void TElHTMLLabel::Paint(TCanvas& canvas) {
    if (!isHTML_) return TCustomElLabel::Paint(canvas);
    SelectGuard keep(canvas.Handle(), Font().Handle());
    PaintHTMLLabel(canvas.Handle(), Frame(), *render_);
}

bool TElHTMLLabel::LinkAt(int x, int y, TElFString& href) {
    const TElHTMLData& data = render_->Data();
    const LabelRect t = HTMLTextRect(Width(), Height(), data.TextWidth, data.TextHeight, Layout(), Alignment(),
                                     BorderWidth(), false);
    const HTMLPoint p{x - t.Left - BorderWidth(), y - t.Top - BorderWidth()};
    return render_->LinkAtPoint(p, {0, 0}, href, HTMLRect{t.Left, t.Top, t.Right, t.Bottom});
}

void TElHTMLLabel::UpdateCursor(int x, int y) {
    TElFString href;
    const bool overLink = isHTML_ && LinkAt(x, y, href);
    SetCursor(overLink ? crURLCursor : chosenCursor_);
}

void TElHTMLLabel::SetLabelCursor(TCursor c) {
    if (c == chosenCursor_) return;
    chosenCursor_ = c;
    UpdateCursor(lastMouse_.x, lastMouse_.y);
}

void TElHTMLLabel::MouseMove(TShiftState shift, int x, int y) {
    lastMouse_ = {x, y};
    if (isHTML_) UpdateCursor(x, y);
    TCustomElLabel::MouseMove(shift, x, y);
}

void TElHTMLLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    lastMouse_ = {x, y};
    TCustomElLabel::MouseDown(button, shift, x, y);
}

void TElHTMLLabel::MouseLeave() {
    lastMouse_ = {-1, -1};  // the pointer is no longer over any link
    SetCursor(chosenCursor_);
    TCustomElLabel::MouseLeave();
}

void TElHTMLLabel::Click() {
    TElFString href;
    if (isHTML_ && LinkAt(lastMouse_.x, lastMouse_.y, href)) return LinkClick(href);
    TCustomElLabel::Click();
}

void TElHTMLLabel::SetLinkPopupMenu(TPopupMenu* menu) {
    if (menu == linkPopupMenu_) return;
    linkPopupMenu_ = menu;
    if (menu != nullptr) FreeNotification(menu);
}

void TElHTMLLabel::Notification(TComponent& component, TOperation operation) {
    TCustomElLabel::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == linkPopupMenu_) linkPopupMenu_ = nullptr;
}

// Over a link the link menu replaces the ordinary one; the context-popup event still comes first.
void TElHTMLLabel::ContextMenu(POINT screenPos, bool& handled) {
    if (isHTML_ && linkPopupMenu_ != nullptr) {
        const POINT origin = ClientToScreen({0, 0});
        TElFString href;
        if (LinkAt(screenPos.x - origin.x, screenPos.y - origin.y, href)) {
            if (OnContextPopup) OnContextPopup(*this, screenPos, handled);
            if (!handled && linkPopupMenu_->AutoPopup()) ShowPopupMenu(*linkPopupMenu_, screenPos);
            handled = true;
            return;
        }
    }
    TCustomElLabel::ContextMenu(screenPos, handled);
}

void TElHTMLLabel::LinkClick(const TElFString& href) {
    if (OnLinkClick) OnLinkClick(*this, href);
}

}  // namespace trimwell
