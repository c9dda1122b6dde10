#include "skin/Inflater.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace trimwell {

namespace {

constexpr int kMaxCodeLength = 15;
constexpr int kMaxSymbols = 320;

constexpr std::array<std::uint8_t, 256> MakeByteReversal() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        int r = 0;
        for (int b = 0; b < 8; ++b)
            if (i & (1 << b)) r |= 0x80 >> b;
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(r);
    }
    return table;
}
constexpr std::array<std::uint8_t, 256> kByteReversal = MakeByteReversal();

std::uint32_t ReverseBits(std::uint32_t code, int length) {
    const std::uint32_t reversed16 = (static_cast<std::uint32_t>(kByteReversal[code & 0xFF]) << 8) |
                                     kByteReversal[(code >> 8) & 0xFF];
    return reversed16 >> (16 - length);
}

}  // namespace

THuffmanTree::THuffmanTree(int lengthLimit) : lengthLimit_(std::clamp(lengthLimit, 1, kMaxCodeLength)) {}

bool THuffmanTree::Build(const std::uint8_t* lengths, int first, int count, int firstExtraSymbol,
                         const std::uint8_t* extraBits) {
    table_.assign(1, kEmpty);
    maxLength_ = 0;
    mask_ = 0;
    if (count < 0 || count > kMaxSymbols) return false;
    std::array<int, kMaxCodeLength + 1> perLength{};
    int codes = 0;
    for (int i = 0; i < count; ++i) {
        const int length = lengths[first + i];
        if (length > lengthLimit_) return false;
        if (length == 0) continue;
        ++perLength[static_cast<std::size_t>(length)];
        ++codes;
        maxLength_ = std::max(maxLength_, length);
    }
    // Kraft sum: an over-subscribed set cannot be decoded; an incomplete one leaves codes that
    // mean nothing, which deflate allows only for a lone one-bit code.
    int left = 1;
    for (int length = 1; length <= maxLength_; ++length) {
        left = (left << 1) - perLength[static_cast<std::size_t>(length)];
        if (left < 0) return false;
    }
    if (left > 0 && !(codes <= 1 && maxLength_ <= 1)) return false;

    // Canonical codes, and the symbols listed by code length so that each length's codes can be
    // placed together.
    std::array<std::uint32_t, kMaxCodeLength + 2> nextCode{};
    std::array<int, kMaxCodeLength + 2> firstOfLength{};
    std::uint32_t code = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        code = (code + static_cast<std::uint32_t>(perLength[static_cast<std::size_t>(length - 1)])) << 1;
        nextCode[static_cast<std::size_t>(length)] = code;
        firstOfLength[static_cast<std::size_t>(length + 1)] =
            firstOfLength[static_cast<std::size_t>(length)] + perLength[static_cast<std::size_t>(length)];
    }
    std::array<std::uint16_t, kMaxSymbols> byLength{};
    std::array<int, kMaxCodeLength + 2> place = firstOfLength;
    for (int symbol = 0; symbol < count; ++symbol)
        if (const int length = lengths[first + symbol]; length != 0)
            byLength[static_cast<std::size_t>(place[static_cast<std::size_t>(length)]++)] =
                static_cast<std::uint16_t>(symbol);

    // The table grows one length at a time: doubling it repeats every shorter code in the new
    // upper half (those slots share the code's low bits), then the codes of the new length go in
    // once each. Every slot is written the number of times of one memcpy, not once per code.
    table_.resize(std::size_t{1} << maxLength_);
    table_[0] = kEmpty;
    for (int length = 1; length <= maxLength_; ++length) {
        const std::size_t half = std::size_t{1} << (length - 1);
        std::memcpy(table_.data() + half, table_.data(), half * sizeof(std::uint32_t));
        const auto begin = static_cast<std::size_t>(firstOfLength[static_cast<std::size_t>(length)]);
        const auto end = static_cast<std::size_t>(firstOfLength[static_cast<std::size_t>(length + 1)]);
        for (std::size_t k = begin; k < end; ++k) {
            const int symbol = byLength[k];
            const std::uint32_t extra =
                symbol >= firstExtraSymbol && extraBits ? extraBits[symbol - firstExtraSymbol] : 0u;
            table_[ReverseBits(nextCode[static_cast<std::size_t>(length)]++, length)] =
                static_cast<std::uint32_t>(symbol) | (static_cast<std::uint32_t>(length) << 16) | (extra << 24);
        }
    }
    mask_ = static_cast<std::uint32_t>(table_.size() - 1);
    return true;
}

namespace skin_detail {

namespace {

constexpr std::size_t kInputSize = 16384;
constexpr std::size_t kWindowSize = 65536 + 258;
constexpr std::size_t kFlushAt = 65536;
constexpr std::size_t kFlushSize = 32768;
// Room behind the window for match copies that move up to sixteen bytes at a time.
constexpr std::size_t kCopySlack = 16;
// Zero bits supplied past the end of the input before decoding gives up; more than any look-ahead.
constexpr int kMaxPaddingBits = 128;

constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 32;
constexpr int kFirstLengthSymbol = 257;
constexpr std::uint32_t kEndOfBlock = 256;

constexpr std::uint16_t kLengthBase[31] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27, 31,
                                           35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258, 0,  0};
constexpr std::uint8_t kLengthExtra[31] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                           3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0, 0, 0};
constexpr std::uint16_t kDistanceBase[32] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,   33,
                                             49,   65,   97,   129,  193,  257,   385,   513,   769, 1025, 1537,
                                             2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 0,   0};
constexpr std::uint8_t kDistanceExtra[32] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6,
                                             7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 0, 0};
constexpr int kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct FixedTables {
    THuffmanTree literals{kMaxCodeLength};
    THuffmanTree distances{kMaxCodeLength};
    FixedTables() {
        std::array<std::uint8_t, kLiteralCodes> lengths{};
        std::fill(lengths.begin(), lengths.begin() + 144, 8);
        std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
        std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
        std::fill(lengths.begin() + 280, lengths.end(), 8);
        literals.Build(lengths.data(), 0, kLiteralCodes, kFirstLengthSymbol, kLengthExtra);
        std::array<std::uint8_t, kDistanceCodes> distanceLengths{};
        distanceLengths.fill(5);
        distances.Build(distanceLengths.data(), 0, kDistanceCodes, 0, kDistanceExtra);
    }
};

// Built once when the program starts and shared read-only by every extraction.
const FixedTables kFixedTables;

const FixedTables& Fixed() { return kFixedTables; }

struct Stop {
    InflateStatus status;
};

std::uint32_t Load32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint64_t Load64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(Load32(p)) | (static_cast<std::uint64_t>(Load32(p + 4)) << 32);
}

// The first 2^Bits slots of a decoding table, holding only codes of at most Bits bits; the other
// slots say kEmpty, meaning "look in the whole table". Most symbols have short codes, so nearly
// every lookup stays in this small copy, which fits the first-level cache where a 2^15-entry
// table does not.
constexpr int kLiteralRootBits = 10;
constexpr int kDistanceRootBits = 8;

template <int Bits>
class RootTable {
public:
    explicit RootTable(const THuffmanTree& tree) {
        const std::uint32_t size = std::min<std::uint32_t>(tree.Mask() + 1, 1u << Bits);
        mask_ = size - 1;
        for (std::uint32_t i = 0; i < size; ++i) {
            const std::uint32_t entry = tree.Table()[i];
            slots_[i] = ((entry >> 16) & 0xFF) <= Bits ? entry : THuffmanTree::kEmpty;
        }
    }
    std::uint32_t Lookup(std::uint64_t bits) const { return slots_[static_cast<std::uint32_t>(bits) & mask_]; }

private:
    std::array<std::uint32_t, 1u << Bits> slots_;
    std::uint32_t mask_;
};

class Inflater {
public:
    Inflater(ByteSource& source, const InflateSink& sink, std::uint64_t limit)
        : source_(source),
          sink_(sink),
          limit_(limit),
          input_(std::make_unique_for_overwrite<std::uint8_t[]>(kInputSize)),
          window_(std::make_unique_for_overwrite<std::uint8_t[]>(kWindowSize + kCopySlack)) {}

    InflateStatus Run() {
        InflateStatus status = InflateStatus::Done;
        try {
            DecodeBlocks();
            // Bits taken from the zero padding mean the stream stopped short of its final block.
            if (paddingBits_ > bitCount_) status = InflateStatus::Truncated;
        } catch (const Stop& stop) {
            status = stop.status;
        }
        // Only a stream that reached its final block writes out what the window still holds; a
        // failed one leaves just the pieces already flushed, and the caller's size check decides.
        if (status == InflateStatus::Done) Emit(window_.get(), writePos_);
        return status;
    }

private:
    void DecodeBlocks() {
        bool last = false;
        while (!last) {
            Need32();
            last = (bits_ & 1) != 0;
            const unsigned type = static_cast<unsigned>(bits_ >> 1) & 3;
            Drop(3);
            switch (type) {
            case 0: CopyStored(); break;
            case 1: DecodeHuffman(Fixed().literals, Fixed().distances); break;
            case 2: DecodeDynamic(); break;
            default: throw Stop{InflateStatus::Corrupt};  // reserved block type
            }
        }
    }

    // --- bits -------------------------------------------------------------------------------

    void Drop(unsigned n) {
        bits_ >>= n;
        bitCount_ -= static_cast<int>(n);
    }

    // Guarantees at least 33 bits in the buffer: one 32-bit little-endian word at a time.
    void Need32() {
        if (bitCount_ > 32) return;
        if (inputEnd_ - inputPos_ >= 4) {
            bits_ |= static_cast<std::uint64_t>(Load32(&input_[inputPos_])) << bitCount_;
            inputPos_ += 4;
            bitCount_ += 32;
            return;
        }
        RefillSlow();
    }

    void RefillSlow() {
        TopUpInput();
        std::uint8_t word[4] = {0, 0, 0, 0};
        const std::size_t real = std::min<std::size_t>(4, inputEnd_ - inputPos_);
        if (real) std::memcpy(word, &input_[inputPos_], real);
        inputPos_ += real;
        paddingBits_ += static_cast<int>(4 - real) * 8;
        if (paddingBits_ > kMaxPaddingBits) throw Stop{InflateStatus::Truncated};
        bits_ |= static_cast<std::uint64_t>(Load32(word)) << bitCount_;
        bitCount_ += 32;
    }

    // Moves the unread tail to the front and fills the rest of the input buffer from the source.
    void TopUpInput() {
        const std::size_t tail = inputEnd_ - inputPos_;
        if (tail) std::memmove(input_.get(), &input_[inputPos_], tail);
        inputPos_ = 0;
        inputEnd_ = tail;
        while (!sourceDone_ && inputEnd_ < kInputSize) {
            const std::size_t n = source_.Read(&input_[inputEnd_], kInputSize - inputEnd_);
            if (n == 0) sourceDone_ = true;
            inputEnd_ += n;
        }
    }

    // --- output -----------------------------------------------------------------------------

    void Emit(const std::uint8_t* data, std::size_t size) {
        if (size) sink_(data, size);
    }

    void MakeRoom() {
        if (writePos_ < kFlushAt) return;
        written_ += kFlushSize;
        if (written_ > limit_) throw Stop{InflateStatus::LimitReached};
        Emit(window_.get(), kFlushSize);
        std::memmove(window_.get(), window_.get() + kFlushSize, writePos_ - kFlushSize);
        writePos_ -= kFlushSize;
    }

    // --- blocks -----------------------------------------------------------------------------

    void CopyStored() {
        Drop(static_cast<unsigned>(bitCount_ & 7));
        Need32();
        std::size_t length = static_cast<std::size_t>(bits_ & 0xFFFF);  // the complement is not checked
        Drop(32);
        while (length && bitCount_ >= 8) {
            MakeRoom();
            window_[writePos_++] = static_cast<std::uint8_t>(bits_);
            Drop(8);
            --length;
        }
        if (length && paddingBits_ > bitCount_) throw Stop{InflateStatus::Truncated};
        while (length) {
            MakeRoom();
            if (inputPos_ == inputEnd_) {
                TopUpInput();
                if (inputPos_ == inputEnd_) throw Stop{InflateStatus::Truncated};
            }
            const std::size_t n = std::min({length, inputEnd_ - inputPos_, kFlushAt - writePos_});
            std::memcpy(&window_[writePos_], &input_[inputPos_], n);
            writePos_ += n;
            inputPos_ += n;
            length -= n;
        }
    }

    void DecodeDynamic() {
        Need32();
        const int literalCount = static_cast<int>(bits_ & 31) + 257;
        const int distanceCount = static_cast<int>((bits_ >> 5) & 31) + 1;
        const int codeLengthCount = static_cast<int>((bits_ >> 10) & 15) + 4;
        Drop(14);
        if (literalCount > 286 || distanceCount > 30) throw Stop{InflateStatus::Corrupt};

        std::array<std::uint8_t, 19> codeLengthLengths{};
        for (int i = 0; i < codeLengthCount; ++i) {
            Need32();
            codeLengthLengths[static_cast<std::size_t>(kCodeLengthOrder[i])] = static_cast<std::uint8_t>(bits_ & 7);
            Drop(3);
        }
        THuffmanTree& codeLengths = codeLengths_;
        if (!codeLengths.Build(codeLengthLengths.data(), 0, 19, 19, nullptr)) throw Stop{InflateStatus::Corrupt};

        std::array<std::uint8_t, 318> lengths{};
        ReadCodeLengths(codeLengths, lengths.data(), literalCount + distanceCount);
        if (lengths[kEndOfBlock] == 0) throw Stop{InflateStatus::Corrupt};

        if (!literals_.Build(lengths.data(), 0, literalCount, kFirstLengthSymbol, kLengthExtra) ||
            !distances_.Build(lengths.data(), literalCount, distanceCount, 0, kDistanceExtra))
            throw Stop{InflateStatus::Corrupt};
        DecodeHuffman(literals_, distances_);
    }

    void ReadCodeLengths(const THuffmanTree& codeLengths, std::uint8_t* lengths, int total) {
        int n = 0;
        while (n < total) {
            Need32();
            const std::uint32_t entry = codeLengths.Lookup(static_cast<std::uint32_t>(bits_));
            if (entry == THuffmanTree::kEmpty) throw Stop{InflateStatus::Corrupt};
            const unsigned codeLength = (entry >> 16) & 0xFF;
            const unsigned symbol = entry & 0xFFFF;
            const auto above = static_cast<unsigned>(bits_ >> codeLength);
            if (symbol < 16) {
                lengths[n++] = static_cast<std::uint8_t>(symbol);
                Drop(codeLength);
                continue;
            }
            std::uint8_t value = 0;
            int repeat = 0;
            if (symbol == 16) {
                if (n == 0) throw Stop{InflateStatus::Corrupt};
                value = lengths[n - 1];
                repeat = 3 + static_cast<int>(above & 3);
                Drop(codeLength + 2);
            } else if (symbol == 17) {
                repeat = 3 + static_cast<int>(above & 7);
                Drop(codeLength + 3);
            } else {
                repeat = 11 + static_cast<int>(above & 127);
                Drop(codeLength + 7);
            }
            if (n + repeat > total) throw Stop{InflateStatus::Corrupt};
            std::fill(lengths + n, lengths + n + repeat, value);
            n += repeat;
        }
    }

    // The hot loop keeps the bit buffer, the input position and the write position in locals:
    // byte stores into the window could otherwise alias the members and force reloads.
    void DecodeHuffman(const THuffmanTree& literals, const THuffmanTree& distances) {
        const std::uint32_t* const literalTable = literals.Table();
        const std::uint32_t literalMask = literals.Mask();
        const std::uint32_t* const distanceTable = distances.Table();
        const std::uint32_t distanceMask = distances.Mask();
        const RootTable<kLiteralRootBits> literalRoot(literals);
        const RootTable<kDistanceRootBits> distanceRoot(distances);
        const std::uint8_t* const input = input_.get();
        std::uint8_t* const window = window_.get();
        std::uint64_t bits = bits_;
        int count = bitCount_;
        std::size_t inPos = inputPos_;
        std::size_t inEnd = inputEnd_;
        std::size_t out = writePos_;
        const auto save = [&] {
            bits_ = bits;
            bitCount_ = count;
            inputPos_ = inPos;
            writePos_ = out;
        };
        const auto load = [&] {
            bits = bits_;
            count = bitCount_;
            inPos = inputPos_;
            inEnd = inputEnd_;
            out = writePos_;
        };
        // With eight bytes at hand the buffer is topped up to 56 bits or more in one step (the
        // bytes past the count are the stream's next ones, so loading them again is harmless);
        // near the end of the input it takes 32-bit words as elsewhere.
        const auto refill = [&] {
            if (inEnd - inPos >= 8) {
                bits |= Load64(input + inPos) << count;
                inPos += static_cast<std::size_t>(63 - count) >> 3;
                count |= 56;
                return;
            }
            if (count > 32) return;
            if (inEnd - inPos >= 4) {
                bits |= static_cast<std::uint64_t>(Load32(input + inPos)) << count;
                inPos += 4;
                count += 32;
            } else {
                save();
                RefillSlow();
                load();
            }
        };
        const auto takeLiteral = [&](std::uint32_t entry) {
            if ((entry & 0xFFFF) >= 256) return false;
            window[out++] = static_cast<std::uint8_t>(entry);
            const unsigned length = (entry >> 16) & 0xFF;
            bits >>= length;
            count -= static_cast<int>(length);
            return true;
        };
        const auto corrupt = [&] {
            save();
            throw Stop{InflateStatus::Corrupt};
        };

        for (;;) {
            if (out >= kFlushAt) {
                save();
                MakeRoom();
                load();
            }
            refill();
            std::uint32_t entry = literalRoot.Lookup(bits);
            if (entry == THuffmanTree::kEmpty) entry = literalTable[static_cast<std::uint32_t>(bits) & literalMask];
            unsigned codeLength = (entry >> 16) & 0xFF;
            unsigned symbol = entry & 0xFFFF;
            if (takeLiteral(entry)) {
                // At least 18 bits remain (41 after a full refill), enough for any literal's code: a
                // second literal in a row needs neither a refill nor a window check (the window
                // keeps 258 spare bytes); a third one only a look at the count.
                if (takeLiteral(literalRoot.Lookup(bits)) && count >= kMaxCodeLength)
                    takeLiteral(literalRoot.Lookup(bits));
                continue;
            }
            if (entry == THuffmanTree::kEmpty || symbol > 285) corrupt();
            if (symbol == kEndOfBlock) {
                bits >>= codeLength;
                count -= static_cast<int>(codeLength);
                // Stored blocks take bytes from the buffer by count, so nothing may lie above it.
                bits &= count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
                save();
                return;
            }
            unsigned extra = entry >> 24;
            const std::size_t length =
                kLengthBase[symbol - kFirstLengthSymbol] + ((bits >> codeLength) & ((1u << extra) - 1));
            bits >>= codeLength + extra;
            count -= static_cast<int>(codeLength + extra);

            refill();
            entry = distanceRoot.Lookup(bits);
            if (entry == THuffmanTree::kEmpty) entry = distanceTable[static_cast<std::uint32_t>(bits) & distanceMask];
            codeLength = (entry >> 16) & 0xFF;
            symbol = entry & 0xFFFF;
            if (entry == THuffmanTree::kEmpty || symbol >= 30) corrupt();
            extra = entry >> 24;
            const std::size_t distance = kDistanceBase[symbol] + ((bits >> codeLength) & ((1u << extra) - 1));
            bits >>= codeLength + extra;
            count -= static_cast<int>(codeLength + extra);
            if (distance > out) corrupt();
            CopyMatch(window + out, distance, length);
            out += length;
        }
    }

    // A distance shorter than the length repeats the bytes just written, so such a copy must see
    // its own output, front to back. Copies move 16 bytes per step; the slack behind the window
    // absorbs the overshoot. Reading back bytes stored a moment ago, at an offset that straddles
    // two earlier stores, stalls the processor on every step; a short distance d instead has its
    // d bytes laid out once as a repeating pattern, and every step copies from that pattern.
    static void CopyMatch(std::uint8_t* out, std::size_t distance, std::size_t length) {
        const std::uint8_t* from = out - distance;
        if (distance >= 16) {
            for (std::size_t i = 0; i < length; i += 16) std::memcpy(out + i, from + i, 16);
        } else if (distance == 1) {
            std::memset(out, *from, length);
        } else if (length <= 16) {
            for (std::size_t i = 0; i < length; ++i) out[i] = from[i];
        } else {
            // pattern[k] = from[k mod d]; the step at offset i starts in it at i mod d.
            std::uint8_t pattern[15 + 16];
            for (std::size_t k = 0; k < distance + 16; ++k) pattern[k] = k < distance ? from[k] : pattern[k - distance];
            const std::size_t advance = 16 % distance;
            std::size_t phase = 0;
            for (std::size_t i = 0; i < length; i += 16) {
                std::memcpy(out + i, pattern + phase, 16);
                phase += advance;
                if (phase >= distance) phase -= distance;
            }
        }
    }

    ByteSource& source_;
    const InflateSink& sink_;
    const std::uint64_t limit_;

    // Neither buffer is cleared: every byte is written before it is read.
    std::unique_ptr<std::uint8_t[]> input_;
    std::size_t inputPos_ = 0;
    std::size_t inputEnd_ = 0;
    bool sourceDone_ = false;
    int paddingBits_ = 0;
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;

    std::unique_ptr<std::uint8_t[]> window_;
    std::size_t writePos_ = 0;
    // A dynamic block's tables, rebuilt for each block; their storage is kept between blocks.
    THuffmanTree codeLengths_{7};
    THuffmanTree literals_{kMaxCodeLength};
    THuffmanTree distances_{kMaxCodeLength};
    std::uint64_t written_ = 0;
};

}  // namespace

InflateStatus Inflate(ByteSource& source, const InflateSink& sink, std::uint64_t outputLimit) {
    return Inflater(source, sink, outputLimit).Run();
}

}  // namespace skin_detail

InflateStatus InflateRaw(std::span<const std::uint8_t> input, const InflateSink& sink, std::uint64_t outputLimit) {
    skin_detail::MemorySource source(input);
    return skin_detail::Inflate(source, sink, outputLimit);
}

}  // namespace trimwell
