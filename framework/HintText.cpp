#include "framework/HintText.h"

namespace trimwell {

std::optional<std::u16string> UnpackHint(std::string_view hint) {
    constexpr std::string_view mark("\0\0\xFE\xFF", 4);
    if (hint.size() < 5 || hint.substr(hint.size() - 4) != mark) return std::nullopt;
    const std::size_t nul = hint.find('\0');
    const std::size_t begin = nul + 1, end = hint.size() - 4;
    if (begin > end || (end - begin) % 2 != 0) return std::nullopt;
    std::u16string wide;
    wide.reserve((end - begin) / 2);
    for (std::size_t i = begin; i < end; i += 2)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(hint[i]) |
                                             (static_cast<unsigned char>(hint[i + 1]) << 8)));
    return wide;
}

std::string_view ShortHint(std::string_view hint) { return hint.substr(0, hint.find('|')); }

std::u16string_view ShortHint(std::u16string_view hint) { return hint.substr(0, hint.find(u'|')); }

}  // namespace trimwell
