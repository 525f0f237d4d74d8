#include "platform/TextEncoding.h"

#include <cstring>

#include "platform/Cp1252.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

enum class SequenceKind { Ascii, MultiByte, Cut, Invalid };

struct Sequence {
    SequenceKind kind;
    std::size_t length;
    char32_t codePoint;
};

// The UTF-8 sequence that starts at `at`. Overlong forms, surrogates and code points above U+10FFFF
// are invalid; an invalid sequence spans the bytes that still fitted a valid one, so one replacement
// stands for them. A valid start that the text ends in the middle of is a cut character.
Sequence ReadSequence(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {SequenceKind::Ascii, 1, lead};
    }
    std::size_t extra = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        codePoint = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        codePoint = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return {SequenceKind::Invalid, 1, Replacement};
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if (at + k >= text.size()) {
            return {SequenceKind::Cut, k, Replacement};
        }
        const auto next = static_cast<unsigned char>(text[at + k]);
        if (next < low || next > high) {
            return {SequenceKind::Invalid, k, Replacement};
        }
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {SequenceKind::MultiByte, extra + 1, codePoint};
}

std::u32string Utf8ToCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Sequence sequence = ReadSequence(text, at);
        out += sequence.codePoint;
        at += sequence.length;
    }
    return out;
}

}  // namespace

void TextEncodingScan::Add(std::string_view text) {
    // Nearly every text of a device is plain ASCII, which says nothing either way: eight bytes are
    // tested at a time until a byte above 0x7F turns up.
    std::size_t at = 0;
    for (std::uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & 0x8080808080808080ull) != 0) {
            break;
        }
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) {
        ++at;
    }
    for (; at < text.size() && !m_invalid;) {
        const Sequence sequence = ReadSequence(text, at);
        m_invalid = sequence.kind == SequenceKind::Invalid;
        m_multiByte = m_multiByte || sequence.kind == SequenceKind::MultiByte;
        at += sequence.length;
    }
}

TextEncoding TextEncodingScan::Result() const {
    return m_multiByte && !m_invalid ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::u32string TextToCodePoints(const std::string& text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? Utf8ToCodePoints(text) : Cp1252ToCodePoints(text);
}

std::string CodePointsToText(const std::u32string& codePoints, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) {
        return CodePointsToCp1252(codePoints);
    }
    std::u32string valid = codePoints;
    for (char32_t& cp : valid) {
        // A lone surrogate has no UTF-8 form of its own.
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            cp = U'?';
        }
    }
    return CodePointsToUtf8(valid);
}

std::string TextToUtf8(const std::string& text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? CodePointsToUtf8(Utf8ToCodePoints(text)) : Cp1252ToUtf8(text);
}
