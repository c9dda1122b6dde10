#pragma once
// TElHTMLLabel: a windowless label whose caption is plain text or, with IsHTML, markup laid out
// by its own TElHTMLRender. Links change the cursor and fire OnLinkClick instead of OnClick.
#include <functional>
#include <memory>

#include "labels/ElCLabel_win.h"
#include "labels/HTMLRender_win.h"

namespace trimwell {

// The link cursor, made from the program's "URLCURSOR" cursor resource.
inline constexpr TCursor crURLCursor = 1458;

using TElHTMLLinkClickEvent = std::function<void(TComponent& sender, const TElFString& href)>;
using TElHTMLLabelImageNeededEvent =
    std::function<void(TComponent& sender, const TElFString& src, const TElHTMLImage*& image)>;

class TElHTMLLabel : public TCustomElLabel {
public:
    explicit TElHTMLLabel(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    bool IsHTML() const { return isHTML_; }
    void SetIsHTML(bool v);
    TColor LinkColor() const { return linkColor_; }
    void SetLinkColor(TColor v);
    TFontStyles LinkStyle() const { return linkStyle_; }
    void SetLinkStyle(TFontStyles v);
    // The cursor chosen for the label; over a link the link cursor shows instead.
    TCursor ChosenCursor() const { return chosenCursor_; }
    void SetLabelCursor(TCursor c);
    // The menu a right click over a link shows instead of PopupMenu; cleared when it goes.
    TPopupMenu* LinkPopupMenu() const { return linkPopupMenu_; }
    void SetLinkPopupMenu(TPopupMenu* menu);

    void SetCaption(const TElFString& caption) override;
    void SetWordWrap(bool v) override;
    void SetAutoSize(bool v) override;

    virtual void LinkClick(const TElFString& href);
    TElHTMLLinkClickEvent OnLinkClick;
    TElHTMLLabelImageNeededEvent OnImageNeeded;

    TElHTMLRender& Render() { return *render_; }

    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void AdjustBounds() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Click() override;
    void ContextMenu(POINT screenPos, bool& handled) override;
    void Notification(TComponent& component, TOperation operation) override;

protected:
    void FontChanged() override;
    void BoundsChanged() override;
    void TextChanged() override;

private:
    // Parses the caption again with the current font, width and link look.
    void Reprepare();
    void PrepareHTML();
    bool LinkAt(int x, int y, TElFString& href);
    void UpdateCursor(int x, int y);

    std::unique_ptr<TElHTMLRender> render_;
    bool isHTML_ = false;
    TColor linkColor_ = 0x00FF0000;
    TFontStyles linkStyle_ = fsUnderline;
    TCursor chosenCursor_ = crDefault;
    POINT lastMouse_{-1, -1};
    TPopupMenu* linkPopupMenu_ = nullptr;
    // While a caption is being set the markup is prepared once, at the end.
    bool settingCaption_ = false;
};

}  // namespace trimwell
