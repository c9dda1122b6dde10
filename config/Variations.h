#pragma once
// An aircraft's variations (repaints): the sections [fltsim.0], [fltsim.1], ... that the simulator
// reads in the order of their numbers, stopping at the first number that is missing. A gap
// therefore hides every later variation, and two variations of one title confuse its aircraft list.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trimwell {

class IniLayout;
struct IniSection;

struct Variation {
    std::uint64_t number;
    std::string title;  // as read: blanks and one pair of quotes removed
    std::string texture;
    const IniSection* section;  // the first section of that name, the one the simulator reads
};

struct VariationList {
    std::vector<Variation> variations;  // in the order of their numbers
    std::vector<std::string> warnings;  // each gap in the numbering, then each title used twice
};

VariationList ListVariations(const IniLayout& file);

// The file with one more variation, [fltsim.M] with M one past the highest number: a copy of the
// variation numbered `from` with its title and texture lines replaced, placed after the last key
// line of the highest-numbered variation. Every other byte stays as it was.
struct AddedVariation {
    std::string sectionName;            // "fltsim.M"
    std::string bytes;                  // the whole new file; empty when refused
    std::vector<std::string> refusals;  // why nothing may be written, one line each
};

AddedVariation AddVariation(const IniLayout& file, std::string_view title, std::string_view texture,
                            std::string_view from);

// The folder beside the aircraft file that holds a texture's pictures.
std::string TextureFolderName(std::string_view texture);

}  // namespace trimwell
