#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The encoding in which a document's texts are shown and typed. The bytes themselves never change:
// files are written with exactly the bytes held, whatever the encoding.
enum class TextEncoding { Windows1252, Utf8 };

// Chooses the encoding of a document's texts, handed over one at a time so that a large dictionary needs
// no list of them: UTF-8 when the texts hold at least one multi-byte UTF-8 sequence and no byte
// sequence that is invalid UTF-8; Windows-1252 otherwise. A character cut off at the very end of a text
// does not count as invalid: the importer keeps only the first bytes of a long value, which may split
// its last character.
class TextEncodingScan {
public:
    void Add(std::string_view text);
    // Once one text was invalid UTF-8 the result is settled; further texts need not be added.
    bool Settled() const { return m_invalid; }
    TextEncoding Result() const;
    // Takes in what another scan of other texts found.
    void Merge(const TextEncodingScan& other) {
        m_multiByte |= other.m_multiByte;
        m_invalid |= other.m_invalid;
    }

private:
    bool m_multiByte = false;
    bool m_invalid = false;
};

// Conversions between a document's texts and Unicode. Bytes that are not UTF-8 in a UTF-8 text show
// as U+FFFD; characters that the encoding cannot hold are stored as '?'.
std::u32string TextToCodePoints(const std::string& text, TextEncoding encoding);
std::string CodePointsToText(const std::u32string& codePoints, TextEncoding encoding);
std::string TextToUtf8(const std::string& text, TextEncoding encoding);
