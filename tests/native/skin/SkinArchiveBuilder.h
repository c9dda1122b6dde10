#pragma once
// Builds skin archives and skin data in memory for tests, independently of the reader.
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace trimwell::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t Crc32(const Bytes& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Raw deflate made of stored blocks only, the last one final.
inline Bytes StoredDeflate(const Bytes& data) {
    Bytes out;
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, data.size() - pos);
        out.push_back(pos + n == data.size() ? 1 : 0);
        Put16(out, static_cast<std::uint32_t>(n));
        Put16(out, static_cast<std::uint32_t>(~n & 0xFFFF));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
                   data.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < data.size());
    return out;
}

// Traditional ZIP encryption, the writing side.
class ZipEncrypter {
public:
    explicit ZipEncrypter(const std::string& password) {
        for (const char c : password) Update(static_cast<std::uint8_t>(c));
    }
    std::uint8_t Encrypt(std::uint8_t plain) {
        const std::uint32_t t = (keys_[2] | 2) & 0xFFFF;
        const auto cipher = static_cast<std::uint8_t>(plain ^ ((t * (t ^ 1)) >> 8));
        Update(plain);
        return cipher;
    }

private:
    static std::uint32_t CrcByte(std::uint32_t crc, std::uint8_t b) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        return crc;
    }
    void Update(std::uint8_t c) {
        keys_[0] = CrcByte(keys_[0], c);
        keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
        keys_[2] = CrcByte(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
    }
    std::array<std::uint32_t, 3> keys_{0x12345678u, 0x23456789u, 0x34567890u};
};

struct ArchiveLayout {
    Bytes compressed;                 // raw deflate data of the entry
    std::uint32_t uncompressedSize = 0;
    std::uint32_t crc = 0;
    std::string entryName = "SKINDATA.SK2";
    std::uint16_t method = 8;
    std::uint16_t flags = 0;          // bit 0 is set by a password, bit 3 selects the time check
    std::uint16_t modTime = 0x7A31;
    std::string password;
    bool zipMagic = false;            // "PK" instead of "SK"
};

inline Bytes BuildSkinArchive(const ArchiveLayout& layout) {
    Bytes data = layout.compressed;
    std::uint16_t flags = layout.flags;
    if (!layout.password.empty()) {
        flags |= 1;
        ZipEncrypter enc(layout.password);
        Bytes header(12, 0x5A);
        header[11] = (flags & 8) ? static_cast<std::uint8_t>(layout.modTime >> 8) : static_cast<std::uint8_t>(layout.crc >> 24);
        Bytes cipher;
        for (const auto b : header) cipher.push_back(enc.Encrypt(b));
        for (const auto b : data) cipher.push_back(enc.Encrypt(b));
        data = cipher;
    }
    const auto common = [&](Bytes& out) {
        Put16(out, 20);
        Put16(out, flags);
        Put16(out, layout.method);
        Put16(out, layout.modTime);
        Put16(out, 0x5588);
        Put32(out, layout.crc);
        Put32(out, static_cast<std::uint32_t>(data.size()));
        Put32(out, layout.uncompressedSize);
        Put16(out, static_cast<std::uint32_t>(layout.entryName.size()));
        Put16(out, 0);
    };
    Bytes out;
    out.push_back(layout.zipMagic ? 'P' : 'S');
    out.push_back('K');
    Put16(out, 0x0403);
    common(out);
    out.insert(out.end(), layout.entryName.begin(), layout.entryName.end());
    out.insert(out.end(), data.begin(), data.end());
    const auto central = static_cast<std::uint32_t>(out.size());
    Put32(out, 0x02014B50);
    Put16(out, 20);
    common(out);
    Put16(out, 0);  // comment length
    Put16(out, 0);  // disk
    Put16(out, 0);  // internal attributes
    Put32(out, 0);  // external attributes
    Put32(out, 0);  // local header offset
    out.insert(out.end(), layout.entryName.begin(), layout.entryName.end());
    const auto centralSize = static_cast<std::uint32_t>(out.size()) - central;
    Put32(out, 0x06054B50);
    Put32(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, centralSize);
    Put32(out, central);
    Put16(out, 0);
    return out;
}

inline ArchiveLayout StoredLayout(const Bytes& data) {
    ArchiveLayout layout;
    layout.compressed = StoredDeflate(data);
    layout.uncompressedSize = static_cast<std::uint32_t>(data.size());
    layout.crc = Crc32(data);
    return layout;
}

struct SkinRecordLayout {
    std::string name;
    std::uint8_t kind;
    Bytes data;
};

inline Bytes IntegerValue(std::int32_t v) {
    Bytes b;
    Put32(b, static_cast<std::uint32_t>(v));
    return b;
}

// Header, records with their data right behind them, and the terminator the format writes.
inline Bytes BuildSkinData(const std::vector<SkinRecordLayout>& records) {
    Bytes out{'K', 'E', 'S', 'T', 'R', 'A', 'V', 'O', '_', 'S', 'K', '2'};
    Put32(out, 24);
    Put32(out, 2);
    Put32(out, 24);
    const auto header = [&out](const std::string& name, std::uint8_t kind, std::uint32_t dataAt,
                               std::uint32_t size, std::uint32_t next) {
        Bytes n(64, 0);
        std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(64, name.size())),
                  n.begin());
        out.insert(out.end(), n.begin(), n.end());
        out.push_back(kind);
        Put32(out, dataAt);
        Put32(out, size);
        Put32(out, next);
    };
    for (const auto& r : records) {
        const auto dataAt = static_cast<std::uint32_t>(out.size() + 77);
        const auto size = static_cast<std::uint32_t>(r.data.size());
        header(r.name, r.kind, dataAt, size, dataAt + size);
        out.insert(out.end(), r.data.begin(), r.data.end());
    }
    header("", 2, 0, 0, 0);
    return out;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace trimwell::testing
