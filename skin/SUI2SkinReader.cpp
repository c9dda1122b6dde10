#include "skin/SUI2SkinReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "platform/Files.h"
#include "skin/Inflater.h"

namespace trimwell {

namespace {


constexpr std::uint16_t kSkinMagic = 0x4B53;  // "SK" where a ZIP file has "PK"
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kEncryptionHeaderSize = 12;
constexpr std::size_t kDecryptChunk = 1024;
constexpr std::uint16_t kFlagEncrypted = 1;
constexpr std::uint16_t kFlagDataDescriptor = 8;
constexpr const char* kFailedToRead = "Failed to read skin file!";
constexpr const char* kSkinDataEntry = "SKINDATA.SK2";

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A failure inside the extraction steps; the size rule then decides the final result.
struct ExtractFailure {
    int result;
};

void ReadExactly(std::FILE* file, std::uint8_t* dst, std::size_t size) {
    if (std::fread(dst, 1, size, file) != size) throw ExtractFailure{kSkinFailed};
}

void SeekOrFail(std::FILE* file, std::uint64_t offset) {
    if (!SeekTo(file, offset)) throw ExtractFailure{kSkinFailed};
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

// --- traditional ZIP encryption ---------------------------------------------------------

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t CrcStep(std::uint32_t crc, std::uint8_t byte) { return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8); }

class ZipDecrypter {
public:
    explicit ZipDecrypter(std::string_view password) {
        for (const char c : password) UpdateKeys(static_cast<std::uint8_t>(c));
    }
    std::uint8_t Decrypt(std::uint8_t cipher) {
        const std::uint32_t temp = (key2_ | 2) & 0xFFFF;
        const auto plain = static_cast<std::uint8_t>(cipher ^ static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8));
        UpdateKeys(plain);
        return plain;
    }

private:
    void UpdateKeys(std::uint8_t plain) {
        key0_ = CrcStep(key0_, plain);
        key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
        key2_ = CrcStep(key2_, static_cast<std::uint8_t>(key1_ >> 24));
    }
    std::uint32_t key0_ = 0x12345678u;
    std::uint32_t key1_ = 0x23456789u;
    std::uint32_t key2_ = 0x34567890u;
};

// --- the archive ------------------------------------------------------------------------

struct CentralEntry {
    std::uint16_t flags = 0;
    std::uint16_t modTime = 0;
    std::uint32_t crc = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint32_t localHeaderOffset = 0;
};

CentralEntry FindEntry(std::FILE* archive, std::string_view entryName) {
    const auto size = FileSizeOf(archive);
    if (!size || *size < kEndRecordSize) throw ExtractFailure{kSkinFailed};
    const std::uint64_t endRecordAt = *size - kEndRecordSize;
    std::array<std::uint8_t, kEndRecordSize> end{};
    SeekOrFail(archive, endRecordAt);
    ReadExactly(archive, end.data(), end.size());
    if (Le32(end.data()) != kEndRecordSignature || Le16(end.data() + 20) != 0) throw ExtractFailure{kSkinFailed};

    std::uint64_t pos = Le32(end.data() + 16);
    SeekOrFail(archive, pos);
    std::array<std::uint8_t, kCentralHeaderSize> header{};
    std::string name;
    while (pos + kCentralHeaderSize <= endRecordAt) {
        ReadExactly(archive, header.data(), header.size());
        if (Le32(header.data()) != kCentralHeaderSignature) break;
        const std::uint16_t nameLength = Le16(header.data() + 28);
        const std::uint32_t skip = static_cast<std::uint32_t>(Le16(header.data() + 30)) + Le16(header.data() + 32);
        name.resize(nameLength);
        ReadExactly(archive, reinterpret_cast<std::uint8_t*>(name.data()), nameLength);
        if (SameNameIgnoringCase(name, entryName)) {
            CentralEntry entry;
            entry.flags = Le16(header.data() + 8);
            entry.modTime = Le16(header.data() + 12);
            entry.crc = Le32(header.data() + 16);
            entry.uncompressedSize = Le32(header.data() + 24);
            entry.localHeaderOffset = Le32(header.data() + 42);
            return entry;
        }
        // Extra field and comment are skipped so that archives from ordinary ZIP tools work too.
        pos += kCentralHeaderSize + nameLength + skip;
        SeekOrFail(archive, pos);
    }
    throw ExtractFailure{kSkinFailed};
}

void SkipLocalHeader(std::FILE* archive, const CentralEntry& entry) {
    std::array<std::uint8_t, kLocalHeaderSize> local{};
    SeekOrFail(archive, entry.localHeaderOffset);
    ReadExactly(archive, local.data(), local.size());
    const std::uint64_t dataAt = std::uint64_t{entry.localHeaderOffset} + kLocalHeaderSize + Le16(local.data() + 26) +
                                 Le16(local.data() + 28);
    SeekOrFail(archive, dataAt);
}

// The decrypted rest of the archive, or result 2 for a missing or wrong password.
std::vector<std::uint8_t> DecryptRest(std::FILE* archive, const CentralEntry& entry, const std::string& password) {
    if (password.empty()) throw ExtractFailure{kSkinPasswordOrSize};
    ZipDecrypter decrypter(password);
    std::array<std::uint8_t, kEncryptionHeaderSize> header{};
    ReadExactly(archive, header.data(), header.size());
    for (auto& b : header) b = decrypter.Decrypt(b);
    const std::uint8_t check = (entry.flags & kFlagDataDescriptor) ? static_cast<std::uint8_t>(entry.modTime >> 8)
                                                                    : static_cast<std::uint8_t>(entry.crc >> 24);
    if (header.back() != check) throw ExtractFailure{kSkinPasswordOrSize};

    std::vector<std::uint8_t> plain;
    std::array<std::uint8_t, kDecryptChunk> chunk{};
    for (;;) {
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), archive);
        for (std::size_t i = 0; i < n; ++i) plain.push_back(decrypter.Decrypt(chunk[i]));
        if (n < chunk.size()) break;
    }
    if (std::ferror(archive)) throw ExtractFailure{kSkinFailed};
    return plain;
}

int InflateEntry(skin_detail::ByteSource& source, std::FILE* out, std::uint32_t expectedSize) {
    const InflateSink sink = [out](const std::uint8_t* data, std::size_t size) {
        if (std::fwrite(data, 1, size, out) != size) throw ExtractFailure{kSkinFailed};
    };
    // Output beyond the recorded size can only end in a size mismatch, so decoding stops there
    // rather than filling the disk.
    const InflateStatus status = skin_detail::Inflate(source, sink, expectedSize);
    if (status == InflateStatus::LimitReached) throw ExtractFailure{kSkinPasswordOrSize};
    return status == InflateStatus::Done ? kSkinExtracted : kSkinFailed;
}

int ExtractInto(std::FILE* archive, std::string_view entryName, const std::string& outFile,
                const std::string& password, FilePtr& out, CentralEntry& entry) {
    std::array<std::uint8_t, 4> magic{};
    ReadExactly(archive, magic.data(), magic.size());
    if (Le16(magic.data()) != kSkinMagic) return kSkinFailed;
    entry = FindEntry(archive, entryName);
    out = OpenFileStream(outFile, "wb");
    if (!out) return kSkinFailed;
    SkipLocalHeader(archive, entry);
    if (entry.flags & kFlagEncrypted) {
        const std::vector<std::uint8_t> plain = DecryptRest(archive, entry, password);
        skin_detail::MemorySource source(plain);
        return InflateEntry(source, out.get(), entry.uncompressedSize);
    }
    skin_detail::FileSource source(archive);
    return InflateEntry(source, out.get(), entry.uncompressedSize);
}

}  // namespace

namespace skin_detail {

std::size_t FileSource::Read(std::uint8_t* dst, std::size_t size) {
    const std::size_t n = std::fread(dst, 1, size, file_);
    if (n < size && std::ferror(file_)) throw ExtractFailure{kSkinFailed};
    return n;
}

}  // namespace skin_detail

int ExtractSkinEntry(const std::string& archiveFile, const std::string& entryName, const std::string& outFile,
                     const std::string& password) {
    FilePtr archive = OpenFileStream(archiveFile, "rb");
    if (!archive) return kSkinFailed;
    FilePtr out;
    CentralEntry entry;
    int result = kSkinFailed;
    try {
        result = ExtractInto(archive.get(), entryName, outFile, password, out, entry);
    } catch (const ExtractFailure& failure) {
        result = failure.result;
    } catch (...) {
        result = kSkinFailed;
    }
    archive.reset();
    if (!out) return result;

    const auto size = FileSizeOf(out.get());
    const bool closed = std::fclose(out.release()) == 0;
    if (!size || !closed) {
        result = kSkinFailed;
    } else if (result == kSkinExtracted && *size == 0) {
        result = kSkinFailed;
    } else if (*size != entry.uncompressedSize) {
        result = kSkinPasswordOrSize;
    }
    if (result != kSkinExtracted) DeleteFileAt(outFile);
    return result;
}

// --- skin data --------------------------------------------------------------------------

namespace {

constexpr std::size_t kSkinHeaderSize = 24;
constexpr std::size_t kRecordHeaderSize = 77;
constexpr std::size_t kRecordNameSize = 64;
// Larger skin data is refused rather than read into memory.
constexpr std::uint64_t kMaxSkinDataSize = 256u * 1024 * 1024;
// All bitmaps of one skin together; the program's own skin holds well under a million pixels.
constexpr std::uint64_t kMaxSkinPixels = std::uint64_t{64} * 1024 * 1024;

struct RecordHeader {
    std::string name;
    std::uint8_t kind = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t dataSize = 0;
    std::uint32_t next = 0;
};

[[noreturn]] void Malformed(const std::string& what) { throw ESkinReadError("Malformed skin data: " + what); }

RecordHeader ReadRecordHeader(std::span<const std::uint8_t> data, std::uint64_t offset) {
    if (offset > data.size() || data.size() - offset < kRecordHeaderSize) Malformed("record outside the data");
    const std::uint8_t* p = data.data() + offset;
    RecordHeader header;
    const auto* nameEnd = std::find(p, p + kRecordNameSize, std::uint8_t{0});
    header.name.assign(reinterpret_cast<const char*>(p), static_cast<std::size_t>(nameEnd - p));
    header.kind = p[64];
    header.dataOffset = Le32(p + 65);
    header.dataSize = Le32(p + 69);
    header.next = Le32(p + 73);
    return header;
}

std::span<const std::uint8_t> RecordData(std::span<const std::uint8_t> data, std::uint64_t recordOffset,
                                         const RecordHeader& header) {
    // Data lies after its own header and before the next one: this keeps the chain moving forward
    // through the file, so a forged chain can neither loop nor make one value be decoded twice.
    const std::uint64_t begin = header.dataOffset;
    const std::uint64_t end = begin + header.dataSize;
    if (begin < recordOffset + kRecordHeaderSize || end > data.size() || header.next < end)
        Malformed("record " + header.name + " points outside its place");
    return data.subspan(static_cast<std::size_t>(begin), header.dataSize);
}

std::int32_t ParseDecimal(std::string_view text, std::int32_t fallback) {
    std::int64_t value = 0;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    if (i == text.size()) return fallback;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{1} << 32) return fallback;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return fallback;
    return static_cast<std::int32_t>(value);
}

// The value of the first "name=value" entry whose name matches.
const std::string* FindValue(const std::vector<std::string>& list, std::string_view name) {
    for (const std::string& entry : list)
        if (entry.size() > name.size() && entry[name.size()] == '=' &&
            SameNameIgnoringCase(std::string_view(entry).substr(0, name.size()), name))
            return &entry;
    return nullptr;
}

std::vector<std::uint8_t> ReadSkinDataFile(const std::string& path) {
    FilePtr file = OpenFileStream(path, "rb");
    if (!file) throw ESkinReadError(kFailedToRead);
    const auto size = FileSizeOf(file.get());
    if (!size || *size > kMaxSkinDataSize) throw ESkinReadError(kFailedToRead);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw ESkinReadError(kFailedToRead);
    return bytes;
}

}  // namespace

Tsk2SkinFileReader::Tsk2SkinFileReader(const std::string& fileName, const std::string& password) {
    const std::string tempFile = TempFolder() + NewGuidString();
    const int result = ExtractSkinEntry(fileName, kSkinDataEntry, tempFile, password);
    if (result == kSkinPasswordOrSize) return;
    if (result != kSkinExtracted) throw ESkinReadError(kFailedToRead);
    const TemporaryFile guard(tempFile);
    ParseSkinData(ReadSkinDataFile(tempFile));
}

Tsk2SkinFileReader Tsk2SkinFileReader::FromSkinData(std::span<const std::uint8_t> skinData) {
    Tsk2SkinFileReader reader;
    reader.ParseSkinData(skinData);
    return reader;
}

void Tsk2SkinFileReader::ParseSkinData(std::span<const std::uint8_t> data) {
    loaded_ = false;
    if (data.size() < kSkinHeaderSize) Malformed("header is truncated");
    const std::uint32_t headerSize = Le32(data.data() + 12);
    // Only the first 24 bytes of the header mean anything; a longer one is accepted while it
    // lies inside the data.
    if (headerSize < kSkinHeaderSize || headerSize > data.size()) Malformed("bad header size");
    std::uint64_t recordOffset = Le32(data.data() + 20);
    RecordHeader record = ReadRecordHeader(data, recordOffset);
    while (record.next != 0) {
        const std::span<const std::uint8_t> value = RecordData(data, recordOffset, record);
        AddRecord(record.name, record.kind, value);
        recordOffset = record.next;
        record = ReadRecordHeader(data, recordOffset);
    }
    loaded_ = true;
}

void Tsk2SkinFileReader::AddRecord(const std::string& name, std::uint8_t kind, std::span<const std::uint8_t> value) {
    switch (static_cast<TSkinRecordKind>(kind)) {
    case TSkinRecordKind::Bitmap: {
        auto bitmap = std::make_unique<Bitmap>();
        try {
            *bitmap = ReadBmp(value);
        } catch (const EBitmapError& error) {
            Malformed("bitmap " + name + ": " + error.what());
        }
        // A few kilobytes of deflated data can describe huge plain pictures; the skin as a whole
        // is held to a pixel budget far above any real skin's.
        pixels_ += static_cast<std::uint64_t>(bitmap->Width()) * static_cast<std::uint64_t>(bitmap->Height());
        if (pixels_ > kMaxSkinPixels) Malformed("bitmaps exceed the pixel budget");
        records_.push_back({TSkinRecordKind::Bitmap, name, {}, bitmap.get()});
        bitmaps_.push_back({name, std::move(bitmap)});
        break;
    }
    case TSkinRecordKind::Integer: {
        if (value.size() != 4) Malformed("integer " + name + " is not 4 bytes");
        const std::string text = std::to_string(static_cast<std::int32_t>(Le32(value.data())));
        integers_.push_back(name + "=" + text);
        records_.push_back({TSkinRecordKind::Integer, name, text, nullptr});
        break;
    }
    case TSkinRecordKind::Boolean: {
        if (value.size() != 1) Malformed("boolean " + name + " is not 1 byte");
        const std::string text = std::to_string(value[0]);
        booleans_.push_back(name + "=" + text);
        records_.push_back({TSkinRecordKind::Boolean, name, text, nullptr});
        break;
    }
    case TSkinRecordKind::Text: {
        std::string text(reinterpret_cast<const char*>(value.data()), value.size());
        texts_.push_back(name + "=" + text);
        records_.push_back({TSkinRecordKind::Text, name, std::move(text), nullptr});
        break;
    }
    default:
        // Kinds this program does not know carry nothing it uses; they are kept in the chain's
        // record list only, so that a listing shows every record.
        records_.push_back({static_cast<TSkinRecordKind>(kind), name, std::to_string(value.size()) + " bytes", nullptr});
        break;
    }
}

const Bitmap* Tsk2SkinFileReader::GetBitmap(std::string_view name) const {
    for (const NamedBitmap& entry : bitmaps_)
        if (SameNameIgnoringCase(entry.name, name)) return entry.bitmap.get();
    return nullptr;
}

std::int32_t Tsk2SkinFileReader::GetInteger(std::string_view name) const {
    const std::string* entry = FindValue(integers_, name);
    return entry ? ParseDecimal(std::string_view(*entry).substr(name.size() + 1), -1) : -1;
}

bool Tsk2SkinFileReader::GetBool(std::string_view name) const {
    const std::string* entry = FindValue(booleans_, name);
    return entry && ParseDecimal(std::string_view(*entry).substr(name.size() + 1), 0) != 0;
}

std::string NewGuidString() {
    if (std::optional<std::string> guid = NewGuid()) return *std::move(guid);
    throw ESkinReadError(kFailedToRead);
}

}  // namespace trimwell
