#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/TextEncoding.h"

// A small streaming JSON writer with two-space indentation. Strings are taken as bytes in the given
// encoding and written as UTF-8 with the escapes JSON requires.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out, TextEncoding encoding = TextEncoding::Windows1252)
        : m_out(out), m_encoding(encoding) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(const char* key);
    JsonWriter& Value(const std::string& text);
    JsonWriter& Value(std::uint64_t number);

private:
    void BeforeValue();
    void Newline();
    void Close(char bracket);

    std::ostream& m_out;
    TextEncoding m_encoding;
    // For each open object or array: whether it holds an element yet.
    std::vector<bool> m_hasElement;
    bool m_afterKey = false;
};

// JSON string literal (quotes included) of a text in the given encoding.
std::string JsonString(const std::string& text, TextEncoding encoding = TextEncoding::Windows1252);
