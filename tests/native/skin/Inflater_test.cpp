// The inflater against streams from zlib and against hand-made streams that the format excludes.
#include <gtest/gtest.h>
#include <zlib.h>

#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/TestData.h"
#include "tests/native/skin/ZlibDeflate.h"

namespace trimwell {
namespace {

using testing::Bytes;
using testing::ZlibDeflate;

struct Inflated {
    InflateStatus status;
    Bytes out;
};

Inflated Inflate(const Bytes& in, std::uint64_t limit = UINT64_MAX) {
    Inflated r;
    r.status = InflateRaw(in, [&r](const std::uint8_t* p, std::size_t n) { r.out.insert(r.out.end(), p, p + n); },
                          limit);
    return r;
}

// Deflate bits are packed from the least significant end; Huffman codes go most significant bit first.
class BitWriter {
public:
    BitWriter& Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
        return *this;
    }
    BitWriter& Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
        return *this;
    }
    // Fixed literal/length code of RFC 1951.
    BitWriter& Fixed(int symbol) {
        if (symbol < 144) return Code(0x30 + symbol, 8);
        if (symbol < 256) return Code(0x190 + symbol - 144, 9);
        if (symbol < 280) return Code(symbol - 256, 7);
        return Code(0xC0 + symbol - 280, 8);
    }
    Bytes Finish() { return bytes_; }

private:
    void Bit(std::uint32_t b) {
        if (count_ % 8 == 0) bytes_.push_back(0);
        bytes_.back() |= static_cast<std::uint8_t>(b << (count_ % 8));
        ++count_;
    }
    Bytes bytes_;
    int count_ = 0;
};

struct ZlibConfig {
    const char* name;
    int level;
    int strategy;
};

constexpr ZlibConfig kConfigs[] = {
    {"level0", 0, Z_DEFAULT_STRATEGY}, {"level1", 1, Z_DEFAULT_STRATEGY}, {"level6", 6, Z_DEFAULT_STRATEGY},
    {"level9", 9, Z_DEFAULT_STRATEGY}, {"filtered", 6, Z_FILTERED},       {"huffmanOnly", 6, Z_HUFFMAN_ONLY},
    {"rle", 6, Z_RLE},                 {"fixed", 6, Z_FIXED},
};

TEST(InflateInterop, EveryZlibLevelAndStrategyReproducesEverySampleExactly) {
    for (const auto& sample : testing::Samples()) {
        const Bytes data = sample.make();
        for (const auto& config : kConfigs) {
            SCOPED_TRACE(std::string(sample.name) + " " + config.name);
            const Inflated r = Inflate(ZlibDeflate(data, config.level, config.strategy));
            EXPECT_EQ(r.status, InflateStatus::Done);
            EXPECT_TRUE(r.out == data);
        }
    }
}

TEST(InflateEdges, StoredBlockTakesLengthFromLow16BitsAndIgnoresComplement) {
    Bytes stream{0x01, 0x03, 0x00, 0x12, 0x34, 'a', 'b', 'c'};
    const Inflated r = Inflate(stream);
    EXPECT_EQ(r.status, InflateStatus::Done);
    EXPECT_EQ(r.out, (Bytes{'a', 'b', 'c'}));
}

TEST(InflateEdges, DistanceOneRepeatsThePreviousByte) {
    const Bytes stream = BitWriter().Bits(1, 1).Bits(1, 2).Fixed('x').Fixed(285).Code(0, 5).Fixed(256).Finish();
    const Inflated r = Inflate(stream);
    EXPECT_EQ(r.status, InflateStatus::Done);
    EXPECT_EQ(r.out, Bytes(259, 'x'));
}

TEST(InflateEdges, OverlappingMatchesOfShortDistancesRepeatTheirPattern) {
    // "abc", then length 10 at distance 3, then length 11 at distance 7 over what that wrote.
    const Bytes stream = BitWriter()
                             .Bits(1, 1).Bits(1, 2)
                             .Fixed('a').Fixed('b').Fixed('c')
                             .Fixed(264).Code(2, 5)
                             .Fixed(265).Bits(0, 1).Code(5, 5).Bits(0, 1)
                             .Fixed(256).Finish();
    const Inflated r = Inflate(stream);
    EXPECT_EQ(r.status, InflateStatus::Done);
    EXPECT_EQ(std::string(r.out.begin(), r.out.end()), "abcabcabcabcaabcabcaabca");
}

TEST(InflateInterop, LongMatchesOfEveryShortPeriodComeOutExactly) {
    // Each period's bytes repeated far past one match length, so zlib emits long matches at
    // that distance, followed by a tail that breaks the pattern at every possible phase.
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24); };
    for (std::size_t period = 1; period <= 40; ++period) {
        Bytes data;
        for (std::size_t phase = 0; phase < period; ++phase) {
            Bytes unit(period);
            for (auto& b : unit) b = next();
            for (std::size_t n = 0; n < 600 + phase; ++n) data.push_back(unit[n % period]);
            data.push_back(next());
        }
        for (const int strategy : {Z_DEFAULT_STRATEGY, Z_RLE}) {
            SCOPED_TRACE(::testing::Message() << "period " << period << " strategy " << strategy);
            const Inflated r = Inflate(trimwell::testing::ZlibDeflate(data, 9, strategy));
            EXPECT_EQ(r.status, InflateStatus::Done);
            EXPECT_TRUE(r.out == data);
        }
    }
}

TEST(InflateEdges, StreamsTheFormatExcludesAreRejectedWithoutHanging) {
    const Bytes compressed = ZlibDeflate(testing::TextSample(100000), 6, Z_DEFAULT_STRATEGY);
    struct Case {
        const char* name;
        Bytes stream;
        InflateStatus expected;
    };
    const std::vector<Case> cases = {
        {"empty input", {}, InflateStatus::Truncated},
        {"cut in half", Bytes(compressed.begin(), compressed.begin() + compressed.size() / 2),
         InflateStatus::Truncated},
        {"stored block cut short", {0x01, 0x10, 0x00, 0xEF, 0xFF, 'a'}, InflateStatus::Truncated},
        {"no final block", BitWriter().Bits(0, 1).Bits(1, 2).Fixed(256).Finish(), InflateStatus::Truncated},
        {"block type 3", BitWriter().Bits(1, 1).Bits(3, 2).Bits(0, 16).Finish(), InflateStatus::Corrupt},
        {"distance before the start",
         BitWriter().Bits(1, 1).Bits(1, 2).Fixed('a').Fixed(257).Code(1, 5).Fixed(256).Finish(),
         InflateStatus::Corrupt},
        {"distance code 30", BitWriter().Bits(1, 1).Bits(1, 2).Fixed('a').Fixed(257).Code(30, 5).Finish(),
         InflateStatus::Corrupt},
        {"length code 286", BitWriter().Bits(1, 1).Bits(1, 2).Fixed(286).Finish(), InflateStatus::Corrupt},
        {"HLIT above 286", BitWriter().Bits(1, 1).Bits(2, 2).Bits(30, 5).Bits(0, 5).Bits(0, 4).Finish(),
         InflateStatus::Corrupt},
        {"HDIST above 30", BitWriter().Bits(1, 1).Bits(2, 2).Bits(0, 5).Bits(30, 5).Bits(0, 4).Finish(),
         InflateStatus::Corrupt},
        // Code-length codes for 16, 17, 18, 0; canonical order makes 0 -> "0" and the other "1".
        {"repeat code first",
         BitWriter().Bits(1, 1).Bits(2, 2).Bits(0, 5).Bits(0, 5).Bits(0, 4)
             .Bits(1, 3).Bits(0, 3).Bits(0, 3).Bits(1, 3).Code(1, 1).Bits(0, 2).Finish(),
         InflateStatus::Corrupt},
        {"repeat past the lengths",
         BitWriter().Bits(1, 1).Bits(2, 2).Bits(0, 5).Bits(0, 5).Bits(0, 4)
             .Bits(0, 3).Bits(0, 3).Bits(1, 3).Bits(1, 3)
             .Code(1, 1).Bits(127, 7).Code(1, 1).Bits(127, 7).Finish(),
         InflateStatus::Corrupt},
        {"over-subscribed code lengths",
         BitWriter().Bits(1, 1).Bits(2, 2).Bits(0, 5).Bits(0, 5).Bits(0, 4)
             .Bits(1, 3).Bits(1, 3).Bits(1, 3).Bits(0, 3).Bits(0, 32).Finish(),
         InflateStatus::Corrupt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Inflate(c.stream).status, c.expected);
    }
}

TEST(InflateEdges, OutputLimitStopsABombEarly) {
    const Bytes compressed = ZlibDeflate(Bytes(50u * 1024 * 1024, 0), 9, Z_DEFAULT_STRATEGY);
    const Inflated r = Inflate(compressed, 100000);
    EXPECT_EQ(r.status, InflateStatus::LimitReached);
    EXPECT_LE(r.out.size(), 100000u + 65536u);
}

TEST(HuffmanTree, TableEntriesPackSymbolLengthAndExtraBitsAtBitReversedSlots) {
    // Lengths 2,1,3,3 give the canonical codes 10, 0, 110, 111.
    const std::uint8_t lengths[] = {9, 2, 1, 3, 3};
    const std::uint8_t extra[] = {4, 5};
    THuffmanTree tree(15);
    ASSERT_TRUE(tree.Build(lengths, 1, 4, 2, extra));
    EXPECT_EQ(tree.MaxLength(), 3);
    for (std::uint32_t even : {0u, 2u, 4u, 6u}) EXPECT_EQ(tree.Lookup(even), 1u | (1u << 16));
    EXPECT_EQ(tree.Lookup(1), 0u | (2u << 16));
    EXPECT_EQ(tree.Lookup(5), 0u | (2u << 16));
    EXPECT_EQ(tree.Lookup(3), 2u | (3u << 16) | (4u << 24));
    EXPECT_EQ(tree.Lookup(7), 3u | (3u << 16) | (5u << 24));
}

TEST(HuffmanTree, RefusesSetsThatCannotBeDecodedButKeepsALoneOneBitCode) {
    THuffmanTree tree(7);
    const std::uint8_t overSubscribed[] = {1, 1, 1};
    const std::uint8_t incomplete[] = {1, 2};
    const std::uint8_t tooLong[] = {8, 8};
    const std::uint8_t lone[] = {0, 0, 1};
    EXPECT_FALSE(tree.Build(overSubscribed, 0, 3, 3, nullptr));
    EXPECT_FALSE(tree.Build(incomplete, 0, 2, 2, nullptr));
    EXPECT_FALSE(tree.Build(tooLong, 0, 2, 2, nullptr));
    ASSERT_TRUE(tree.Build(lone, 0, 3, 3, nullptr));
    EXPECT_EQ(tree.Lookup(0), 2u | (1u << 16));
    EXPECT_EQ(tree.Lookup(1), THuffmanTree::kEmpty);
}

}  // namespace
}  // namespace trimwell
