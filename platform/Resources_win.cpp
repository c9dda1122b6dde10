#include <windows.h>

#include <span>

#include "platform/Resources.h"
#include "platform/Resources_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

// The resource's bytes as they lie in the program image (valid while the program runs).
std::optional<std::span<const std::uint8_t>> findResource(std::string_view name, LPCWSTR type) {
    const std::wstring wide = Utf8ToWide(std::string(name));
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, wide.c_str(), type);
    if (info == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (data == nullptr || size == 0) return std::nullopt;
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data), size);
}

}  // namespace

void SetResourceFolder(std::string) {}

// Read in place: a copy of the main window's picture would cost more than its decoding, as
// every fresh page of memory does at start.
std::optional<ProgramBitmapBytes> FindProgramBitmap(std::string_view name) {
    const auto dib = findResource(name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!dib) return std::nullopt;
    return ProgramBitmapBytes::PackedDibView(*dib);
}

std::optional<std::vector<std::uint8_t>> LoadProgramData(std::string_view name) {
    const auto bytes = findResource(name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!bytes) return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

UniqueBitmap LoadBitmapResource(const std::string& name) {
    const std::wstring wide = AnsiToWide(name);
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), wide.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

std::string LoadResourceString(unsigned id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size the call hands out the resource's own read-only text.
    const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (n <= 0 || text == nullptr) return {};
    return WideToAnsi(std::wstring_view(text, static_cast<std::size_t>(n)));
}

HCURSOR LoadCursorResource(LPCWSTR name) { return LoadCursorW(GetModuleHandleW(nullptr), name); }

}  // namespace trimwell
