#pragma once
// Build-time writers for the skin format: the skin data (a header and a chain of named records)
// and the single-entry archive that carries it deflated.
#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

using Bytes = std::vector<unsigned char>;

enum class RecordKind : unsigned char { Bitmap = 0, Integer = 1, Boolean = 2, Text = 3 };

struct SkinRecord {
    std::string name;  // at most 64 characters
    RecordKind kind;
    Bytes data;
};

// Header of 24 bytes, then each record's 77-byte header directly followed by its data, then the
// terminator (empty name, kind 2, no data, next 0).
Bytes encodeSkinData(const std::vector<SkinRecord>& records);

SkinRecord integerRecord(const std::string& name, std::int32_t value);
SkinRecord booleanRecord(const std::string& name, bool value);

// An archive whose local header begins "SK" instead of "PK", holding `entryName` as raw deflate
// data, with one central directory header and an end record without comment.
Bytes buildSkinArchive(const std::string& entryName, const Bytes& content);

// Parses the readable record table ("bitmap KEY", "integer KEY VALUE", "boolean KEY true|false");
// bitmaps are read from `bitmapDir`/KEY.bmp. Returns false with a message on any malformed line.
bool readSkinTable(const std::string& tablePath, const std::string& bitmapDir, std::vector<SkinRecord>& out,
                   std::string& error);

}  // namespace artwork
