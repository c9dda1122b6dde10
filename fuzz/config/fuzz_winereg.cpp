// Any bytes as a Wine registry file.
#include <cstdint>
#include <string_view>

#include "config/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    trimwell::LookupWineRegValue(text, "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0", "AppPath");
    trimwell::LookupWineRegValue(text, "a", "");
    trimwell::IsWin64RegistryFile(text);
    return 0;
}
