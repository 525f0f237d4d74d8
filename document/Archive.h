#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// An error of the project file's archive. Reading and writing project files is the only place in the
// logic that throws; the document catches it and reports it.
class ArchiveException : public std::runtime_error {
public:
    enum class Kind { Generic, BadIndex, EndOfFile };

    ArchiveException(Kind kind, const std::string& detail) : std::runtime_error(detail), m_kind(kind) {}
    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind;
};

// Appends the archive's items to a memory buffer: little-endian numbers and length-prefixed texts.
class ArchiveWriter {
public:
    void WriteU8(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    // One byte of length below 255; 0xFF and a u16 up to 0xFFFD; 0xFF, 0xFFFF and a u32 above.
    void WriteText(const std::string& text);

    const std::string& Bytes() const { return m_bytes; }
    std::string TakeBytes() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// Reads the archive's items from a memory buffer. Nothing is read past the end: a number, a text or a
// count that does not fit into what is left raises an end-of-file error before anything is taken.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::string ReadText();

    // Fails with end of file unless at least count items of at least itemSize bytes each remain.
    void RequireItems(std::size_t count, std::size_t itemSize) const;
    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    std::size_t Position() const { return m_position; }

private:
    void Require(std::size_t size) const;

    std::string_view m_bytes;
    std::size_t m_position = 0;
};
