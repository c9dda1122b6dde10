#include "config/Variations.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "config/IniLayout.h"

namespace trimwell {

namespace {

constexpr std::string_view kPrefix = "fltsim.";
// Longer numbers are never reached by the simulator, and one past the highest must not overflow.
constexpr std::size_t kMaxDigits = 18;

// The N of a section named fltsim.N, N written as the simulator asks for it: decimal digits
// without a leading zero. Other names are not variations.
std::optional<std::uint64_t> variationNumber(std::string_view sectionName) {
    if (sectionName.size() <= kPrefix.size() || FoldCase(sectionName.substr(0, kPrefix.size())) != kPrefix)
        return std::nullopt;
    const std::string_view digits = sectionName.substr(kPrefix.size());
    if (digits.size() > kMaxDigits || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    std::uint64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n;
}

std::string sectionName(std::uint64_t number) { return std::string(kPrefix) + std::to_string(number); }
std::string header(std::uint64_t number) { return "[" + sectionName(number) + "]"; }

// Numbers first to last are missing; `next` is the first one present after them.
struct Gap {
    std::uint64_t first, last, next;
};

std::vector<Gap> gapsIn(const std::vector<Variation>& byNumber) {
    std::vector<Gap> gaps;
    std::uint64_t expected = 0;
    for (const auto& v : byNumber) {
        if (v.number > expected) gaps.push_back({expected, v.number - 1, v.number});
        expected = v.number + 1;
    }
    return gaps;
}

std::string missing(const Gap& gap) {
    return "no " + header(gap.first) + (gap.first == gap.last ? "" : " to " + header(gap.last));
}

std::string quoted(std::string_view title) { return "\"" + std::string(title) + "\""; }

// Each title that several variations share, whatever its letter case, with those variations in
// the order of their numbers. Variations without a title share nothing.
std::vector<std::vector<const Variation*>> sharedTitles(const std::vector<Variation>& byNumber) {
    std::unordered_map<std::string, std::vector<const Variation*>> byTitle;
    for (const auto& v : byNumber)
        if (!v.title.empty()) byTitle[FoldCase(v.title)].push_back(&v);
    std::vector<std::vector<const Variation*>> shared;
    for (const auto& v : byNumber) {
        if (v.title.empty()) continue;
        const auto& group = byTitle[FoldCase(v.title)];
        if (group.size() > 1 && group.front() == &v) shared.push_back(group);
    }
    return shared;
}

std::string usedBy(const std::vector<const Variation*>& group) {
    std::string text = "the title " + quoted(group.front()->title) + " is used by ";
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (i > 0) text += i + 1 == group.size() ? " and " : ", ";
        text += header(group[i]->number);
    }
    return text;
}

std::size_t lastKeyLine(const IniSection& section) {
    return section.keys.empty() ? section.headerLine : section.keys.back().line;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The lines of the copied variation from its header to its last key line, comments among the keys
// included, with its title and texture lines (the key name spelled as there) set to the new ones.
std::vector<std::string> copiedLines(const IniLayout& file, const IniSection& from, std::string_view title,
                                     std::string_view texture) {
    std::vector<std::string> lines;
    bool titleSet = false, textureSet = false;
    auto key = from.keys.begin();
    for (std::size_t i = from.headerLine + 1; i <= lastKeyLine(from); ++i) {
        while (key != from.keys.end() && key->line < i) ++key;
        const std::string name = key != from.keys.end() && key->line == i ? FoldCase(key->name) : std::string();
        if (name == "title") {
            lines.push_back(key->name + "=" + std::string(title));
            titleSet = true;
        } else if (name == "texture") {
            lines.push_back(key->name + "=" + std::string(texture));
            textureSet = true;
        } else {
            lines.emplace_back(file.LineText(i));
        }
    }
    if (!titleSet) lines.push_back("title=" + std::string(title));
    if (!textureSet) lines.push_back("texture=" + std::string(texture));
    return lines;
}

// The file with a blank line and the new section after the given line, in the file's own line ends.
std::string withSectionAfter(const IniLayout& file, std::size_t lineIndex, const std::string& headerText,
                             const std::vector<std::string>& lines) {
    const std::string eol = file.LineEnding();
    const IniLine& line = file.Lines()[lineIndex];
    std::string block = line.next == line.end ? eol : std::string();  // the file's last line gets its end first
    block += eol + headerText + eol;
    for (const auto& l : lines) block += l + eol;
    return std::string(file.Text()).insert(line.next, block);
}

std::vector<std::string> refusalsFor(const IniLayout& file, const VariationList& list, std::string_view title,
                                     std::string_view texture, const Variation* from, std::string_view fromText) {
    std::vector<std::string> refusals;
    if (!file.Writable()) refusals.push_back("the file is UTF-16 text, which an 8-bit rewrite would corrupt");
    if (hasLineBreak(title) || hasLineBreak(texture))
        refusals.push_back("the title and the texture must be one line each");
    if (!from) refusals.push_back("no [" + std::string(kPrefix) + std::string(fromText) + "] to copy");
    const std::string newTitle = FoldCase(ValueAsRead(title));
    for (const auto& v : list.variations)
        if (!newTitle.empty() && FoldCase(v.title) == newTitle)
            refusals.push_back("the title " + quoted(v.title) + " is already used by " + header(v.number));
    const std::uint64_t next = list.variations.empty() ? 0 : list.variations.back().number + 1;
    for (const auto& gap : gapsIn(list.variations))
        refusals.push_back(missing(gap) + ": the simulator would never show the new " + header(next));
    return refusals;
}

}  // namespace

VariationList ListVariations(const IniLayout& file) {
    VariationList list;
    for (const auto& s : file.Sections()) {
        const auto number = variationNumber(s.name);
        if (!number || file.FindSection(s.name) != &s) continue;
        list.variations.push_back({*number, std::string(file.ReadValue(s, "title").value_or("")),
                                   std::string(file.ReadValue(s, "texture").value_or("")), &s});
    }
    std::sort(list.variations.begin(), list.variations.end(),
              [](const Variation& a, const Variation& b) { return a.number < b.number; });
    for (const auto& gap : gapsIn(list.variations))
        list.warnings.push_back(missing(gap) + ": the simulator stops before " + header(gap.next));
    for (const auto& group : sharedTitles(list.variations)) list.warnings.push_back(usedBy(group));
    return list;
}

AddedVariation AddVariation(const IniLayout& file, std::string_view title, std::string_view texture,
                            std::string_view from) {
    const VariationList list = ListVariations(file);
    const auto fromNumber = variationNumber(std::string(kPrefix) + std::string(from));
    const auto source = std::find_if(list.variations.begin(), list.variations.end(),
                                     [&](const Variation& v) { return fromNumber && v.number == *fromNumber; });
    const Variation* fromVariation = source == list.variations.end() ? nullptr : &*source;

    AddedVariation added;
    added.refusals = refusalsFor(file, list, title, texture, fromVariation, from);
    if (!added.refusals.empty()) return added;
    const Variation& highest = list.variations.back();
    added.sectionName = sectionName(highest.number + 1);
    added.bytes = withSectionAfter(file, lastKeyLine(*highest.section), "[" + added.sectionName + "]",
                                   copiedLines(file, *fromVariation->section, title, texture));
    return added;
}

std::string TextureFolderName(std::string_view texture) {
    return texture.empty() ? std::string("texture") : "texture." + std::string(texture);
}

}  // namespace trimwell
