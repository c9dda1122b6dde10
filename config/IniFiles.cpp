#include "config/IniFiles.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "config/IniLayout.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace trimwell {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kCrLf = "\r\n";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), asciiLower);
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

// Profile files written by Unicode-aware tools start with a UTF-16 byte-order mark. Their names
// and values are narrowed for reading (characters beyond 8 bits read as '?'); they are never
// rewritten, because an 8-bit rewrite would corrupt them.
std::string narrowUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        out.push_back(hi == 0 ? static_cast<char>(lo) : '?');
    }
    return out;
}

}  // namespace

class IniDocument {
public:
    explicit IniDocument(FileContents file) {
        if (file.status != FileContents::Status::Read) {
            // A file that is there but cannot be read reads as empty, and must never be written:
            // its whole content would be replaced by the one value.
            unreadable_ = file.status == FileContents::Status::Unreadable;
            missing_ = file.status == FileContents::Status::Missing;
            return;
        }
        raw_ = std::move(file.bytes);
        if (startsWith(raw_, "\xFF\xFE") || startsWith(raw_, "\xFE\xFF")) {
            utf16_ = true;
            text_ = narrowUtf16(raw_, raw_[0] == '\xFE');
        }
        const std::string_view t = text();
        splitLines(startsWith(t, "\xEF\xBB\xBF") ? 3 : 0);
        findSections();
    }

    bool writable() const { return !utf16_ && !unreadable_; }
    BuiltFrom builtFrom() const { return missing_ ? BuiltFrom::NoFile : BuiltFrom::ExistingFile; }

    std::vector<std::string_view> sectionNames() const {
        std::vector<std::string_view> names;
        for (const auto& s : sections_)
            if (isFirstOfItsName(s)) names.push_back(s.name);
        return names;
    }

    const IniSection* findSection(std::string_view name) const {
        const auto it = sectionIndex_.find(lowered(name));
        return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
    }

    const IniKey* findKey(const IniSection& section, std::string_view name) const {
        constexpr std::size_t kIndexFrom = 16;
        if (section.keys.size() < kIndexFrom) {
            for (const auto& k : section.keys)
                if (sameName(k.name, name)) return &k;
            return nullptr;
        }
        if (section.keyIndex.empty())
            for (std::size_t i = 0; i < section.keys.size(); ++i)
                section.keyIndex.try_emplace(lowered(section.keys[i].name), i);
        const auto it = section.keyIndex.find(lowered(name));
        return it == section.keyIndex.end() ? nullptr : &section.keys[it->second];
    }

    std::string_view valueOf(const IniKey& key) const {
        const std::string_view content = lineText(lines_[key.line]);
        return trim(content.substr(content.find('=') + 1));
    }

    // The file's bytes with one value set; everything else is kept byte for byte.
    std::string withValue(std::string_view section, std::string_view key, std::string_view value) const {
        const std::string keyLine = std::string(key) + "=" + std::string(value);
        std::string out = raw_;
        const std::string eol = lineEnding();
        const IniSection* s = findSection(section);
        if (!s) {
            if (!lines_.empty()) {
                const IniLine& last = lines_.back();
                if (last.next == last.end) out += eol;
                if (!trim(lineText(last)).empty()) out += eol;
            }
            out.append("[").append(section).append("]").append(eol).append(keyLine).append(eol);
            return out;
        }
        if (const IniKey* k = findKey(*s, key)) {
            const IniLine& line = lines_[k->line];
            return out.replace(line.begin, line.end - line.begin, keyLine);
        }
        const IniLine& after = lines_[lastNonBlankLine(*s)];
        if (after.next == after.end) return out.insert(after.end, eol + keyLine);
        return out.insert(after.next, keyLine + eol);
    }

private:
    friend class IniLayout;  // the same shape, read-only, for tools that edit by whole lines

    std::string_view text() const { return utf16_ ? std::string_view(text_) : std::string_view(raw_); }
    std::string_view lineText(const IniLine& l) const { return text().substr(l.begin, l.end - l.begin); }

    void splitLines(std::size_t pos) {
        const std::string_view t = text();
        while (pos < t.size()) {
            const auto end = std::min(t.find_first_of(kCrLf, pos), t.size());
            auto next = end;
            if (next < t.size()) next += (t[next] == '\r' && next + 1 < t.size() && t[next + 1] == '\n') ? 2 : 1;
            lines_.push_back({pos, end, next});
            pos = next;
        }
    }

    void findSections() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string_view content = trim(lineText(lines_[i]));
            if (!content.empty() && content.front() == '[') {
                if (!sections_.empty()) sections_.back().endLine = i;
                const std::string_view inner = content.substr(1);
                sections_.push_back({std::string(trim(inner.substr(0, inner.find(']')))), i, lines_.size(), {}, {}});
                sectionIndex_.try_emplace(lowered(sections_.back().name), sections_.size() - 1);
                continue;
            }
            if (sections_.empty() || content.empty() || content.front() == ';') continue;
            const auto eq = content.find('=');
            if (eq == std::string_view::npos) continue;
            // A line "=value" holds a key whose name is empty: a read of the empty name finds it.
            sections_.back().keys.push_back({std::string(trim(content.substr(0, eq))), i});
        }
    }

    bool isFirstOfItsName(const IniSection& s) const { return findSection(s.name) == &s; }

    std::size_t lastNonBlankLine(const IniSection& s) const {
        std::size_t last = s.headerLine;
        for (std::size_t i = s.headerLine + 1; i < s.endLine; ++i)
            if (!trim(lineText(lines_[i])).empty()) last = i;
        return last;
    }

    std::string lineEnding() const {
        if (lines_.empty() || lines_.front().next == lines_.front().end) return std::string(kCrLf);
        return std::string(text().substr(lines_.front().end, lines_.front().next - lines_.front().end));
    }

    std::string raw_;
    std::string text_;  // narrowed content of a UTF-16 file
    bool utf16_ = false;
    bool unreadable_ = false;
    bool missing_ = false;
    std::vector<IniLine> lines_;
    std::vector<IniSection> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-cased name -> first section
};

namespace {

// Listing passes names through a fixed-size block of zero-terminated names closed by one more
// zero; names that do not fit are cut at the block's end and later ones dropped.
template <typename Names>
void fillThroughNameBlock(const Names& all, TStrings& out) {
    out.clear();
    constexpr std::size_t room = TIniFile::NameBlockSize - 1;  // the closing zero
    std::size_t used = 0;
    for (const auto& name : all) {
        const std::string_view n(name);
        if (used + n.size() + 1 <= room) {
            out.emplace_back(n);
            used += n.size() + 1;
            continue;
        }
        if (room - used > 1) out.emplace_back(n.substr(0, room - used - 1));
        break;
    }
}

bool hasLineBreak(std::string_view s) { return s.find_first_of(kCrLf) != std::string_view::npos; }

// Names or values that would change the file's structure when written as a line.
bool isWritable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    return section.find(']') == std::string_view::npos && key.find('=') == std::string_view::npos &&
           key.front() != '[' && key.front() != ';';
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

const IniDocument& TIniFile::document() const {
    if (!document_) document_ = std::make_unique<IniDocument>(LoadWholeFile(FileName()));
    return *document_;
}

void TIniFile::ListSectionNames(TStrings& names) const { fillThroughNameBlock(document().sectionNames(), names); }

void TIniFile::ListKeyNames(const std::string& section, TStrings& names) const {
    const IniSection* s = document().findSection(trim(section));
    if (!s) {
        names.clear();
        return;
    }
    // Every key line, a name written twice included, so that the file shows what it holds; but
    // not an empty name, which in the name block would read as the end of the list.
    std::vector<std::string_view> keys;
    keys.reserve(s->keys.size());
    for (const auto& k : s->keys)
        if (!k.name.empty()) keys.push_back(k.name);
    fillThroughNameBlock(keys, names);
}

std::optional<std::string_view> TIniFile::findValue(const std::string& section, const std::string& key) const {
    const IniSection* s = document().findSection(trim(section));
    const IniKey* k = s ? document().findKey(*s, trim(key)) : nullptr;
    if (!k) return std::nullopt;
    return ValueAsRead(document().valueOf(*k));
}

std::string TIniFile::ReadWholeValue(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
    const std::optional<std::string_view> value = findValue(section, key);
    return value ? std::string(*value) : defaultValue;
}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const std::optional<std::string_view> value = findValue(section, key);
    return value ? std::string(value->substr(0, MaxValueLength)) : defaultValue;
}

void TIniFile::WriteValue(const std::string& section, const std::string& key, const std::string& value) {
    const std::string_view s = trim(section), k = trim(key);
    if (!isWritable(s, k, value) || !document().writable()) failWrite();
    std::string bytes = document().withValue(s, k, value);
    if (!ReplaceFileContents(FileName(), bytes, document().builtFrom())) failWrite();
    // What is on disk now is exactly these bytes: no need to read the file again.
    document_ = std::make_unique<IniDocument>(FileContents{FileContents::Status::Read, std::move(bytes)});
}

std::string_view ValueAsRead(std::string_view valueText) {
    std::string_view value = trim(valueText);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

std::string FoldCase(std::string_view name) { return lowered(name); }

IniLayout::IniLayout(std::string bytes)
    : document_(std::make_unique<IniDocument>(FileContents{FileContents::Status::Read, std::move(bytes)})) {}

IniLayout::~IniLayout() = default;

bool IniLayout::Writable() const { return document_->writable(); }
std::string_view IniLayout::Text() const { return document_->text(); }
const std::vector<IniLine>& IniLayout::Lines() const { return document_->lines_; }
std::string_view IniLayout::LineText(std::size_t line) const { return document_->lineText(Lines().at(line)); }
std::string IniLayout::LineEnding() const { return document_->lineEnding(); }
const std::vector<IniSection>& IniLayout::Sections() const { return document_->sections_; }
const IniSection* IniLayout::FindSection(std::string_view name) const { return document_->findSection(trim(name)); }

std::optional<std::string_view> IniLayout::ReadValue(const IniSection& section, std::string_view key) const {
    const IniKey* k = document_->findKey(section, trim(key));
    if (!k) return std::nullopt;
    return ValueAsRead(document_->valueOf(*k));
}

void TIniFile::failWrite() const { throw EIniFileException("Unable to write to " + PathForDisplay(FileName())); }

}  // namespace trimwell
