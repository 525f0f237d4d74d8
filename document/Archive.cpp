#include "document/Archive.h"

#include <limits>

void ArchiveWriter::WriteU16(std::uint16_t value) {
    WriteU8(static_cast<std::uint8_t>(value & 0xFFu));
    WriteU8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteU32(std::uint32_t value) {
    WriteU16(static_cast<std::uint16_t>(value & 0xFFFFu));
    WriteU16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteText(const std::string& text) {
    const std::size_t length = text.size();
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        throw ArchiveException(ArchiveException::Kind::Generic, "A text is too long for a project file.");
    }
    if (length < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(length));
    }
    m_bytes.append(text);
}

void ArchiveReader::Require(std::size_t size) const {
    if (size > Remaining()) {
        throw ArchiveException(ArchiveException::Kind::EndOfFile, "The file ends too early.");
    }
}

void ArchiveReader::RequireItems(std::size_t count, std::size_t itemSize) const {
    // count and itemSize are small (a byte count and a block size), so the product cannot overflow.
    Require(count * itemSize);
}

std::uint8_t ArchiveReader::ReadU8() {
    Require(1);
    return static_cast<std::uint8_t>(m_bytes[m_position++]);
}

std::uint16_t ArchiveReader::ReadU16() {
    Require(2);
    const std::uint16_t low = ReadU8();
    const std::uint16_t high = ReadU8();
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t ArchiveReader::ReadU32() {
    Require(4);
    const std::uint32_t low = ReadU16();
    const std::uint32_t high = ReadU16();
    return low | (high << 16);
}

std::string ArchiveReader::ReadText() {
    std::size_t length = ReadU8();
    if (length == 0xFF) {
        length = ReadU16();
        if (length == 0xFFFE) {
            // The marker of a wide-character text, which this program never writes.
            throw ArchiveException(ArchiveException::Kind::Generic,
                                   "The file holds a text in an unknown encoding.");
        }
        if (length == 0xFFFF) {
            length = ReadU32();
        }
    }
    Require(length);
    std::string text(m_bytes.substr(m_position, length));
    m_position += length;
    return text;
}
