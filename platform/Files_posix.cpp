#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Files.h"

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

// The new content on its way into place: a file beside the target whose name says whose it is,
// so that one left by a killed process is understood. Removed unless it was moved into place.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& target) : path_(scratchPathFor(target)) {
        fd_ = ::mkstemps(path_.data(), static_cast<int>(kSuffix.size()));
        if (fd_ < 0) path_.clear();
    }
    ~ScratchFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    bool renameOver(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) return false;
        path_.clear();
        return true;
    }
    // Takes the target's name only while no file has it: the check and the move are one step.
    bool renameIfAbsent(const std::string& target) {
        if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
            path_.clear();
            return true;
        }
        if (errno != EINVAL && errno != ENOSYS) return false;
        // A file system without the no-replace rename: a hard link fails just as surely when the
        // name is taken.
        if (::link(path_.c_str(), target.c_str()) != 0) return false;
        ::unlink(path_.c_str());
        path_.clear();
        return true;
    }

private:
    static constexpr std::string_view kSuffix = ".tmp";
    static std::string scratchPathFor(const std::string& target) {
        const auto slash = target.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        return folder + "." + name + ".trimwell-XXXXXX" + std::string(kSuffix);
    }

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

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The replacement keeps the original's owner and group, so that root saving a user's file does
// not take it from that user; a user who may not give a file away keeps what the system allows.
// The mode goes last because changing the owner may clear its set-id bits.
bool takeOverOwnerAndMode(int fd, const struct stat* original) {
    if (original && ::fchown(fd, original->st_uid, original->st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), original->st_gid);
    return ::fchmod(fd, original ? (original->st_mode & 07777) : creationMode()) == 0;
}

bool replaceByRename(const std::string& path, const std::string& bytes, BuiltFrom builtFrom) {
    struct stat original {};
    const bool exists = ::stat(path.c_str(), &original) == 0;
    if (exists && builtFrom == BuiltFrom::NoFile) return false;
    // A rename would replace even a read-only file, and root passes every access check, so the
    // file's own write permission bits are consulted too.
    if (exists && (!S_ISREG(original.st_mode) || (original.st_mode & 0222) == 0 ||
                   ::access(path.c_str(), W_OK) != 0))
        return false;
    if (::access(folderOf(path).c_str(), W_OK) != 0) return false;

    ScratchFile temp(path);
    if (!temp.valid() || !takeOverOwnerAndMode(temp.fd(), exists ? &original : nullptr)) return false;
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.close()) return false;
    return builtFrom == BuiltFrom::NoFile ? temp.renameIfAbsent(path) : temp.renameOver(path);
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

bool ReplaceFileContents(const std::string& path, const std::string& bytes, BuiltFrom builtFrom) {
    return replaceByRename(linkTarget(path), bytes, builtFrom);
}

}  // namespace trimwell
