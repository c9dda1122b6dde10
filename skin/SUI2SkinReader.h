#pragma once
// The skin archive: a one-entry ZIP-style container beginning with "SK" whose entry
// "SKINDATA.SK2" holds a chain of named bitmaps, integers, booleans and texts.
//
// Loading a skin and reading values (names are compared without regard to case):
//     trimwell::Tsk2SkinFileReader reader(path, "");        // throws ESkinReadError on result 1
//     if (reader.IsLoaded()) {
//         const trimwell::Bitmap* button = reader.GetBitmap("SKIN2_BUTTON");    // nullptr if absent
//         std::int32_t color = reader.GetInteger("SKIN2_FORMCOLOR");           // -1 if absent
//         bool flag = reader.GetBool("SKIN2_SOMEFLAG");                        // false if absent
//     }
// Paths are UTF-8 on every platform.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"

namespace trimwell {

// Results of ExtractSkinEntry.
enum : int {
    kSkinExtracted = 0,
    kSkinFailed = 1,         // missing or malformed archive, entry not found, empty output
    kSkinPasswordOrSize = 2  // password missing or wrong, or output of the wrong size
};

// Writes the inflated entry `entryName` of the archive to `outFile`; returns one of the results
// above. The output file never remains when the result is not kSkinExtracted.
int ExtractSkinEntry(const std::string& archiveFile, const std::string& entryName,
                     const std::string& outFile, const std::string& password);

// One decoding table of a canonical Huffman code set. Entries pack the symbol (bits 0-15), the
// code length (bits 16-23) and the number of extra bits after the code (bits 24-31); slots that no
// code reaches hold kEmpty.
class THuffmanTree {
public:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    explicit THuffmanTree(int lengthLimit);

    // Builds the table from lengths[first .. first+count). Symbols from `firstExtraSymbol` on take
    // their extra-bit counts from extraBits[symbol - firstExtraSymbol] (extraBits may be null when
    // no symbol has extra bits). Returns false, leaving no table, when a length exceeds the limit
    // or the set is over-subscribed, or is incomplete with more than one code.
    bool Build(const std::uint8_t* lengths, int first, int count, int firstExtraSymbol,
               const std::uint8_t* extraBits);

    // A tree that was never built (or failed to build) answers kEmpty for every index.
    std::uint32_t Lookup(std::uint32_t index) const { return table_.empty() ? kEmpty : table_[index & mask_]; }
    // The table itself and its index mask (2^L - 1), for decoders that index it directly.
    const std::uint32_t* Table() const { return table_.data(); }
    std::uint32_t Mask() const { return mask_; }
    int MaxLength() const { return maxLength_; }  // L: the table has 2^L entries
    int LengthLimit() const { return lengthLimit_; }

private:
    int lengthLimit_;
    int maxLength_ = 0;
    std::uint32_t mask_ = 0;
    std::vector<std::uint32_t> table_;
};

enum class InflateStatus {
    Done,         // the final block was decoded
    Truncated,    // the input ended before the final block
    Corrupt,      // an invalid block header, code set, symbol or distance
    LimitReached  // the output grew beyond the limit given
};

using InflateSink = std::function<void(const std::uint8_t* data, std::size_t size)>;

// Inflates a raw deflate stream held in memory; `sink` receives the output in pieces. After a
// failure the sink has seen only the whole 32768-byte pieces flushed before it, never the rest of
// the window. Decoding stops once more than `outputLimit` bytes would have come out.
InflateStatus InflateRaw(std::span<const std::uint8_t> input, const InflateSink& sink,
                         std::uint64_t outputLimit = UINT64_MAX);

class ESkinReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TSkinRecordKind : std::uint8_t { Bitmap = 0, Integer = 1, Boolean = 2, Text = 3 };

// One record of the chain as read, for tools that show a skin's whole content.
struct TSkinRecord {
    TSkinRecordKind kind;
    std::string name;
    std::string value;                // decimal integer, boolean byte or text; empty for bitmaps;
                                      // the data size for kinds this program does not know
    const Bitmap* bitmap = nullptr;   // owned by the reader
};

class Tsk2SkinFileReader {
public:
    // Loads at once. Throws ESkinReadError("Failed to read skin file!") when the archive cannot be
    // read; stays not loaded, without throwing, when the password is missing or wrong or the
    // entry's size does not match. Malformed skin data throws ESkinReadError.
    Tsk2SkinFileReader(const std::string& fileName, const std::string& password);

    // Parses skin data that is already inflated (the content of "SKINDATA.SK2").
    static Tsk2SkinFileReader FromSkinData(std::span<const std::uint8_t> skinData);

    bool IsLoaded() const { return loaded_; }
    const Bitmap* GetBitmap(std::string_view name) const;
    std::int32_t GetInteger(std::string_view name) const;
    bool GetBool(std::string_view name) const;

    // "name=value" lists in record order.
    const std::vector<std::string>& Integers() const { return integers_; }
    const std::vector<std::string>& Booleans() const { return booleans_; }
    const std::vector<std::string>& Texts() const { return texts_; }
    // Every record taken, in chain order.
    const std::vector<TSkinRecord>& Records() const { return records_; }

private:
    Tsk2SkinFileReader() = default;
    void ParseSkinData(std::span<const std::uint8_t> data);
    void AddRecord(const std::string& name, std::uint8_t kind, std::span<const std::uint8_t> value);

    struct NamedBitmap {
        std::string name;
        std::unique_ptr<Bitmap> bitmap;
    };
    std::vector<NamedBitmap> bitmaps_;
    std::vector<std::string> integers_;
    std::vector<std::string> booleans_;
    std::vector<std::string> texts_;
    std::vector<TSkinRecord> records_;
    std::uint64_t pixels_ = 0;
    bool loaded_ = false;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" of a freshly generated GUID; throws ESkinReadError
// when the system gives none.
std::string NewGuidString();

}  // namespace trimwell
