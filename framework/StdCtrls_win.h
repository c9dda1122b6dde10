#pragma once
// The plain controls the windows are built from: label, picture, and the platform's edit box and
// tree view, which the skinned edit and tree view build on.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Controls_win.h"

namespace trimwell {

// Windowless text. Transparent: the parent's picture shows through; otherwise the label fills
// its rectangle with its colour first.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }
    void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
    bool Transparent() const { return transparent_; }
    void SetWordWrap(bool v);
    // Sizes the label to its caption, measured in the font it draws with, as the platform's
    // labels do by default; size limits still apply.
    void SetAutoSize(bool v);
    bool AutoSize() const { return autoSize_; }
    void Paint(TCanvas& canvas) override;

protected:
    // The text actually drawn (a subclass may show a converted form).
    virtual std::string DisplayText() const { return Caption(); }
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    UINT textFormat() const;
    void adjustBounds();
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = true;
};

// Windowless picture: a bitmap resource of the program, drawn at its size or stretched, with an
// optional transparent colour.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    // Name of a bitmap resource (RT_BITMAP) of the program.
    void SetPictureResource(std::string name);
    // Takes a bitmap (for pictures made at run time).
    void SetPicture(UniqueBitmap bitmap);
    void SetIconResource(std::string name);
    void SetStretch(bool v) { stretch_ = v; Invalidate(); }
    void SetAutoSize(bool v);
    void SetTransparentColor(std::int64_t c) { transparentColor_ = static_cast<TColor>(c); Invalidate(); }
    SIZE PictureSize() const;
    void Paint(TCanvas& canvas) override;

private:
    UniqueBitmap picture_;
    UniqueIcon icon_;
    bool stretch_ = false;
    bool autoSize_ = false;
    TColor transparentColor_ = clNone;
};

// The platform's one-line edit box; its text is 8-bit. Every change of the box (typed or set)
// reaches Text() at once, before OnChange.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool PaintsItself() const override { return true; }
    bool ParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void ColorChanged() override;

private:
    void syncText();
    UniqueBrush background_;
};

// The platform's tree view. Nodes are the platform's items (HTREEITEM).
class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    using Node = HTREEITEM;
    void Clear();
    // Parent null: a top-level node. The image index comes with the node, saving the separate
    // set-item call per node that a large file would otherwise pay at every load.
    Node AddChild(Node parent, const std::string& text, int imageIndex = 0);
    // Children given all at once reach the platform's tree only when their parent is first
    // expanded or walked through. The platform's tree frees its nodes one at a time with a search
    // over all of them each (Wine's does), so a long file's keys, all in it, would make clearing
    // the tree cost the square of their number; only the sections the user opened pay it now.
    // Counting, walking and asking for children see them as if they were there all along.
    void AddChildren(Node parent, std::vector<std::string> texts, int imageIndex);
    void SetImageIndex(Node node, int index);
    int ImageIndex(Node node);
    int SelectedIndex(Node node);
    int Count();
    Node NodeAt(int index);  // depth-first order
    Node NextInOrder(Node node);  // the node after this one in depth-first order, or null
    Node NextSibling(Node node);  // the next node of the same parent, or null
    bool HasChildren(Node node);
    Node ParentOf(Node node);
    std::string NodeText(Node node);
    Node Selected();
    void Select(Node node);
    UINT State(Node node, UINT mask);
    // Changes the item state of the node with the given mask only.
    void SetState(Node node, UINT state, UINT mask);

    void SetImages(HIMAGELIST images);
    void SetIndent(int v) { indent_ = v; applyIndent(); }
    void SetShowLines(bool v) { setStyleBit(TVS_HASLINES, v); }
    void SetShowRoot(bool v) { setStyleBit(TVS_LINESATROOT, v); }
    void SetShowButtons(bool v) { setStyleBit(TVS_HASBUTTONS, v); }
    void SetAutoExpand(bool v) { setStyleBit(TVS_SINGLEEXPAND, v); }
    void SetHotTrack(bool v) { setStyleBit(TVS_TRACKSELECT, v); }
    void SetToolTips(bool v) { setStyleBit(TVS_NOTOOLTIPS, !v); }
    void SetReadOnly(bool v) { setStyleBit(TVS_EDITLABELS, !v); }
    void SetHideSelection(bool v) { setStyleBit(TVS_SHOWSELALWAYS, !v); }
    void SetDoubleBuffered(bool v);
    bool DoubleBuffered() const { return doubleBuffered_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool PaintsItself() const override { return true; }
    void ColorChanged() override;
    bool ParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void setStyleBit(DWORD bit, bool on);
    void applyIndent();
    Node insertItem(Node parent, const std::string& text, int imageIndex);
    void insertWaitingChildren(Node parent);
    struct WaitingChildren {
        std::vector<std::string> texts;
        int imageIndex = 0;
    };
    std::unordered_map<Node, WaitingChildren> waiting_;
    DWORD treeStyle_ = TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
    int indent_ = 19;
    HIMAGELIST images_ = nullptr;
    bool doubleBuffered_ = false;
    TFont boldFont_;
};

}  // namespace trimwell
