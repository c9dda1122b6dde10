#include "labels/ElPopBtn_win.h"

#include <algorithm>

#include "framework/Forms_win.h"
#include "framework/Menus_win.h"
#include "framework/Graphics_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

using Kind = TComponent*;
const PropertyValue kNoPicture = Bytes{};
const PropertyValue kNoComponent = Kind{nullptr};
const PropertyValue kNoText = std::string{};

PropertyValue Int(std::int64_t v) { return v; }

// Properties of the features this program does not use, with their defaults.
const std::vector<std::pair<std::string_view, PropertyValue>>& KeptDefaults() {
    static const std::vector<std::pair<std::string_view, PropertyValue>> defaults = {
        {"Alignment", Int(static_cast<int>(TAlignment::taCenter))},
        {"Background", kNoPicture},
        {"BackgroundDrawBorder", false},
        {"DownBackground", kNoPicture},
        {"DisabledImages", kNoComponent},
        {"AlphaForImages", kNoComponent},
        {"AlphaForHotImages", kNoComponent},
        {"AlphaForDisabledImages", kNoComponent},
        {"AlphaForDownImages", kNoComponent},
        {"PullDownMenu", kNoComponent},
        {"PopupPlace", Int(0)},
        {"DisableAutoPopup", false},
        {"Cancel", false},
        {"ChangeDisabledText", true},
        {"MoneyFlat", false},
        {"MoneyFlatInactiveColor", Int(clBtnFace)},
        {"MoneyFlatActiveColor", Int(clBtnFace)},
        {"MoneyFlatDownColor", Int(clBtnFace)},
        {"AllowAllUp", false},
        {"Flat", false},
        {"Glyph", kNoPicture},
        {"ImageForm", kNoComponent},
        {"IsHTML", false},
        {"Layout", Int(0)},  // glyph left
        {"Margin", Int(-1)},
        {"NumGlyphs", Int(1)},
        {"ShadowFollowsColor", true},
        {"ShadowsUseCustom", false},
        {"ShadowBtnHighlight", Int(0x00F7F7F5)},
        {"ShadowBtnShadow", Int(0x00767A60)},
        {"ShadowBtnDkShadow", Int(0x00595C48)},
        {"ShowGlyph", true},
        {"ShowText", true},
        {"UseArrow", false},
        {"IsSwitch", false},
        {"Icon", kNoPicture},
        {"LinkColor", Int(0x00FF0000)},
        {"LinkPopupMenu", kNoComponent},
        {"LinkStyle", Int(0)},
        {"UseIcon", false},
        {"TextDrawType", Int(0)},  // normal
        {"DownSound", kNoText},
        {"UpSound", kNoText},
        {"ClickSound", kNoText},
        {"ArrowClickSound", kNoText},
        {"SoundMap", kNoComponent},
        {"ShortcutsEnabled", false},
        {"OldStyled", false},
        {"UseXPThemes", true},
        {"ParentColor", true},
        {"ParentShowHint", true},
        {"Action", kNoComponent},
        {"StyleManager", kNoComponent},
        {"StyleName", kNoText},
    };
    return defaults;
}

}  // namespace

// A property kept as stored; a value of another kind than its default's is a broken layout.
struct KeptProperty {
    static PublishedProperty Make(std::string_view name, const PropertyValue& defaultValue) {
        const std::size_t kind = defaultValue.index();
        return {name, [name, kind](TComponent& c, const PropertyValue& v) {
                    if (v.index() != kind) throw ELayoutError("Invalid property value for " + std::string(name));
                    auto& button = static_cast<TElGraphicButton&>(c);
                    if (const auto* target = std::get_if<TComponent*>(&v); target != nullptr && *target != nullptr)
                        button.FreeNotification(*target);
                    button.kept_[std::string(name)] = v;
                }};
    }
};

TElGraphicButton::TElGraphicButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

const PropertyTable& TElGraphicButton::StaticPublished() {
    static const PropertyTable table = [] {
        PropertyTable t = Inherit(TGraphicControl::StaticPublished(), {
            Prop<TElGraphicButton>("AdjustSpaceForGlyph", &TElGraphicButton::SetAdjustSpaceForGlyph),
            Prop<TElGraphicButton>("Down", &TElGraphicButton::SetDown),
            Prop<TElGraphicButton>("GroupIndex", &TElGraphicButton::SetGroupIndex),
            Prop<TElGraphicButton>("ImageIndex", &TElGraphicButton::SetImageIndex),
            Prop<TElGraphicButton>("ModalResult", &TElGraphicButton::SetModalResult),
            Prop<TElGraphicButton>("ShowBorder", &TElGraphicButton::SetShowBorder),
            Prop<TElGraphicButton>("Spacing", &TElGraphicButton::SetSpacing),
            Prop<TElGraphicButton>("ThinFrame", &TElGraphicButton::SetThinFrame),
            Prop<TElGraphicButton>("Transparent", &TElGraphicButton::SetTransparent),
            Prop<TElGraphicButton>("UseImageList", &TElGraphicButton::SetUseImageList),
            Prop<TElGraphicButton>("WideCaption", &TElGraphicButton::SetWideCaption),
            RefProp<TElGraphicButton>("Images", &TElGraphicButton::SetImages),
            RefProp<TElGraphicButton>("HotImages", &TElGraphicButton::SetHotImages),
            RefProp<TElGraphicButton>("DownImages", &TElGraphicButton::SetDownImages),
            RefProp<TElGraphicButton>("PopupMenu", &TElGraphicButton::SetPopupMenu),
        });
        for (const auto& [name, value] : KeptDefaults()) t.push_back(KeptProperty::Make(name, value));
        return t;
    }();
    return table;
}
const PropertyTable& TElGraphicButton::Published() const { return StaticPublished(); }

const PropertyValue& TElGraphicButton::Kept(std::string_view name) const {
    if (const auto it = kept_.find(name); it != kept_.end()) return it->second;
    for (const auto& [n, value] : KeptDefaults())
        if (n == name) return value;
    throw ELayoutError("Property " + std::string(name) + " does not exist");
}

void TElGraphicButton::SetWideCaption(std::wstring v) {
    Change(caption_, TElFString(reinterpret_cast<const char16_t*>(v.data()), v.size()));
}

void TElGraphicButton::TextChanged() {
    const std::wstring wide = AnsiToWide(Text());
    SetWideCaption(wide);
}

void TElGraphicButton::SetList(TElImageList*& field, TElImageList* list) {
    if (field == list) return;
    field = list;
    if (list != nullptr) FreeNotification(list);
    Invalidate();
}

void TElGraphicButton::Notification(TComponent& component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    for (TElImageList** list : {&images_, &hotImages_, &downImages_})
        if (*list == &component) *list = nullptr;
    std::erase_if(kept_, [&](const auto& entry) {
        const auto* target = std::get_if<TComponent*>(&entry.second);
        return target != nullptr && *target == &component;
    });
}

ButtonSettings TElGraphicButton::Settings() const {
    const bool parentEnabled = Parent() == nullptr || Parent()->Enabled();
    return {.enabled = Enabled() && parentEnabled,
            .useImageList = useImageList_,
            .hasHotImages = hotImages_ != nullptr,
            .down = down_,
            .groupIndex = groupIndex_};
}

// Sounds come through a sound map, which this program's buttons do not have.
void TElGraphicButton::React(const ButtonReaction& reaction) {
    if (reaction.repaint) Invalidate();
    if (reaction.click) Click();
}

void TElGraphicButton::MouseEnter() {
    TGraphicControl::MouseEnter();
    React(machine_.MouseEnter(Settings()));
}

void TElGraphicButton::MouseLeave() {
    TGraphicControl::MouseLeave();
    React(machine_.MouseLeave(Settings()));
}

void TElGraphicButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && !IsLoading()) React(machine_.LeftDown(Settings()));
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TElGraphicButton::MouseMove(TShiftState shift, int x, int y) {
    React(machine_.MouseMove(Settings(), x, y, Width(), Height()));
    TGraphicControl::MouseMove(shift, x, y);
}

void TElGraphicButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != TMouseButton::mbLeft) return TGraphicControl::MouseUp(button, shift, x, y);
    ButtonReaction reaction = machine_.LeftUp(Settings(), x, y, Width(), Height());
    const bool click = std::exchange(reaction.click, false);
    React(reaction);
    TGraphicControl::MouseUp(button, shift, x, y);
    if (click) Click();
}

void TElGraphicButton::Click() {
    if (TForm* form = ParentForm(); form != nullptr) form->SetModalResult(modalResult_);
    TGraphicControl::Click();
    Invalidate();
}

const TElImageList* TElGraphicButton::ListOf(TElGlyphList list) const {
    switch (list) {
        case TElGlyphList::Images: return images_;
        case TElGlyphList::HotImages: return hotImages_;
        case TElGlyphList::DownImages: return downImages_;
        default: return nullptr;
    }
}

void TElGraphicButton::Paint(TCanvas& canvas) {
    machine_.FollowEnabled(Settings());
    const HDC dc = canvas.Handle();
    RECT client = ClientRect();
    if (!transparent_) canvas.FillRect(client, Color());
    const bool pressed = State() == ebsDown || State() == ebsExclusive;
    if (showBorder_) DrawEdge(dc, &client, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    GlyphPlanInput in;
    in.clientWidth = Width();
    in.clientHeight = Height();
    in.state = State();
    in.currentList = CurrentList();
    in.hasImages = images_ != nullptr;
    in.hasHotImages = hotImages_ != nullptr;
    in.hasDownImages = downImages_ != nullptr;
    in.downListIsImages = downImages_ != nullptr && downImages_ == images_;
    in.adjustSpaceForGlyph = adjustSpaceForGlyph_;
    in.thinFrame = thinFrame_;
    in.imageIndex = useImageList_ ? imageIndex_ : -1;
    in.spacing = spacing_;
    const TElImageList* source = ListOf(pressed && downImages_ ? TElGlyphList::DownImages : CurrentList());
    if (source != nullptr) {
        in.cellWidth = source->Width();
        in.cellHeight = source->Height();
        in.imageCount = source->Count();
    }
    const SelectGuard font(dc, Font().Handle());
    SIZE text{};
    if (!caption_.empty()) {
        GetTextExtentPoint32W(dc, WidePtr(caption_), static_cast<int>(caption_.size()), &text);
        in.captionWidth = text.cx;
        in.captionHeight = text.cy;
    }
    const GlyphPlan plan = PlanGlyph(in);
    if (const TElImageList* list = ListOf(plan.list)) DrawGlyph(dc, *list, plan.imageIndex, plan.glyph);
    if (!caption_.empty()) {
        RECT r{plan.caption.left, plan.caption.top, plan.caption.left + plan.caption.width,
               plan.caption.top + plan.caption.height};
        TFont shown = Font();
        if (!Settings().enabled) shown.SetColor(clSystemColor | COLOR_GRAYTEXT);
        canvas.DrawTextW(std::wstring_view(WidePtr(caption_), caption_.size()), r, DT_SINGLELINE | DT_NOCLIP, shown);
    }
}

void TElGraphicButton::DrawGlyph(HDC dc, const TElImageList& list, int index, const GlyphRect& at) const {
    if (at.width == list.Width() && at.height == list.Height()) {
        list.Draw(dc, at.left, at.top, index);
        return;
    }
    // A cell larger than the room: drawn at its size on a key colour, then shrunk without it.
    constexpr COLORREF kKey = RGB(255, 0, 255);
    OffscreenBuffer cell(dc, list.Width(), list.Height());
    TCanvas(cell.dc()).FillRect({0, 0, list.Width(), list.Height()}, kKey);
    list.Draw(cell.dc(), 0, 0, index);
    GdiTransparentBlt(dc, at.left, at.top, at.width, at.height, cell.dc(), 0, 0, list.Width(), list.Height(), kKey);
}

}  // namespace trimwell
