#pragma once

#include <cstdint>
#include <string>

// Spells out project file bytes item by item in the tests, independent of the writer under test.
class ByteBuilder {
public:
    ByteBuilder& U8(unsigned value) {
        m_bytes.push_back(static_cast<char>(value & 0xFFu));
        return *this;
    }
    ByteBuilder& U16(unsigned value) { return U8(value).U8(value >> 8); }
    ByteBuilder& U32(std::uint32_t value) { return U16(value & 0xFFFFu).U16(value >> 16); }
    // Short texts only (below 255 characters); longer prefixes are spelled out in the tests.
    ByteBuilder& Text(const std::string& text) {
        U8(static_cast<unsigned>(text.size()));
        m_bytes += text;
        return *this;
    }
    ByteBuilder& Raw(const std::string& bytes) {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The DeviceInfo, FileInfo and comments blocks of an all-empty project.
inline ByteBuilder& EmptySections(ByteBuilder& b) {
    b.U8(0).U8(0).U8(0).U8(0).U8(0);  // channels, granularity, RxPdo, TxPdo, dummy count
    for (int i = 0; i < 15; ++i) {
        b.U32(0);  // product .. SimpleBootUpSlave
    }
    b.Text("").Text("").Text("");  // order code, product name, vendor name
    b.U16(0).U16(0).U16(0).U8(0);  // three object counters, dummy count again
    b.U8(0).U8(0);                 // file revision, file version
    for (int i = 0; i < 9; ++i) {
        b.Text("");
    }
    return b.U8(0);  // no comment lines
}
