#pragma once
// A fresh folder under the temporary folder for one test, removed with everything in it.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Text.h"

namespace trimwell {

class Folder {
public:
    explicit Folder(const std::wstring& name) : path_(std::filesystem::temp_directory_path() / name) {
        clear();
        std::filesystem::create_directories(path_);
    }
    ~Folder() { clear(); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string file(const std::wstring& name) const { return WideToUtf8((path_ / name).wstring()); }
    std::string write(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return file(name);
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    // Read-only files (tests make them) must lose the attribute before they can go.
    void clear() const {
        std::error_code ec;
        for (const auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path_, ec);
    }

    std::filesystem::path path_;
};

inline std::string slurp(const std::string& utf8Path) {
    std::ifstream in(std::filesystem::path(Utf8ToWide(utf8Path)), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace trimwell
