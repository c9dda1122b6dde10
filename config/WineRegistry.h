#pragma once
// Reading string values out of the text files in which Wine keeps a prefix's registry
// (user.reg for HKEY_CURRENT_USER, system.reg for HKEY_LOCAL_MACHINE).
#include <optional>
#include <string>
#include <string_view>

namespace trimwell {

struct WineRegValue {
    bool isString = false;  // REG_SZ or REG_EXPAND_SZ
    std::string text;       // UTF-8, for string values only
};

struct WineRegLookup {
    bool keyFound = false;
    std::optional<WineRegValue> value;  // absent when the key has no such value
};

// Finds `keyPath` (backslash-separated, relative to the file's root, any letter case) and its
// value `valueName` in the text of a Wine registry file.
WineRegLookup LookupWineRegValue(std::string_view regFile, std::string_view keyPath, std::string_view valueName);

// True when the registry file belongs to a 64-bit prefix, whose 32-bit view of the machine's
// software lives under Software\Wow6432Node.
bool IsWin64RegistryFile(std::string_view regFile);

}  // namespace trimwell
