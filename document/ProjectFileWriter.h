#pragma once

#include <string>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

// Writes a project to memory: version 1.01 when every count fits one byte, else version 1.02. A
// project that no version can hold (a DummyUsage table of more than 7 entries, or a count beyond
// 16 bits) raises an ArchiveException naming the limit instead of writing a count that disagrees
// with the blocks that follow.
class ProjectFileWriter {
public:
    std::string Write(const ObjectDictionary& dictionary, const DeviceInfoSection& deviceInfo,
                      const FileInfoSection& fileInfo) const;

    // True when the dictionary needs the 16-bit counts of version 1.02.
    static bool NeedsWideCounts(const ObjectDictionary& dictionary);
};
