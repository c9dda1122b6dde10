#include "config/WineRegistry.h"

#include <algorithm>

namespace trimwell {

namespace {

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = asciiLower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// Undoes the file's escapes (\\, \", \n, \xHHHH for UTF-16 units) from `pos` up to an unescaped
// `stop` character, which is consumed. nullopt when the text ends first.
std::optional<std::string> unescape(std::string_view s, std::size_t& pos, char stop) {
    std::string out;
    char16_t pendingHigh = 0;
    auto emit = [&](char32_t unit) {
        if (unit >= 0xD800 && unit < 0xDC00) {
            pendingHigh = static_cast<char16_t>(unit);
            return;
        }
        if (pendingHigh && unit >= 0xDC00 && unit < 0xE000)
            unit = 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00);
        else if (unit >= 0xDC00 && unit < 0xE000)
            unit = 0xFFFD;
        pendingHigh = 0;
        appendUtf8(out, unit);
    };
    while (pos < s.size()) {
        const char c = s[pos++];
        if (c == stop) return out;
        if (c != '\\' || pos >= s.size()) {
            emit(static_cast<unsigned char>(c));
            continue;
        }
        const char e = s[pos++];
        switch (e) {
            case 'n': emit('\n'); break;
            case 'r': emit('\r'); break;
            case 't': emit('\t'); break;
            case '0': emit(0); break;
            case 'x': {
                char32_t unit = 0;
                int digits = 0;
                for (int d; digits < 4 && pos < s.size() && (d = hexDigit(s[pos])) >= 0; ++digits, ++pos)
                    unit = unit * 16 + static_cast<char32_t>(d);
                emit(digits ? unit : U'x');
                break;
            }
            default: emit(static_cast<unsigned char>(e)); break;
        }
    }
    return std::nullopt;
}

std::string_view lineAt(std::string_view text, std::size_t& pos) {
    const auto end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool isHeaderFor(std::string_view line, std::string_view keyPath) {
    if (line.empty() || line.front() != '[') return false;
    const auto close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) return false;
    const std::string_view inner = line.substr(1, close - 1);
    std::size_t pos = 0;
    const auto name = unescape(std::string(inner) + '\x01', pos, '\x01');
    return name && sameText(*name, keyPath);
}

// Reads `"name"=data` or `@=data`; nullopt for any other line.
std::optional<std::pair<std::string, WineRegValue>> parseValueLine(std::string_view line) {
    std::size_t pos = 0;
    std::string name;
    if (line.starts_with("@=")) {
        pos = 1;
    } else if (line.starts_with("\"")) {
        pos = 1;
        auto n = unescape(line, pos, '"');
        if (!n) return std::nullopt;
        name = std::move(*n);
    } else {
        return std::nullopt;
    }
    if (pos >= line.size() || line[pos] != '=') return std::nullopt;
    std::string_view data = line.substr(pos + 1);

    WineRegValue value;
    if (data.starts_with("str(2):")) data.remove_prefix(7);
    if (data.starts_with("\"")) {
        std::size_t p = 1;
        auto text = unescape(data, p, '"');
        if (!text) return std::nullopt;
        value.isString = true;
        value.text = std::move(*text);
    }
    return std::make_pair(std::move(name), std::move(value));
}

}  // namespace

WineRegLookup LookupWineRegValue(std::string_view regFile, std::string_view keyPath, std::string_view valueName) {
    while (!keyPath.empty() && keyPath.back() == '\\') keyPath.remove_suffix(1);
    WineRegLookup result;
    std::size_t pos = 0;
    bool inKey = false;
    while (pos < regFile.size()) {
        const std::string_view line = lineAt(regFile, pos);
        if (!line.empty() && line.front() == '[') {
            if (inKey) break;
            inKey = isHeaderFor(line, keyPath);
            result.keyFound = result.keyFound || inKey;
            continue;
        }
        if (!inKey) continue;
        auto parsed = parseValueLine(line);
        if (parsed && sameText(parsed->first, valueName)) {
            result.value = std::move(parsed->second);
            break;
        }
    }
    return result;
}

bool IsWin64RegistryFile(std::string_view regFile) {
    return regFile.substr(0, 4096).find("#arch=win64") != std::string_view::npos;
}

}  // namespace trimwell
