#include "cli/JsonWriter.h"

#include <cstdio>
#include <ostream>

std::string JsonString(const std::string& text, TextEncoding encoding) {
    std::string out = "\"";
    for (const char c : TextToUtf8(text, encoding)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void JsonWriter::Newline() {
    m_out << '\n' << std::string(m_hasElement.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasElement.empty()) {
        if (m_hasElement.back()) {
            m_out << ',';
        }
        m_hasElement.back() = true;
        Newline();
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    m_out << '{';
    m_hasElement.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    m_out << '[';
    m_hasElement.push_back(false);
    return *this;
}

void JsonWriter::Close(char bracket) {
    const bool had = m_hasElement.back();
    m_hasElement.pop_back();
    if (had) {
        Newline();
    }
    m_out << bracket;
}

JsonWriter& JsonWriter::EndObject() {
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(const char* key) {
    BeforeValue();
    m_out << JsonString(key) << ": ";
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Value(const std::string& text) {
    BeforeValue();
    m_out << JsonString(text, m_encoding);
    return *this;
}

JsonWriter& JsonWriter::Value(std::uint64_t number) {
    BeforeValue();
    m_out << number;
    return *this;
}
