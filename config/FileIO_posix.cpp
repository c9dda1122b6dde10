#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "config/FileIO.h"

namespace trimwell {

namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// A temporary file that removes itself unless it was committed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside) : path_(beside + ".XXXXXX") {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) path_.clear();
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    bool renameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) return false;
        path_.clear();
        return true;
    }

private:
    std::string path_;
    int fd_ = -1;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FileContents LoadWholeFile(const std::string& path) {
    using Status = FileContents::Status;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {(errno == ENOENT || errno == ENOTDIR) ? Status::Missing : Status::Unreadable, {}};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {Status::Unreadable, {}};
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {Status::Unreadable, {}};
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return {Status::Read, std::move(bytes)};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileContents file = LoadWholeFile(path);
    if (file.status != FileContents::Status::Read) return std::nullopt;
    return std::move(file.bytes);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

bool replaceByRename(const std::string& path, const std::string& bytes) {
    struct stat original {};
    const bool exists = ::stat(path.c_str(), &original) == 0;
    // A rename would replace even a read-only file, and root passes every access check, so the
    // file's own write permission bits are consulted too.
    if (exists && (!S_ISREG(original.st_mode) || (original.st_mode & 0222) == 0 ||
                   ::access(path.c_str(), W_OK) != 0))
        return false;
    if (::access(folderOf(path).c_str(), W_OK) != 0) return false;

    TemporaryFile temp(path);
    if (!temp.valid()) return false;
    const mode_t mode = exists ? (original.st_mode & 07777) : 0666 & ~[] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    if (::fchmod(temp.fd(), mode) != 0) return false;
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.close()) return false;
    return temp.renameTo(path);
}

// An aircraft file reached through a symbolic link (add-on managers link aircraft folders into
// the simulator's) is written where the link points, so the link stays a link.
std::string linkTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

}  // namespace

// A rename either happens whole or not at all, so nothing can be stranded here.
ReplaceOutcome ReplaceFileContents(const std::string& path, const std::string& bytes) {
    return {replaceByRename(linkTarget(path), bytes) ? ReplaceOutcome::Status::Replaced
                                                     : ReplaceOutcome::Status::Refused,
            {}};
}

std::string PathForDisplay(const std::string& path) { return path; }

}  // namespace trimwell
