// ExtractSkinEntry with archives from Info-ZIP and from our own builder.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>

#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/SkinTestDir.h"
#include "tests/native/skin/TestData.h"

namespace trimwell {
namespace {

using testing::ArchiveLayout;
using testing::Bytes;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class ExtractTest : public testing::SkinTestDir {
protected:
    int Extract(const Bytes& archive, const std::string& entry = "SKINDATA.SK2", const std::string& password = "") {
        WriteFileBytes(Path("skin.sk"), archive);
        return ExtractSkinEntry(Path("skin.sk"), entry, Path("out"), password);
    }
    bool OutputExists() const { return std::filesystem::exists(dir_ / "out"); }

    // Runs Info-ZIP in the test folder and turns its "PK" into "SK".
    Bytes InfoZip(const Bytes& data, const std::string& options, bool streamed) {
        WriteFileBytes(Path("SKINDATA.SK2"), data);
        const std::string cmd = "cd '" + dir_.string() + "' && zip -q -X " + options +
                                (streamed ? " - - < SKINDATA.SK2 > made.zip" : " made.zip SKINDATA.SK2");
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        Bytes zip = ReadFileBytes(Path("made.zip"));
        zip[0] = 'S';
        return zip;
    }
};

bool HaveInfoZip() { return std::system("zip -v >/dev/null 2>&1") == 0; }

TEST_F(ExtractTest, InfoZipArchivesPlainEncryptedAndStreamedExtractExactly) {
    if (!HaveInfoZip()) GTEST_SKIP() << "Info-ZIP zip is not installed";
    for (const Bytes& data : {testing::TextSample(120000), testing::LargeSample()}) {
        struct Variant {
            const char* name;
            const char* options;
            bool streamed;
            const char* entry;
            const char* password;
        };
        const Variant variants[] = {
            {"normal", "-9", false, "skindata.sk2", ""},
            {"encrypted", "-P s3cret", false, "SKINDATA.SK2", "s3cret"},
            {"streamed with data descriptor", "-P s3cret", true, "-", "s3cret"},
        };
        for (const Variant& v : variants) {
            SCOPED_TRACE(v.name);
            const Bytes zip = InfoZip(data, v.options, v.streamed);
            if (v.streamed) {
                EXPECT_TRUE(zip[6] & 8) << "flag bit 3 expected";
            }
            ASSERT_EQ(Extract(zip, v.entry, v.password), kSkinExtracted);
            EXPECT_TRUE(ReadFileBytes(Path("out")) == data);
        }
    }
}

TEST_F(ExtractTest, ZlibStreamsInsidePlainAndEncryptedArchives) {
    for (const auto& sample : testing::Samples()) {
        SCOPED_TRACE(sample.name);
        const Bytes data = sample.make();
        uLongf size = compressBound(static_cast<uLong>(data.size()));
        Bytes zlibStream(size);
        ASSERT_EQ(compress2(zlibStream.data(), &size, data.data(), static_cast<uLong>(data.size()), 9), Z_OK);
        ArchiveLayout layout;
        // Strip the two-byte zlib header and the four-byte Adler-32 to get raw deflate.
        layout.compressed.assign(zlibStream.begin() + 2, zlibStream.begin() + static_cast<std::ptrdiff_t>(size) - 4);
        layout.uncompressedSize = static_cast<std::uint32_t>(data.size());
        layout.crc = testing::Crc32(data);
        ASSERT_EQ(Extract(testing::BuildSkinArchive(layout)), kSkinExtracted);
        EXPECT_TRUE(ReadFileBytes(Path("out")) == data);
        layout.password = "pw";
        ASSERT_EQ(Extract(testing::BuildSkinArchive(layout), "SKINDATA.SK2", "pw"), kSkinExtracted);
        EXPECT_TRUE(ReadFileBytes(Path("out")) == data);
    }
}

TEST_F(ExtractTest, ArchiveDetailsThatStillExtract) {
    const Bytes data = testing::TextSample(5000);
    ArchiveLayout layout = testing::StoredLayout(data);
    layout.method = 0;  // the method field is not consulted: the data is inflated all the same
    EXPECT_EQ(Extract(testing::BuildSkinArchive(layout), "skindata.sk2"), kSkinExtracted);

    layout = testing::StoredLayout(data);
    layout.password = "pw";
    layout.flags = 8;  // the check byte then comes from the modification time
    EXPECT_EQ(Extract(testing::BuildSkinArchive(layout), "SKINDATA.SK2", "pw"), kSkinExtracted);

    WriteFileBytes(Path("out"), Bytes(200000, 'z'));  // an older file of that name is replaced
    EXPECT_EQ(Extract(testing::BuildSkinArchive(testing::StoredLayout(data))), kSkinExtracted);
    EXPECT_TRUE(ReadFileBytes(Path("out")) == data);
}

TEST_F(ExtractTest, FailuresGiveTheirResultAndLeaveNoOutput) {
    const Bytes data = testing::TextSample(5000);
    const Bytes good = testing::BuildSkinArchive(testing::StoredLayout(data));
    ArchiveLayout zip = testing::StoredLayout(data);
    zip.zipMagic = true;
    ArchiveLayout wrongSize = testing::StoredLayout(data);
    wrongSize.uncompressedSize += 1;
    ArchiveLayout encrypted = testing::StoredLayout(data);
    encrypted.password = "right";
    ArchiveLayout emptyEntry = testing::StoredLayout({});
    Bytes withComment = good;
    withComment[withComment.size() - 2] = 3;
    withComment.insert(withComment.end(), {'a', 'b', 'c'});
    const Bytes truncatedStream = [&] {
        ArchiveLayout s = testing::StoredLayout(data);
        s.compressed.resize(s.compressed.size() / 2);
        return testing::BuildSkinArchive(s);
    }();
    // Every byte of the entry decoded, then a reserved block type: only whole flushed pieces of
    // the window reach the file, so the size no longer matches.
    const Bytes corruptAfterData = [&] {
        ArchiveLayout s = testing::StoredLayout(data);
        s.compressed[0] = 0;  // the stored block is no longer the final one
        s.compressed.push_back(0x07);
        return testing::BuildSkinArchive(s);
    }();
    // More output than the central header records, which is a multiple of the flush size.
    const Bytes oversized = [] {
        ArchiveLayout s = testing::StoredLayout(testing::TextSample(100000));
        s.uncompressedSize = 32768;
        return testing::BuildSkinArchive(s);
    }();
    Bytes badCentralOffset = good;
    badCentralOffset[badCentralOffset.size() - 6] = 0xFF;

    struct Case {
        const char* name;
        Bytes archive;
        const char* entry;
        const char* password;
        int expected;
    };
    const std::vector<Case> cases = {
        {"PK magic", testing::BuildSkinArchive(zip), "SKINDATA.SK2", "", kSkinFailed},
        {"shorter than an end record", Bytes{'S', 'K', 3, 4, 0, 0}, "SKINDATA.SK2", "", kSkinFailed},
        {"end record with a comment", withComment, "SKINDATA.SK2", "", kSkinFailed},
        {"central directory outside the file", badCentralOffset, "SKINDATA.SK2", "", kSkinFailed},
        {"entry not found", good, "OTHER.SK2", "", kSkinFailed},
        {"empty output", testing::BuildSkinArchive(emptyEntry), "SKINDATA.SK2", "", kSkinFailed},
        {"wrong size", testing::BuildSkinArchive(wrongSize), "SKINDATA.SK2", "", kSkinPasswordOrSize},
        {"no password", testing::BuildSkinArchive(encrypted), "SKINDATA.SK2", "", kSkinPasswordOrSize},
        {"wrong password", testing::BuildSkinArchive(encrypted), "SKINDATA.SK2", "wrong", kSkinPasswordOrSize},
        {"deflate stream cut short", truncatedStream, "SKINDATA.SK2", "", kSkinPasswordOrSize},
        {"reserved block after the data", corruptAfterData, "SKINDATA.SK2", "", kSkinPasswordOrSize},
        {"more data than recorded", oversized, "SKINDATA.SK2", "", kSkinPasswordOrSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Extract(c.archive, c.entry, c.password), c.expected);
        EXPECT_FALSE(OutputExists());
    }
    EXPECT_EQ(ExtractSkinEntry(Path("missing.sk"), "SKINDATA.SK2", Path("out"), ""), kSkinFailed);
    EXPECT_FALSE(OutputExists());
}

}  // namespace
}  // namespace trimwell
