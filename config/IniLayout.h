#pragma once
// Where a profile file's lines, sections and key lines lie, found by the same parser TIniFile
// reads with, for tools that edit a file by whole lines (copying a section into a new one) and
// must agree with the editor on every name and value.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trimwell {

// One line of the file: content in [begin, end), its line ending in [end, next).
struct IniLine {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

struct IniKey {
    std::string name;
    std::size_t line;
};

struct IniSection {
    std::string name;
    std::size_t headerLine;
    std::size_t endLine;  // one past the section's last line
    std::vector<IniKey> keys;
    // Built on the first lookup in a long section, so reading every key stays linear.
    mutable std::unordered_map<std::string, std::size_t> keyIndex;
};

class IniDocument;

class IniLayout {
public:
    explicit IniLayout(std::string bytes);
    ~IniLayout();
    IniLayout(const IniLayout&) = delete;
    IniLayout& operator=(const IniLayout&) = delete;

    // False for a UTF-16 file: it is read narrowed to 8 bits, and an 8-bit rewrite would corrupt it.
    bool Writable() const;
    // What the line positions index: the file's bytes, or a UTF-16 file's narrowed text.
    std::string_view Text() const;
    const std::vector<IniLine>& Lines() const;
    std::string_view LineText(std::size_t line) const;
    // The line end that new lines take: the first line's, CR LF when it has none.
    std::string LineEnding() const;

    // Every section in file order, a name that occurs twice included.
    const std::vector<IniSection>& Sections() const;
    // The first section of that name, whatever its letter case; the one every read uses.
    const IniSection* FindSection(std::string_view name) const;
    // The value as TIniFile reads it: the first key line of that name, without blanks at either
    // end and without one pair of enclosing quotes.
    std::optional<std::string_view> ReadValue(const IniSection& section, std::string_view key) const;

private:
    std::unique_ptr<IniDocument> document_;
};

// A value's text as a read returns it: blanks at either end and one pair of quotes removed.
std::string_view ValueAsRead(std::string_view valueText);

// The form under which names compare equal whatever their letter case.
std::string FoldCase(std::string_view name);

}  // namespace trimwell
