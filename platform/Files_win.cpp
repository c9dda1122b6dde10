#include "platform/Files_win.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <aclapi.h>

#include "platform/Files.h"
#include "platform/WineHost_win.h"
#include "platform/Handles_win.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

// The new content on its way into place: a file beside the target whose name says whose it is,
// so that one left by a killed process is understood. Deleted at the end unless it was moved into
// the target's place.
class ScratchFile {
public:
    explicit ScratchFile(const std::wstring& target) : target_(target) {
        for (int attempt = 0; attempt < 64 && !handle_; ++attempt) {
            std::wstring candidate = freshName();
            handle_.reset(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
            if (handle_) path_ = std::move(candidate);
            else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
    }
    ~ScratchFile() {
        handle_.reset();
        if (!path_.empty()) DeleteFileW(path_.c_str());
        if (!straggler_.empty()) DeleteFileW(straggler_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool valid() const { return !path_.empty(); }
    const std::wstring& path() const { return path_; }

    // Writes the bytes, dates the file as created when the original was, and flushes it to disk.
    bool fill(const std::string& bytes, const std::optional<FILETIME>& created) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        if (created) SetFileTime(handle_.get(), &*created, nullptr, nullptr);
        const bool flushed = FlushFileBuffers(handle_.get()) != FALSE;
        handle_.reset();
        return flushed;
    }

    // Under Wine: gives the file the Unix mode, owner and group of `original` (the owner where
    // the system allows, else the group). A Unix shell does it, and renames the file to a second
    // scratch name when done, which tells this side that it has finished; the file is removed
    // instead when the mode cannot be set.
    bool takeUnixModeAndOwnerOf(const std::wstring& original) {
        static const std::string script =
            "mode=$(stat -L -c %a -- \"$1\" 2>/dev/null || stat -L -f %Lp -- \"$1\") &&"
            " owner=$(stat -L -c %u:%g -- \"$1\" 2>/dev/null || stat -L -f %u:%g -- \"$1\") &&"
            " { chown -- \"$owner\" \"$2\" 2>/dev/null || chgrp -- \"${owner#*:}\" \"$2\" 2>/dev/null || :; } &&"
            " chmod -- \"$mode\" \"$2\" && mv -f -- \"$2\" \"$3\" || rm -f -- \"$2\"";
        const std::wstring ready = freshName();
        const auto source = UnixPathOf(original), scratch = UnixPathOf(path_), readyUnix = UnixPathOf(ready);
        if (!source || !scratch || !readyUnix) return false;
        constexpr DWORD kTimeoutMs = 10000;
        if (!RunUnixShellUntilGone(script, {*source, *scratch, *readyUnix}, path_, kTimeoutMs)) {
            straggler_ = ready;
            return false;
        }
        path_.clear();
        if (GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
        path_ = ready;
        return true;
    }

    // A program that has the target open for a moment (a reader, a virus scanner; under Wine any
    // open handle) makes the rename fail; it is tried again for a short while before the save is
    // refused.
    bool moveTo(const std::wstring& target, DWORD flags) {
        constexpr int kAttempts = 25;
        constexpr DWORD kPauseMs = 8;
        for (int attempt = 1;; ++attempt) {
            if (SystemMoveFile()(path_.c_str(), target.c_str(), flags)) {
                path_.clear();
                return true;
            }
            const DWORD error = GetLastError();
            if (attempt == kAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) return false;
            Sleep(kPauseMs);
        }
    }

private:
    std::wstring freshName() const {
        const auto slash = target_.find_last_of(L"\\/");
        const std::wstring folder = slash == std::wstring::npos ? L"" : target_.substr(0, slash + 1);
        const std::wstring name = slash == std::wstring::npos ? target_ : target_.substr(slash + 1);
        return folder + L"." + name + L".trimwell-" + uniqueSuffix() + L".tmp";
    }

    static std::wstring uniqueSuffix() {
        static std::atomic<unsigned> counter{0};
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        const unsigned mixed = static_cast<unsigned>(now.QuadPart) * 2654435761u ^ GetCurrentProcessId() * 40503u ^
                               counter.fetch_add(1) * 97u;
        wchar_t text[16];
        swprintf(text, 16, L"%06X", mixed & 0xFFFFFFu);
        return text;
    }

    std::wstring target_;
    UniqueFileHandle handle_;
    std::wstring path_;
    std::wstring straggler_;  // a second name the file may still take after a timed-out wait
};

// What a replacement carries over from the file it replaces.
struct OriginalFile {
    DWORD attributes = 0;
    std::optional<FILETIME> created;
};

// Another program holding the file open without write sharing makes the rename fail on some
// systems; ask first, with the same sharing a writer needs.
std::optional<OriginalFile> openForReplacing(const std::wstring& path, DWORD attributes) {
    const UniqueFileHandle h(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return std::nullopt;
    OriginalFile original{attributes, {}};
    FILETIME created{};
    if (GetFileTime(h.get(), &created, nullptr, nullptr)) original.created = created;
    return original;
}

// Where a path really leads: a symbolic link (and under Wine a Unix link, which shows as a plain
// file) is followed, so the save goes to the file it points at and the link stays a link.
std::wstring finalPathOf(const std::wstring& path) {
    const UniqueFileHandle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) return path;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return path;
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n + 1);
    }
}

// The attributes a user sets; read-only files are refused before they get here.
void copySettableAttributes(const std::wstring& to, DWORD attributes) {
    constexpr DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & settable) SetFileAttributesW(to.c_str(), attributes & settable);
}

// The original's own access rules: the entries set on it, and whether it is shielded from its
// folder's. Entries it inherits are left out, because the new file beside it inherits the same
// ones from the same folder and goes on inheriting them. When the original has nothing of its
// own, the new file's rules are already the same and are not touched.
void copyAccessRules(const std::wstring& from, const std::wstring& to) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                              &descriptor) != ERROR_SUCCESS)
        return;
    const std::unique_ptr<void, decltype(&LocalFree)> descriptorOwner(descriptor, &LocalFree);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const bool shielded = (control & SE_DACL_PROTECTED) != 0;
    if (shielded || !dacl) {
        SetNamedSecurityInfoW(const_cast<wchar_t*>(to.c_str()), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                              nullptr);
        return;
    }
    ACL_SIZE_INFORMATION size{};
    if (!GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return;
    std::vector<BYTE> ownAcl(size.AclBytesInUse);
    const auto own = reinterpret_cast<PACL>(ownAcl.data());
    if (!InitializeAcl(own, static_cast<DWORD>(ownAcl.size()), ACL_REVISION_DS)) return;
    for (DWORD i = 0; i < size.AceCount; ++i) {
        ACE_HEADER* ace = nullptr;
        if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) && !(ace->AceFlags & INHERITED_ACE))
            AddAce(own, ACL_REVISION_DS, MAXDWORD, ace, ace->AceSize);
    }
    if (own->AceCount == 0) return;
    SetNamedSecurityInfoW(const_cast<wchar_t*>(to.c_str()), SE_FILE_OBJECT,
                          DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, own,
                          nullptr);
}

// The original's owner and group, where the system lets this user set them.
void copyOwner(const std::wstring& from, const std::wstring& to) {
    constexpr SECURITY_INFORMATION part = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityW(from.c_str(), part, nullptr, 0, &needed);
    if (needed == 0) return;
    std::vector<BYTE> descriptor(needed);
    if (GetFileSecurityW(from.c_str(), part, descriptor.data(), needed, &needed))
        SetFileSecurityW(to.c_str(), part, descriptor.data());
}

// The original's protection goes with its content. Under Wine the Unix mode, owner and group are
// what protect the file, and Wine's mapping of access rules onto a mode widens it (0644 turns
// into 0775), so there they are copied on the Unix side instead.
bool copyProtection(const std::wstring& from, ScratchFile& to) {
    if (RunningUnderWine()) return to.takeUnixModeAndOwnerOf(from);
    copyAccessRules(from, to.path());
    copyOwner(from, to.path());
    return true;
}

}  // namespace

MoveFileCall& SystemMoveFile() {
    static MoveFileCall call = [](const wchar_t* from, const wchar_t* to, DWORD flags) {
        return MoveFileExW(from, to, flags);
    };
    return call;
}

FileContents LoadWholeFile(const std::string& path) {
    using ReadStatus = FileContents::Status;
    const std::wstring wide = Utf8ToWide(path);
    const HANDLE opened = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    const UniqueFileHandle h(opened);
    if (!h) {
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) return {ReadStatus::Unreadable, {}};
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return {ReadStatus::Read, std::move(bytes)};
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReplaceFileContents(const std::string& path, const std::string& bytes, BuiltFrom builtFrom) {
    const std::wstring target = finalPathOf(Utf8ToWide(path));
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (builtFrom == BuiltFrom::NoFile || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))))
        return false;
    const std::optional<OriginalFile> original = exists ? openForReplacing(target, attributes) : std::nullopt;
    if (exists && !original) return false;

    ScratchFile temp(target);
    if (!temp.valid() || !temp.fill(bytes, original ? original->created : std::nullopt)) return false;
    if (original) {
        copySettableAttributes(temp.path(), original->attributes);
        if (!copyProtection(target, temp)) return false;
    }
    // Without the replace flag the rename fails when a file has appeared meanwhile.
    const DWORD replace = builtFrom == BuiltFrom::ExistingFile ? MOVEFILE_REPLACE_EXISTING : 0;
    return temp.moveTo(target, replace | MOVEFILE_WRITE_THROUGH);
}

}  // namespace trimwell
