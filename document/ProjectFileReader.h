#pragma once

#include <string_view>
#include <vector>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

class ArchiveReader;

// Reads a project file of version 1.00, 1.01 or 1.02 from memory into the given (empty) content. The
// magic picks the entry layout and the width of the counts; a 1.00 file's numeric values become value
// texts, and stored callback names that disagree with the default callback table are repaired. Any
// fault raises an ArchiveException; what was read before it stays in the content.
class ProjectFileReader {
public:
    void Load(std::string_view bytes, ObjectDictionary& dictionary, DeviceInfoSection& deviceInfo,
              FileInfoSection& fileInfo);

private:
    void ReadIndex(ArchiveReader& in, ObjectDictionary& dictionary) const;
    void ReadEntry100(ArchiveReader& in, SubindexEntry& entry) const;
    void ReadEntry101(ArchiveReader& in, SubindexEntry& entry) const;
    void ReadDeviceInfo(ArchiveReader& in, DeviceInfoSection& info) const;
    void ReadFileInfo(ArchiveReader& in, FileInfoSection& info) const;
    void ReadComments(ArchiveReader& in, std::vector<CommentLine>& comments) const;
    std::uint16_t ReadCount(ArchiveReader& in) const;

    bool m_version100 = false;
    bool m_wideCounts = false;
};
