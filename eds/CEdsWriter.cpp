#include "eds/CEdsWriter.h"

#include "eds/EdsResult.h"
#include "eds/ProfileFile.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

CEdsWriter::CEdsWriter(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
                       DeviceInfoSection& deviceInfo, Platform& platform)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_platform(platform) {}

CEdsWriter::~CEdsWriter() = default;

int CEdsWriter::WriteFile() {
    return EdsExportResult::WriteFailed;
}

int CEdsWriter::BuildText(std::string& text) {
    text.clear();
    return EdsExportResult::WriteFailed;
}
