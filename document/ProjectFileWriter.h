#pragma once

#include <string>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

// Writes a project in the current format (1.01) to memory. Every count of the format is one byte, so
// a project that does not fit raises an ArchiveException naming the limit instead of writing a count
// that disagrees with the blocks that follow.
class ProjectFileWriter {
public:
    explicit ProjectFileWriter(std::string magic) : m_magic(std::move(magic)) {}

    std::string Write(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                      const FileInfoSection& fileInfo) const;

    static constexpr std::size_t MaxCount = 255;

private:
    std::string m_magic;
};
