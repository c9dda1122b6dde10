// Packs the skin's pictures and its record table into the program's skin archive.
#include <cstdio>
#include <exception>

#include "resources/gen/Raster.h"
#include "resources/gen/SkinArchive.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: gen_skinarchive TABLE BITMAP_DIR OUT.sui\n");
        return 2;
    }
    try {
        std::vector<artwork::SkinRecord> records;
        std::string error;
        if (!artwork::readSkinTable(argv[1], argv[2], records, error)) {
            std::fprintf(stderr, "gen_skinarchive: %s\n", error.c_str());
            return 1;
        }
        const artwork::Bytes data = artwork::encodeSkinData(records);
        const artwork::Bytes archive = artwork::buildSkinArchive("SKINDATA.SK2", data);
        if (!artwork::saveFile(argv[3], archive)) {
            std::fprintf(stderr, "gen_skinarchive: cannot write %s\n", argv[3]);
            return 1;
        }
        std::printf("skin archive: %zu records, %zu bytes of skin data, %zu bytes packed\n", records.size(),
                    data.size(), archive.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gen_skinarchive: %s\n", e.what());
        return 1;
    }
    return 0;
}
