#pragma once
// The packed hint: an 8-bit hint that also carries the hint's UTF-16 text, so controls with
// wide hints can hand one string through the 8-bit hint path. Layout: the 8-bit text, a 0 byte,
// the UTF-16LE code units, a 16-bit 0 and the 16-bit mark 0xFFFE.
#include <optional>
#include <string>
#include <string_view>

namespace trimwell {

// The UTF-16 text of a packed hint, or nothing when `hint` is a plain 8-bit hint.
std::optional<std::u16string> UnpackHint(std::string_view hint);

// The part of a hint before the hint separator '|' (the whole hint without one).
std::string_view ShortHint(std::string_view hint);
std::u16string_view ShortHint(std::u16string_view hint);

}  // namespace trimwell
