#include "platform/Text.h"

namespace trimwell {

std::string PathForDisplay(const std::string& path) { return path; }

}  // namespace trimwell
