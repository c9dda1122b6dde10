#pragma once
// TElGraphicButton: a windowless push button that shows a glyph from image lists, one list each
// for the normal, hot (mouse over) and pressed looks.
//
// Painting and the mouse follow ElGraphicButtonMachine and PlanGlyph (labels/ElPopBtn.h). The
// features this program's windows do not use (arrow part and menus, switch and group behaviour,
// flat frames, visual styles, sounds, alpha lists, icons, single-bitmap glyphs, HTML captions,
// background pictures) publish their properties with their defaults and keep what a layout
// stores in them.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "framework/Controls_win.h"
#include "labels/ElImgLst_win.h"
#include "labels/ElPopBtn.h"
#include "labels/HTMLRender.h"

namespace trimwell {

class TElGraphicButton : public TGraphicControl {
public:
    explicit TElGraphicButton(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    TElImageList* Images() const { return images_; }
    TElImageList* HotImages() const { return hotImages_; }
    TElImageList* DownImages() const { return downImages_; }
    void SetImages(TElImageList* v) { SetList(images_, v); }
    void SetHotImages(TElImageList* v) { SetList(hotImages_, v); }
    void SetDownImages(TElImageList* v) { SetList(downImages_, v); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v) { Change(imageIndex_, v); }
    bool UseImageList() const { return useImageList_; }
    void SetUseImageList(bool v) { Change(useImageList_, v); }
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool v) { Change(showBorder_, v); }
    bool AdjustSpaceForGlyph() const { return adjustSpaceForGlyph_; }
    void SetAdjustSpaceForGlyph(bool v) { Change(adjustSpaceForGlyph_, v); }
    bool ThinFrame() const { return thinFrame_; }
    void SetThinFrame(bool v) { Change(thinFrame_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Change(transparent_, v); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { Change(spacing_, v); }
    bool Down() const { return down_; }
    void SetDown(bool v) { Change(down_, v); }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }
    const TElFString& WideCaption() const { return caption_; }
    void SetWideCaption(std::wstring v);

    // The value a layout stored in a property of an unused feature, else its default.
    const PropertyValue& Kept(std::string_view name) const;

    TElButtonState State() const { return machine_.State(); }
    bool Tracking() const { return machine_.Tracking(); }
    TElGlyphList CurrentList() const { return machine_.CurrentList(); }

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The form's modal result, then OnClick, then a repaint.
    void Click() override;
    // Its own release decides the click (the row just below the button still counts as on it),
    // so the parent never clicks it.
    bool ClickOnReleaseAt(int, int) const override { return false; }
    void Notification(TComponent& component, TOperation operation) override;

protected:
    // An 8-bit caption set directly becomes the wide caption, widened with the system code page.
    void TextChanged() override;

private:
    friend struct KeptProperty;
    template <typename V>
    void Change(V& field, V value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void SetList(TElImageList*& field, TElImageList* list);
    ButtonSettings Settings() const;
    void React(const ButtonReaction& reaction);
    const TElImageList* ListOf(TElGlyphList list) const;
    void DrawGlyph(HDC dc, const TElImageList& list, int index, const GlyphRect& at) const;

    ElGraphicButtonMachine machine_;
    TElImageList* images_ = nullptr;
    TElImageList* hotImages_ = nullptr;
    TElImageList* downImages_ = nullptr;
    int imageIndex_ = -1;
    bool useImageList_ = false;
    bool showBorder_ = true;
    bool adjustSpaceForGlyph_ = true;
    bool thinFrame_ = false;
    bool transparent_ = false;
    int spacing_ = 4;
    bool down_ = false;
    int groupIndex_ = 0;
    int modalResult_ = 0;
    TElFString caption_;
    std::map<std::string, PropertyValue, std::less<>> kept_;
};

}  // namespace trimwell
