#include "eds/CFileScan.h"

#include "eds/EdsResult.h"
#include "eds/ProfileFile.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

CFileScan::CFileScan(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
                     DeviceInfoSection& deviceInfo, Platform& platform)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_platform(platform) {}

CFileScan::~CFileScan() = default;

int CFileScan::ReadFile() {
    return m_strPath.empty() ? EdsImportResult::EmptyPath : EdsImportResult::CannotOpen;
}

void CFileScan::GetErrorPosition(std::uint16_t& index, std::uint16_t& subindex) const {
    index = m_nErrorIndex;
    subindex = m_nErrorSubindex == 0xFFFF ? 0 : m_nErrorSubindex;
}
