#include "tools/skintool/SkinTool.h"

#include "skin/SUI2SkinReader.h"

namespace trimwell {

namespace {

constexpr const char* kUsage =
    "usage: skintool extract ARCHIVE ENTRY OUTFILE [PASSWORD]\n"
    "       skintool list ARCHIVE [PASSWORD]\n";

const char* KindName(TSkinRecordKind kind) {
    switch (kind) {
    case TSkinRecordKind::Bitmap: return "bitmap";
    case TSkinRecordKind::Integer: return "integer";
    case TSkinRecordKind::Boolean: return "boolean";
    case TSkinRecordKind::Text: return "text";
    }
    return "unknown";
}

// Texts are printed on one line whatever they hold, so that every record stays one line.
std::string OneLine(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            line += "\\\\";
        } else if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 15];
        } else {
            line += c;
        }
    }
    return line;
}

int Extract(const std::vector<std::string>& args, std::ostream& out) {
    const int result = ExtractSkinEntry(args[1], args[2], args[3], args.size() > 4 ? args[4] : std::string());
    out << result << '\n';
    return result;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const Tsk2SkinFileReader reader(args[1], args.size() > 2 ? args[2] : std::string());
        if (!reader.IsLoaded()) {
            err << "skintool: the password is missing or wrong, or the skin data has the wrong size\n";
            return 2;
        }
        for (const TSkinRecord& record : reader.Records()) {
            out << KindName(record.kind) << ' ' << record.name << ' ';
            if (record.kind > TSkinRecordKind::Text)
                out << "kind " << static_cast<int>(record.kind) << ", " << record.value;
            else if (record.bitmap)
                out << record.bitmap->Width() << 'x' << record.bitmap->Height() << ' '
                    << record.bitmap->SourceBitsPerPixel() << "bpp";
            else
                out << OneLine(record.value);
            out << '\n';
        }
        return 0;
    } catch (const ESkinReadError& error) {
        err << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "Failed to read skin file! (" << error.what() << ")\n";
        return 1;
    }
}

}  // namespace

int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "extract" && (args.size() == 4 || args.size() == 5)) return Extract(args, out);
    if (!args.empty() && args[0] == "list" && (args.size() == 2 || args.size() == 3)) return List(args, out, err);
    err << kUsage;
    return 64;
}

}  // namespace trimwell
