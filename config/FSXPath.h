#pragma once
// Finding the simulator's installation folder through the values its installer leaves in the
// registry. The registry is only ever read.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>

namespace trimwell {

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class RegRoot { CurrentUser, LocalMachine };

// Read-only access to string values of the registry.
struct RegistryReader {
    virtual ~RegistryReader() = default;
    // nullopt when the key cannot be opened; "" when the value is absent; the text up to its
    // first zero byte otherwise. Throws ERegistryException for a value that is not a string.
    virtual std::optional<std::string> readString(RegRoot root, const std::string& key,
                                                  const std::string& valueName) = 0;
};

// A registry held in memory: for tests, and for systems without a registry of their own.
class MemoryRegistry final : public RegistryReader {
public:
    void setString(RegRoot root, const std::string& key, const std::string& valueName, const std::string& text);
    // A value of a type other than string, such as a DWORD.
    void setOtherType(RegRoot root, const std::string& key, const std::string& valueName);
    void createKey(RegRoot root, const std::string& key);

    std::optional<std::string> readString(RegRoot root, const std::string& key, const std::string& valueName) override;

private:
    using Key = std::tuple<RegRoot, std::string>;
    std::map<Key, std::map<std::string, std::optional<std::string>>> keys_;  // nullopt: not a string
};

using FileExistsFn = std::function<bool(const std::string&)>;

inline const char* const kFsxRegistryKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0\\";
// Where the simulator's Steam Edition registers its folder, as "AppPath" of the current user.
inline const char* const kFsxSteamRegistryKey =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0\\";

// The installation folder without a trailing backslash, or "" when no valid one is found. The
// boxed simulator's folder (the current user's "AppPath", then the machine's "SetupPath") is
// taken first; the Steam Edition's only when neither gives a valid folder.
std::string GetFSXPath(RegistryReader& registry, const FileExistsFn& fileExists);

// The same against this system's registry and file system.
std::string GetFSXPath();

// This system's registry. On Windows the real one, read through the 32-bit view the simulator's
// installer writes to; elsewhere the registry of the Wine prefix named by WINEPREFIX (or
// ~/.wine), where a simulator run under Wine keeps its values.
std::unique_ptr<RegistryReader> SystemRegistry();

}  // namespace trimwell
