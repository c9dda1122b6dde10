#include "config/FSXPath.h"

namespace trimwell {

namespace {

std::string withoutOneTrailingBackslash(std::string s) {
    if (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

// The folder named by one root's value, "" when the key or value is absent.
std::string candidateFolder(RegistryReader& registry, RegRoot root, const char* key, const char* valueName) {
    const auto text = registry.readString(root, key, valueName);
    return text ? withoutOneTrailingBackslash(*text) : std::string();
}

// An empty candidate is never valid, whatever "\fsx.exe" at the drive root may hold.
bool isInstallation(const std::string& folder, const FileExistsFn& fileExists) {
    return !folder.empty() && fileExists(folder + "\\fsx.exe");
}

}  // namespace

void MemoryRegistry::setString(RegRoot root, const std::string& key, const std::string& valueName,
                               const std::string& text) {
    keys_[{root, key}][valueName] = text;
}

void MemoryRegistry::setOtherType(RegRoot root, const std::string& key, const std::string& valueName) {
    keys_[{root, key}][valueName] = std::nullopt;
}

void MemoryRegistry::createKey(RegRoot root, const std::string& key) { keys_[{root, key}]; }

std::optional<std::string> MemoryRegistry::readString(RegRoot root, const std::string& key,
                                                      const std::string& valueName) {
    const auto k = keys_.find({root, key});
    if (k == keys_.end()) return std::nullopt;
    const auto v = k->second.find(valueName);
    if (v == k->second.end()) return std::string();
    if (!v->second) throw ERegistryException("Invalid data type for '" + valueName + "'");
    return v->second->substr(0, v->second->find('\0'));
}

std::string GetFSXPath(RegistryReader& registry, const FileExistsFn& fileExists) {
    std::string folder = candidateFolder(registry, RegRoot::CurrentUser, kFsxRegistryKey, "AppPath");
    if (!isInstallation(folder, fileExists)) folder.clear();
    if (folder.empty()) folder = candidateFolder(registry, RegRoot::LocalMachine, kFsxRegistryKey, "SetupPath");
    if (!isInstallation(folder, fileExists)) folder.clear();
    if (folder.empty()) folder = candidateFolder(registry, RegRoot::CurrentUser, kFsxSteamRegistryKey, "AppPath");
    if (!isInstallation(folder, fileExists)) folder.clear();
    return folder;
}

}  // namespace trimwell
