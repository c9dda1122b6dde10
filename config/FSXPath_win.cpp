#include <windows.h>

#include "config/FSXPath.h"
#include "platform/Files.h"
#include "platform/Handles_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

// The simulator's installer is a 32-bit program, so its values live in the registry's 32-bit
// view; a 64-bit program opening the keys with KEY_READ alone would miss them under
// HKEY_LOCAL_MACHINE.
constexpr REGSAM kAccess = KEY_READ | KEY_WOW64_32KEY;

class Win32Registry final : public RegistryReader {
public:
    std::optional<std::string> readString(RegRoot root, const std::string& key, const std::string& valueName) override {
        HKEY opened = nullptr;
        const HKEY base = root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        if (RegOpenKeyExW(base, Utf8ToWide(key).c_str(), 0, kAccess, &opened) != ERROR_SUCCESS) return std::nullopt;
        const UniqueRegKey k(opened);

        const std::wstring name = Utf8ToWide(valueName);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + valueName + "'");

        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
            ERROR_SUCCESS)
            return std::string();
        text.resize(std::min<std::size_t>(bytes / sizeof(wchar_t), text.size()));
        return WideToUtf8(text.substr(0, text.find(L'\0')));
    }
};

}  // namespace

std::unique_ptr<RegistryReader> SystemRegistry() { return std::make_unique<Win32Registry>(); }

std::string GetFSXPath() { return GetFSXPath(*SystemRegistry(), FileExists); }

}  // namespace trimwell
