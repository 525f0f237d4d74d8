#include "platform/Cp1252.h"

namespace {

// Code points of the bytes 0x80..0x9F; the others equal their byte value.
constexpr char32_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t ToCodePoint(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? HighControls[byte - 0x80] : static_cast<char32_t>(byte);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::u32string Cp1252ToCodePoints(const std::string& bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        out += ToCodePoint(static_cast<unsigned char>(c));
    }
    return out;
}

std::string Cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string CodePointsToUtf8(const std::u32string& codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t cp : codePoints) {
        AppendUtf8(out, cp);
    }
    return out;
}

std::string CodePointsToCp1252(const std::u32string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t cp : text) {
        out += ToByte(cp);
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& utf8) {
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
            points += U'?';
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = valid && (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        points += valid ? cp : U'?';
        i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return CodePointsToCp1252(points);
}
