// Archive bytes through ExtractSkinEntry: the container, decryption and the inflater reading from
// a file. The first byte picks the password, so that encrypted entries are reached too.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Files.h"
#include "skin/SUI2SkinReader.h"

namespace {

// The scratch archive of this process, removed when the fuzzer exits.
struct ScratchFiles {
    std::string base = trimwell::TempFolder() + "fuzz-skin-" + std::to_string(::getpid());
    std::string archive = base + ".sk";
    std::string out = base + ".out";
    ~ScratchFiles() {
        std::remove(archive.c_str());
        std::remove(out.c_str());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFiles scratch;
    const std::string& archive = scratch.archive;
    const std::string& out = scratch.out;
    if (size == 0) return 0;
    const std::string password = data[0] & 1 ? "pw" : "";
    std::FILE* f = std::fopen(archive.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
    const int result = trimwell::ExtractSkinEntry(archive, "SKINDATA.SK2", out, password);
    if (result != trimwell::kSkinExtracted && access(out.c_str(), F_OK) == 0) __builtin_trap();
    std::remove(out.c_str());
    return 0;
}
