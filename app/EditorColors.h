#pragma once
// Colours that both windows' layouts store.
#include <cstdint>

namespace trimwell {

// The caption colour of the skinned buttons.
inline constexpr std::int64_t kButtonText = 0x006B635A;
// The key colour of the window pictures: what lies under it is cut out of the window's shape.
inline constexpr std::int64_t kSkinTransparent = 0x00FF07FF;

}  // namespace trimwell
