#include <unistd.h>

#include <climits>

#include "skin/SUIMgr.h"

namespace trimwell {

// Without Windows folders, the theme file is looked for next to the program and then in the two
// usual places for shared program data: /usr/local/share/trimwell stands for the Windows folder
// and /usr/share/trimwell for the system folder.
std::vector<std::string> ThemeSearchFolders() {
    std::vector<std::string> folders;
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string path(exe, static_cast<std::size_t>(n));
        folders.push_back(path.substr(0, path.find_last_of('/') + 1));
    }
    folders.push_back("/usr/local/share/trimwell/");
    folders.push_back("/usr/share/trimwell/");
    return folders;
}

void RecomputeFormFrame(TComponent&) {}

}  // namespace trimwell
