// Any bytes as an aircraft file: list its variations and add one. An addition must insert one
// block and keep every other byte, and the new variation must then be listed under its number.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/IniLayout.h"
#include "config/Variations.h"

namespace {

std::size_t commonPrefix(const std::string& a, const std::string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

std::size_t commonSuffix(const std::string& a, const std::string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const trimwell::IniLayout file(bytes);
    const trimwell::VariationList before = trimwell::ListVariations(file);
    for (std::size_t i = 1; i < before.variations.size(); ++i)
        if (before.variations[i - 1].number >= before.variations[i].number) std::abort();

    const trimwell::AddedVariation added = trimwell::AddVariation(file, "Fuzz Paint", "fuzz", "0");
    if (!added.refusals.empty()) {
        if (!added.bytes.empty()) std::abort();
        return 0;
    }
    if (added.bytes.size() <= bytes.size()) std::abort();
    if (commonPrefix(bytes, added.bytes) + commonSuffix(bytes, added.bytes) < bytes.size()) std::abort();
    const trimwell::VariationList after = trimwell::ListVariations(trimwell::IniLayout(added.bytes));
    if (after.variations.size() != before.variations.size() + 1) std::abort();
    const trimwell::Variation& newest = after.variations.back();
    if (newest.number != before.variations.back().number + 1) std::abort();
    if (newest.title != "Fuzz Paint" || newest.texture != "fuzz") std::abort();
    return 0;
}
