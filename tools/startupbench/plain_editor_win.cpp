// plain_editor CFGFILE
// The fair peer of the start-up benchmark: the editor's main window as a plain Win32 program
// would build it. The same 500 x 368 borderless window, the same 22 controls in the same order
// and places, built directly on the platform (the tree view filled with the file's sections and
// keys, an edit box, six buttons, the labels and pictures as static controls) with the editor's
// fonts and pictures, and no skin.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Graphics_win.h"
#include "tools/startupbench/ShowAndRun_win.h"

namespace {

using trimwell::UniqueBitmap;
using trimwell::UniqueBrush;
using trimwell::UniqueFont;

constexpr COLORREF kPanel = 0x00F7FFF7;

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wp), kPanel);
            return static_cast<LRESULT>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

UniqueFont font(const wchar_t* face, int height, bool bold) {
    return UniqueFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

struct Builder {
    HWND parent;
    HINSTANCE instance;

    HWND add(const wchar_t* cls, const wchar_t* text, DWORD style, int l, int t, int w, int h, HFONT f = nullptr,
             DWORD exStyle = 0) const {
        const HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, l, t, w, h, parent, nullptr,
                                       instance, nullptr);
        if (f != nullptr) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        return c;
    }
    HWND picture(HBITMAP bitmap, int l, int t, int w, int h) const {
        const HWND c = add(L"STATIC", L"", SS_BITMAP | SS_REALSIZECONTROL, l, t, w, h);
        SendMessageW(c, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        return c;
    }
};

UniqueBitmap namedBitmap(HINSTANCE instance, const wchar_t* name) {
    return UniqueBitmap(static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// Null-separated lists, as the profile functions return them.
std::vector<std::string> splitList(const std::vector<char>& buffer, DWORD length) {
    std::vector<std::string> items;
    for (DWORD i = 0; i < length;) {
        const std::string item(&buffer[i]);
        if (item.empty()) break;
        items.push_back(item);
        i += static_cast<DWORD>(item.size()) + 1;
    }
    return items;
}

HTREEITEM addNode(HWND tree, HTREEITEM parent, const std::string& text, int image) {
    TVINSERTSTRUCTA item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.item.pszText = const_cast<char*>(text.c_str());
    item.item.iImage = item.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void fillTree(HWND tree, const std::string& file) {
    std::vector<char> buffer(1 << 16);
    const DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    HTREEITEM first = nullptr;
    std::vector<char> keys(1 << 16);
    for (const std::string& section : splitList(buffer, n)) {
        const DWORD k = GetPrivateProfileStringA(section.c_str(), nullptr, "", keys.data(),
                                                 static_cast<DWORD>(keys.size()), file.c_str());
        if (section == "Trusted") continue;
        const HTREEITEM node = addNode(tree, nullptr, section, 1);
        if (first == nullptr) first = node;
        for (const std::string& key : splitList(keys, k)) addNode(tree, node, key, 2);
        TVITEMA bold{};
        bold.mask = TVIF_STATE;
        bold.hItem = node;
        bold.state = bold.stateMask = TVIS_BOLD;
        SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&bold));
    }
    if (first != nullptr) {
        TreeView_SelectItem(tree, first);
        TreeView_Expand(tree, first, TVE_EXPAND);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::string cfg;
    if (__argc > 1) {
        const int size = WideCharToMultiByte(CP_ACP, 0, __wargv[1], -1, nullptr, 0, nullptr, nullptr);
        cfg.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
        WideCharToMultiByte(CP_ACP, 0, __wargv[1], -1, cfg.data(), size, nullptr, nullptr);
    }

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    const UniqueBrush background(CreateSolidBrush(kPanel));
    wc.hbrBackground = background.get();
    wc.lpszClassName = L"PlainEditor";
    RegisterClassExW(&wc);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - 500) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 368) / 2;
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Plain editor", WS_POPUP | WS_CLIPCHILDREN, x, y, 500, 368,
                                      nullptr, nullptr, instance, nullptr);

    const UniqueFont tahoma = font(L"Tahoma", -11, false), tahomaBold = font(L"Tahoma", -11, true);
    const UniqueFont title = font(L"Trebuchet MS", -21, false), verdana = font(L"Verdana", -9, false);
    const UniqueBitmap window = namedBitmap(instance, L"MAINPICTURE"), frame = namedBitmap(instance, L"FRAMEPICTURE");
    const UniqueBitmap closeImage = namedBitmap(instance, L"CLOSEBUTTON");
    const UniqueBitmap minimizeImage = namedBitmap(instance, L"MINIMIZEBUTTON");
    const HIMAGELIST treeImages =
        ImageList_LoadImageW(instance, L"TREEICONS", 16, 0, CLR_NONE, IMAGE_BITMAP, LR_CREATEDIBSECTION);

    // In the editor's creation order, which is its back-to-front order.
    const Builder b{hwnd, instance};
    b.picture(window.get(), 0, 0, 500, 368);
    b.picture(frame.get(), 243, 139, 239, 58);
    b.picture(frame.get(), 243, 72, 239, 58);
    SendMessageW(b.add(L"BUTTON", L"", BS_BITMAP, 444, 6, 34, 34), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(closeImage.get()));
    SendMessageW(b.add(L"BUTTON", L"", BS_BITMAP, 412, 6, 34, 34), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(minimizeImage.get()));
    b.add(L"STATIC", L"CORVANE - TRIMWELL", 0, 62, 10, 315, 27, title.get());
    b.add(L"STATIC", L"Visit the Corvane web site", SS_NOTIFY, 56, 330, 160, 13, tahomaBold.get());
    b.add(L"STATIC", L"", SS_CENTER, 253, 95, 220, 13, tahoma.get());
    b.add(L"STATIC", L"", SS_CENTER, 253, 162, 220, 13, tahoma.get());
    b.picture(frame.get(), 243, 206, 239, 58);
    b.add(L"STATIC", L"Section", 0, 256, 67, 42, 13, tahomaBold.get());
    b.add(L"STATIC", L"Key", 0, 256, 134, 21, 13, tahomaBold.get());
    b.add(L"STATIC", L"Value", 0, 256, 201, 31, 13, tahomaBold.get());
    b.add(L"STATIC", L"Loading...", 0, 100, 177, 53, 13, tahomaBold.get());
    const HWND loaded = b.add(L"STATIC", L"Loaded Aircraft:", 0, 25, 53, 460, 13, tahoma.get());
    b.add(L"BUTTON", L"&Exit", WS_TABSTOP, 363, 325, 100, 26, tahomaBold.get());
    b.add(L"BUTTON", L"&Save Key", WS_TABSTOP, 367, 269, 100, 26, tahomaBold.get());
    b.add(L"BUTTON", L"Exit to &FSX", WS_TABSTOP, 257, 325, 100, 26, tahomaBold.get());
    const HWND tree = b.add(WC_TREEVIEWW, L"",
                            WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                                TVS_TRACKSELECT | TVS_INFOTIP,
                            25, 72, 210, 225, verdana.get());
    TreeView_SetImageList(tree, treeImages, TVSIL_NORMAL);
    b.add(L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 256, 225, 214, 19, tahoma.get());
    b.add(L"BUTTON", L"&Load CFG", WS_TABSTOP, 261, 269, 100, 26, tahomaBold.get());
    b.add(L"SCROLLBAR", L"", SBS_VERT, 217, 73, 16, 223);
    if (!cfg.empty() && GetFileAttributesA(cfg.c_str()) != INVALID_FILE_ATTRIBUTES) {
        fillTree(tree, cfg);
        std::vector<char> aircraft(2048);
        GetPrivateProfileStringA("fltsim.0", "title", "(None)", aircraft.data(), 2048, cfg.c_str());
        SetWindowTextA(loaded, ("Loaded Aircraft: " + std::string(aircraft.data())).c_str());
    }

    startupbench::ShowAndRun(hwnd, show);
    ImageList_Destroy(treeImages);
    return 0;
}
