#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// A small streaming JSON writer with two-space indentation. Strings are taken as Windows-1252 bytes
// and written as UTF-8 with the escapes JSON requires.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

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
    // For each open object or array: whether it holds an element yet.
    std::vector<bool> m_hasElement;
    bool m_afterKey = false;
};

// JSON string literal (quotes included) of a Windows-1252 text.
std::string JsonString(const std::string& cp1252);
