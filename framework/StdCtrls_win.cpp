#include "framework/StdCtrls_win.h"

#include <algorithm>

#include "framework/Forms_win.h"
#include "platform/Resources_win.h"
#include "platform/Text.h"

namespace trimwell {

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 13); }

const PropertyTable& TLabel::StaticPublished() {
    static const PropertyTable table = Inherit(TGraphicControl::StaticPublished(), {
        Prop<TLabel>("Alignment", &TLabel::SetAlignment),
        Prop<TLabel>("AutoSize", &TLabel::SetAutoSize),
        Prop<TLabel>("Transparent", &TLabel::SetTransparent),
        Prop<TLabel>("WordWrap", &TLabel::SetWordWrap),
    });
    return table;
}
const PropertyTable& TLabel::Published() const { return StaticPublished(); }

UINT TLabel::textFormat() const {
    UINT format = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    if (alignment_ == TAlignment::taCenter) format |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) format |= DT_RIGHT;
    return format;
}

void TLabel::Paint(TCanvas& canvas) {
    RECT r = ClientRect();
    if (!transparent_) canvas.FillRect(r, Color());
    canvas.DrawText(DisplayText(), r, textFormat(), Font());
}

void TLabel::SetWordWrap(bool v) {
    wordWrap_ = v;
    adjustBounds();
    Invalidate();
}

void TLabel::SetAutoSize(bool v) {
    autoSize_ = v;
    adjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    adjustBounds();
}

void TLabel::TextChanged() {
    adjustBounds();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    adjustBounds();
    TGraphicControl::FontChanged();
}

// Measured in the label's own font, the one Paint draws with, so that a bold caption is not cut
// to the width of a regular one. An empty caption still takes the height of a line.
void TLabel::adjustBounds() {
    if (IsLoading() || !autoSize_) return;
    const std::string text = DisplayText();
    RECT r = ClientRect();
    const ScreenDC screen;
    TCanvas(screen.get()).DrawText(text.empty() ? std::string(" ") : text, r, textFormat() | DT_CALCRECT, Font());
    const int width = r.right - r.left;
    const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, r.bottom - r.top);
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

const PropertyTable& TImage::StaticPublished() {
    static const PropertyTable table = Inherit(TGraphicControl::StaticPublished(), {
        Prop<TImage>("AutoSize", &TImage::SetAutoSize),
        Prop<TImage>("Picture", &TImage::SetPictureResource),
        Prop<TImage>("Icon", &TImage::SetIconResource),
        Prop<TImage>("Stretch", &TImage::SetStretch),
        Prop<TImage>("TransparentColor", &TImage::SetTransparentColor),
    });
    return table;
}
const PropertyTable& TImage::Published() const { return StaticPublished(); }

void TImage::SetPictureResource(std::string name) {
    SetPicture(LoadBitmapResource(name));
}

void TImage::SetPicture(UniqueBitmap bitmap) {
    picture_ = std::move(bitmap);
    SetAutoSize(autoSize_);
    Invalidate();
}

void TImage::SetIconResource(std::string name) {
    const std::wstring wide = AnsiToWide(name);
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), wide.c_str(), IMAGE_ICON, 32, 32, 0)));
    SetAutoSize(autoSize_);
    Invalidate();
}

SIZE TImage::PictureSize() const {
    if (picture_) {
        BITMAP bm{};
        GetObjectW(picture_.get(), sizeof bm, &bm);
        return {bm.bmWidth, bm.bmHeight};
    }
    if (icon_) return {32, 32};
    return {0, 0};
}

void TImage::SetAutoSize(bool v) {
    autoSize_ = v;
    const SIZE s = PictureSize();
    if (autoSize_ && s.cx > 0) SetBounds(Left(), Top(), s.cx, s.cy);
}

void TImage::Paint(TCanvas& canvas) {
    const HDC dc = canvas.Handle();
    if (icon_) {
        DrawIconEx(dc, 0, 0, icon_.get(), 32, 32, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture_) return;
    const SIZE s = PictureSize();
    const UniqueMemoryDC source(CreateCompatibleDC(dc));
    const SelectGuard selected(source.get(), picture_.get());
    const int w = stretch_ ? Width() : s.cx, h = stretch_ ? Height() : s.cy;
    if (transparentColor_ != clNone) {
        GdiTransparentBlt(dc, 0, 0, w, h, source.get(), 0, 0, s.cx, s.cy, ColorToRGB(transparentColor_));
    } else {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, w, h, source.get(), 0, 0, s.cx, s.cy, SRCCOPY);
    }
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

const PropertyTable& TEdit::StaticPublished() {
    static const PropertyTable table = Inherit(TWinControl::StaticPublished(), {
        Prop<TEdit>("Text", &TEdit::SetText),
    });
    return table;
}
const PropertyTable& TEdit::Published() const { return StaticPublished(); }

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = L"EDIT";
    params.style |= ES_AUTOHSCROLL | ES_LEFT | WS_BORDER;
    params.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TEdit::CreateWnd() {
    TWinControl::CreateWnd();
    // Values may be long; the edit box takes as much as the profile file can hold.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void TEdit::syncText() {
    if (!HandleAllocated()) return;
    const HWND hwnd = Handle();
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring wide(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, wide.data(), n + 1);
    wide.resize(static_cast<std::size_t>(std::max(got, 0)));
    TControl::SetText(WideToAnsi(wide));
}

bool TEdit::ParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        syncText();
        if (OnChange) OnChange(*this);
        result = 0;
        return true;
    }
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, ColorToRGB(Font().Desc().color));
        SetBkColor(dc, ColorToRGB(Color()));
        if (!background_) background_.reset(CreateSolidBrush(ColorToRGB(Color())));
        result = reinterpret_cast<LRESULT>(background_.get());
        return true;
    }
    return false;
}

void TEdit::ColorChanged() {
    background_.reset();
    TWinControl::ColorChanged();
}

// ---------------------------------------------------------------- TTreeView

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

const PropertyTable& TTreeView::StaticPublished() {
    static const PropertyTable table = Inherit(TWinControl::StaticPublished(), {
        Prop<TTreeView>("AutoExpand", &TTreeView::SetAutoExpand),
        Prop<TTreeView>("HideSelection", &TTreeView::SetHideSelection),
        Prop<TTreeView>("HotTrack", &TTreeView::SetHotTrack),
        Prop<TTreeView>("Indent", &TTreeView::SetIndent),
        Prop<TTreeView>("ReadOnly", &TTreeView::SetReadOnly),
        Prop<TTreeView>("ShowButtons", &TTreeView::SetShowButtons),
        Prop<TTreeView>("ShowLines", &TTreeView::SetShowLines),
        Prop<TTreeView>("ShowRoot", &TTreeView::SetShowRoot),
        Prop<TTreeView>("ToolTips", &TTreeView::SetToolTips),
    });
    return table;
}
const PropertyTable& TTreeView::Published() const { return StaticPublished(); }

void TTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = WC_TREEVIEWW;
    params.style |= treeStyle_;
    params.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    const HWND h = Handle();
    TreeView_SetImageList(h, images_, TVSIL_NORMAL);
    applyIndent();
    TreeView_SetBkColor(h, ColorToRGB(Color()));
    TreeView_SetTextColor(h, ColorToRGB(Font().Desc().color));
    if (doubleBuffered_) TreeView_SetExtendedStyle(h, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
}

namespace {
// A click reaches OnClick once the tree has moved its selection to the clicked node.
constexpr UINT kDeferredClick = WM_APP + 0x101;
}  // namespace

bool TTreeView::ParentNotify(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<NMHDR*>(lp);
    if (header->code == TVN_ITEMEXPANDINGW || header->code == TVN_ITEMEXPANDINGA) {
        const auto* expanding = reinterpret_cast<const NMTREEVIEWW*>(lp);
        if ((expanding->action & TVE_EXPAND) != 0) insertWaitingChildren(expanding->itemNew.hItem);
        result = FALSE;
        return true;
    }
    if (header->code == TVN_DELETEITEMW || header->code == TVN_DELETEITEMA) {
        // However a node goes, its waiting children go with it: its handle may come back for
        // another node.
        waiting_.erase(reinterpret_cast<const NMTREEVIEWW*>(lp)->itemOld.hItem);
        result = 0;
        return true;
    }
    if (header->code == NM_CLICK) {
        PostMessageW(Handle(), kDeferredClick, 0, 0);
        result = 0;
        return true;
    }
    if (header->code == NM_CUSTOMDRAW) {
        // Bold items get the bold face of the tree's own font, whatever the platform's drawing
        // would pick.
        const auto* draw = reinterpret_cast<const NMTVCUSTOMDRAW*>(lp);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
            return true;
        }
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
            (State(reinterpret_cast<Node>(draw->nmcd.dwItemSpec), TVIS_BOLD) & TVIS_BOLD)) {
            TFontDesc bold = Font().Desc();
            bold.style |= fsBold;
            boldFont_.Assign(bold);
            SelectObject(draw->nmcd.hdc, boldFont_.Handle());
            result = CDRF_NEWFONT;
            return true;
        }
        result = CDRF_DODEFAULT;
        return true;
    }
    return false;
}

LRESULT TTreeView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kDeferredClick) {
        Click();
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

void TTreeView::ColorChanged() {
    if (HandleAllocated()) TreeView_SetBkColor(Handle(), ColorToRGB(Color()));
}

void TTreeView::setStyleBit(DWORD bit, bool on) {
    treeStyle_ = on ? (treeStyle_ | bit) : (treeStyle_ & ~bit);
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
}

void TTreeView::applyIndent() {
    if (HandleAllocated()) TreeView_SetIndent(Handle(), indent_);
}

void TTreeView::SetImages(HIMAGELIST images) {
    images_ = images;
    if (HandleAllocated()) TreeView_SetImageList(Handle(), images_, TVSIL_NORMAL);
}

void TTreeView::SetDoubleBuffered(bool v) {
    doubleBuffered_ = v;
    if (HandleAllocated())
        TreeView_SetExtendedStyle(Handle(), v ? TVS_EX_DOUBLEBUFFER : 0, TVS_EX_DOUBLEBUFFER);
}

void TTreeView::Clear() {
    waiting_.clear();
    TreeView_DeleteAllItems(Handle());
}

TTreeView::Node TTreeView::AddChild(Node parent, const std::string& text, int imageIndex) {
    if (parent != nullptr) insertWaitingChildren(parent);  // they come first
    return insertItem(parent, text, imageIndex);
}

void TTreeView::AddChildren(Node parent, std::vector<std::string> texts, int imageIndex) {
    if (texts.empty()) return;
    if (parent != nullptr) insertWaitingChildren(parent);
    // Top-level nodes, and children of a node whose children are in already, go in at once.
    if (parent == nullptr || TreeView_GetChild(Handle(), parent) != nullptr) {
        for (const std::string& text : texts) insertItem(parent, text, imageIndex);
        return;
    }
    // The parent shows its expand button before its children are in.
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = parent;
    item.cChildren = 1;
    TreeView_SetItem(Handle(), &item);
    waiting_.insert_or_assign(parent, WaitingChildren{std::move(texts), imageIndex});
}

void TTreeView::insertWaitingChildren(Node parent) {
    const auto found = waiting_.find(parent);
    if (found == waiting_.end()) return;
    const WaitingChildren children = std::move(found->second);
    waiting_.erase(found);
    for (const std::string& text : children.texts) insertItem(parent, text, children.imageIndex);
}

TTreeView::Node TTreeView::insertItem(Node parent, const std::string& text, int imageIndex) {
    std::wstring wide = AnsiToWide(text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = wide.data();
    ins.item.iImage = imageIndex;
    ins.item.iSelectedImage = 0;
    return TreeView_InsertItem(Handle(), &ins);
}

void TTreeView::SetImageIndex(Node node, int index) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE;
    item.hItem = node;
    item.iImage = index;
    TreeView_SetItem(Handle(), &item);
}

namespace {
TVITEMW queryItem(HWND tree, HTREEITEM node, UINT mask, UINT stateMask = 0) {
    TVITEMW item{};
    item.mask = mask;
    item.hItem = node;
    item.stateMask = stateMask;
    TreeView_GetItem(tree, &item);
    return item;
}
}  // namespace

int TTreeView::ImageIndex(Node node) { return queryItem(Handle(), node, TVIF_IMAGE).iImage; }
int TTreeView::SelectedIndex(Node node) { return queryItem(Handle(), node, TVIF_SELECTEDIMAGE).iSelectedImage; }

int TTreeView::Count() {
    std::size_t count = TreeView_GetCount(Handle());
    for (const auto& [parent, children] : waiting_) count += children.texts.size();
    return static_cast<int>(count);
}

TTreeView::Node TTreeView::NodeAt(int index) {
    if (index < 0) return nullptr;
    Node node = TreeView_GetRoot(Handle());
    for (int i = 0; node != nullptr && i < index; ++i) node = NextInOrder(node);
    return node;
}

TTreeView::Node TTreeView::NextInOrder(Node node) {
    // Depth-first: a node's first child, else the next sibling of it or of its nearest ancestor.
    const HWND h = Handle();
    insertWaitingChildren(node);
    if (Node child = TreeView_GetChild(h, node)) return child;
    for (Node up = node; up != nullptr; up = TreeView_GetParent(h, up))
        if (Node next = TreeView_GetNextSibling(h, up)) return next;
    return nullptr;
}

TTreeView::Node TTreeView::NextSibling(Node node) { return node ? TreeView_GetNextSibling(Handle(), node) : nullptr; }

bool TTreeView::HasChildren(Node node) {
    return node != nullptr && (waiting_.contains(node) || TreeView_GetChild(Handle(), node) != nullptr);
}
TTreeView::Node TTreeView::ParentOf(Node node) { return node ? TreeView_GetParent(Handle(), node) : nullptr; }

std::string TTreeView::NodeText(Node node) {
    if (node == nullptr) return {};
    // Names are limited only by the profile file, and a cut name would save into a new key: the
    // buffer grows until the text fits with room to spare.
    for (std::size_t size = 4096;; size *= 2) {
        std::wstring buffer(size, L'\0');
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        if (!TreeView_GetItem(Handle(), &item)) return {};
        const std::wstring text(item.pszText);
        if (text.size() + 1 < size || size >= (1u << 24)) return WideToAnsi(text);
    }
}

TTreeView::Node TTreeView::Selected() { return TreeView_GetSelection(Handle()); }
void TTreeView::Select(Node node) { TreeView_SelectItem(Handle(), node); }

UINT TTreeView::State(Node node, UINT mask) { return queryItem(Handle(), node, TVIF_STATE, mask).state & mask; }

void TTreeView::SetState(Node node, UINT state, UINT mask) {
    TVITEMW item{};
    item.mask = TVIF_STATE;
    item.hItem = node;
    item.state = state;
    item.stateMask = mask;
    TreeView_SetItem(Handle(), &item);
}

}  // namespace trimwell
