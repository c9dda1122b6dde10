#include "resources/gen/SkinArchive.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace artwork {

namespace {

constexpr std::uint32_t kHeaderSize = 24;
constexpr std::uint32_t kRecordHeaderSize = 77;

void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void putRecordHeader(Bytes& b, const std::string& name, RecordKind kind, std::uint32_t dataOffset,
                     std::uint32_t dataSize, std::uint32_t next) {
    if (name.size() > 64) throw std::runtime_error("skin record name longer than 64 characters: " + name);
    unsigned char field[64] = {};
    std::memcpy(field, name.data(), name.size());
    b.insert(b.end(), std::begin(field), std::end(field));
    b.push_back(static_cast<unsigned char>(kind));
    put32(b, dataOffset);
    put32(b, dataSize);
    put32(b, next);
}

Bytes rawDeflate(const Bytes& in) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    Bytes out(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate did not finish");
    return out;
}

bool readFile(const std::string& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

SkinRecord integerRecord(const std::string& name, std::int32_t value) {
    Bytes b;
    put32(b, static_cast<std::uint32_t>(value));
    return {name, RecordKind::Integer, b};
}

SkinRecord booleanRecord(const std::string& name, bool value) {
    return {name, RecordKind::Boolean, Bytes{static_cast<unsigned char>(value ? 1 : 0)}};
}

Bytes encodeSkinData(const std::vector<SkinRecord>& records) {
    Bytes b{'K', 'E', 'S', 'T', 'R', 'A', 'V', 'O', '_', 'S', 'K', '2'};
    put32(b, kHeaderSize);
    put32(b, 2);
    put32(b, kHeaderSize);
    for (const SkinRecord& r : records) {
        const auto dataOffset = static_cast<std::uint32_t>(b.size()) + kRecordHeaderSize;
        const auto size = static_cast<std::uint32_t>(r.data.size());
        putRecordHeader(b, r.name, r.kind, dataOffset, size, dataOffset + size);
        b.insert(b.end(), r.data.begin(), r.data.end());
    }
    putRecordHeader(b, "", RecordKind::Boolean, 0, 0, 0);
    return b;
}

Bytes buildSkinArchive(const std::string& entryName, const Bytes& content) {
    const Bytes packed = rawDeflate(content);
    const auto crc = static_cast<std::uint32_t>(crc32(0, content.data(), static_cast<uInt>(content.size())));
    const auto nameLength = static_cast<unsigned>(entryName.size());
    constexpr unsigned kVersion = 20, kDeflated = 8, kTime = 0x6000, kDate = 0x5D88;  // 2026-12-08 12:00

    // The fields the local and the central header share, from "version needed" to "extra length".
    const auto putEntryFields = [&](Bytes& b) {
        put16(b, kVersion);
        put16(b, 0);  // flags
        put16(b, kDeflated);
        put16(b, kTime);
        put16(b, kDate);
        put32(b, crc);
        put32(b, static_cast<std::uint32_t>(packed.size()));
        put32(b, static_cast<std::uint32_t>(content.size()));
        put16(b, nameLength);
        put16(b, 0);  // extra
    };

    Bytes b{'S', 'K', 3, 4};  // a local file header with "SK" in place of "PK"
    putEntryFields(b);
    b.insert(b.end(), entryName.begin(), entryName.end());
    b.insert(b.end(), packed.begin(), packed.end());

    const auto centralOffset = static_cast<std::uint32_t>(b.size());
    put32(b, 0x02014B50);
    put16(b, kVersion);  // made by
    putEntryFields(b);
    put16(b, 0);  // comment
    put16(b, 0);  // disk start
    put16(b, 0);  // internal attributes
    put32(b, 0x20);  // archive bit
    put32(b, 0);     // local header offset
    b.insert(b.end(), entryName.begin(), entryName.end());
    const auto centralSize = static_cast<std::uint32_t>(b.size()) - centralOffset;

    put32(b, 0x06054B50);
    put16(b, 0);
    put16(b, 0);
    put16(b, 1);
    put16(b, 1);
    put32(b, centralSize);
    put32(b, centralOffset);
    put16(b, 0);
    return b;
}

bool readSkinTable(const std::string& tablePath, const std::string& bitmapDir, std::vector<SkinRecord>& out,
                   std::string& error) {
    std::ifstream in(tablePath);
    if (!in) {
        error = "cannot read " + tablePath;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string kind, key, value;
        words >> kind >> key >> value;
        if (kind.empty() || kind[0] == '#') continue;
        const std::string where = tablePath + ":" + std::to_string(number) + ": ";
        if (kind == "bitmap") {
            SkinRecord r{key, RecordKind::Bitmap, {}};
            if (!readFile(bitmapDir + "/" + key + ".bmp", r.data)) {
                error = where + "no picture for " + key;
                return false;
            }
            out.push_back(std::move(r));
        } else if (kind == "integer") {
            try {
                out.push_back(integerRecord(key, static_cast<std::int32_t>(std::stoll(value, nullptr, 0))));
            } catch (const std::exception&) {
                error = where + "not a number: " + value;
                return false;
            }
        } else if (kind == "boolean" && (value == "true" || value == "false")) {
            out.push_back(booleanRecord(key, value == "true"));
        } else {
            error = where + "cannot read this line";
            return false;
        }
    }
    return true;
}

}  // namespace artwork
