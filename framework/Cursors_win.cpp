// Which cursor a window shows: the windowless child's under the pointer, else its own.
#include "framework/Controls_win.h"

#include <map>

namespace trimwell {

namespace {

std::map<TCursor, HCURSOR>& registeredCursors() {
    static std::map<TCursor, HCURSOR> cursors;
    return cursors;
}

HCURSOR cursorHandle(TCursor c) {
    if (const auto it = registeredCursors().find(c); it != registeredCursors().end()) return it->second;
    switch (c) {
        case crHandPoint: return LoadCursorW(nullptr, IDC_HAND);
        case crArrow: return LoadCursorW(nullptr, IDC_ARROW);
        default:
            if (c > 0) return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c));
            return nullptr;
    }
}

}  // namespace

void RegisterCursor(TCursor id, HCURSOR cursor) { registeredCursors()[id] = cursor; }

LRESULT TWinControl::onSetCursor(UINT msg, WPARAM wp, LPARAM lp) {
    if (PaintsItself() || LOWORD(lp) != HTCLIENT || reinterpret_cast<HWND>(wp) != handle_.get())
        return DefaultHandler(msg, wp, lp);
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(handle_.get(), &p);
    const TGraphicControl* child = graphicChildAt(p.x, p.y);
    const HCURSOR cursor = cursorHandle(child ? child->Cursor() : Cursor());
    if (cursor == nullptr) return DefaultHandler(msg, wp, lp);
    ::SetCursor(cursor);
    return TRUE;
}

}  // namespace trimwell
