#pragma once

#include <string>

#include "eds/EdsSections.h"
#include "platform/ResultCodes.h"
#include "platform/TextEncoding.h"

class ObjectDictionary;
class Platform;

// Writes a dictionary and its section records as a CiA 311 v1.1 device description (XDD): a device
// profile (identity, and the EDS fields CiA 311 has no element for as characteristics) and a
// communication network profile (the object list, dummy usage, baud rates and NMT features). Every
// object carries its own data type, access, mapping, default and limits, so the file needs no
// ApplicationProcess. Texts are written as UTF-8, converted from the document's encoding. The file is
// written to a temporary file that replaces the target only when complete.
class CXddWriter {
public:
    CXddWriter(const std::string& path, const ObjectDictionary& dictionary, const FileInfoSection& fileInfo,
               const DeviceInfoSection& deviceInfo, TextEncoding encoding, Platform& platform);
    CXddWriter(const CXddWriter&) = delete;
    CXddWriter& operator=(const CXddWriter&) = delete;

    // 0 on success; 1 when the target could not be replaced, 2 when the file could not be written (the
    // codes of the EDS export). On failure the previous file at the path keeps its bytes.
    EdsExportResult WriteFile();
    // The whole file as it would be written to the path.
    std::string BuildText() const;

private:
    std::string m_strPath;
    const ObjectDictionary& m_dictionary;
    const FileInfoSection& m_fileInfo;
    const DeviceInfoSection& m_deviceInfo;
    TextEncoding m_encoding;
    Platform& m_platform;
};
