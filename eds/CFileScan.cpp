#include "eds/CFileScan.h"

#include <new>
#include <utility>

#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "eds/ParseNumber.h"
#include "eds/ProfileFile.h"
#include "model/ObjectDictionary.h"
#include "platform/Platform.h"

namespace {

const char* const ReadCaption = "Read EDS file";

// "0", "00", "0x0" and the like: a device without optional objects, as the exporter writes it.
bool IsZero(const std::string& value) {
    const bool hexPrefix = value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
    const std::string digits = value.substr(hexPrefix ? 2 : 0);
    return !digits.empty() && digits.find_first_not_of('0') == std::string::npos;
}

}  // namespace

CFileScan::CFileScan(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
                     DeviceInfoSection& deviceInfo, Platform& platform, ImportMode mode)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_platform(platform),
      m_bLenient(mode == ImportMode::Lenient) {}

CFileScan::~CFileScan() = default;

EdsImportResult CFileScan::ReadFile() {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPath;
    }
    m_nErrorIndex = 0;
    m_nErrorSubindex = 0;
    try {
        return ReadAllSections();
    } catch (const std::bad_alloc&) {
        return EdsImportResult::OutOfMemory;
    }
}

EdsImportResult CFileScan::ReadBytes(std::string bytes) {
    m_bytes = std::move(bytes);
    return ReadFile();
}

EdsImportResult CFileScan::ReadAllSections() {
    EdsImportResult result = ValidateEdsFile();
    for (auto step : {&CFileScan::ReadFileInfo, &CFileScan::ReadDeviceInfo, &CFileScan::ReadDummyUsage,
                      &CFileScan::ReadComments}) {
        if (result != EdsImportResult::Success) {
            return result;
        }
        result = (this->*step)();
    }
    if (result == EdsImportResult::Success && m_bLenient) {
        SurveyObjectLists();
    }
    for (const char* list : ObjectLists) {
        if (result != EdsImportResult::Success) {
            return result;
        }
        result = CreateIndexList(list);
    }
    if (result == EdsImportResult::Success && m_bLenient) {
        result = ReadUnlistedObjects();
    }
    if (result == EdsImportResult::Success && !m_bLenient) {
        RecordUnlistedObjects();
    }
    return result;
}

ImportReport CFileScan::TakeReport() {
    m_report.Finish();
    return std::move(m_report);
}

void CFileScan::Record(ImportRecordKind kind, std::uint16_t index, std::uint16_t subindex,
                       std::uint32_t line) {
    ImportRecord record;
    record.kind = kind;
    record.index = index;
    record.subindex = subindex == HeaderSingle ? HeaderStructured : subindex;
    record.line = line;
    record.kept = m_bLenient;
    m_report.records.push_back(std::move(record));
}

void CFileScan::GetErrorPosition(std::uint16_t& index, std::uint16_t& subindex) const {
    index = m_nErrorIndex;
    subindex = m_nErrorSubindex == HeaderStructured ? 0 : m_nErrorSubindex;
}

std::string CFileScan::GetString(std::string_view section, std::string_view key, std::string_view def) const {
    return m_pProfile->GetString(section, key, def);
}

std::uint32_t CFileScan::GetNumber(std::string_view section, std::string_view key) const {
    return ParseNumber(m_pProfile->GetView(section, key, "0"));
}

void CFileScan::ShowError(const std::string& text, const std::string& caption) {
    m_platform.MessageBox(text, caption, MsgButtons::Ok, MsgIcon::Error);
}

// The file is read once here; every later look-up is answered from the parsed index. There is no size
// limit: the reader holds the whole file in memory.
EdsImportResult CFileScan::ValidateEdsFile() {
    if (m_strPath.empty()) {
        return EdsImportResult::EmptyPath;
    }
    std::string reason;
    std::optional<ProfileFile> profile = m_bytes ? ProfileFile::FromBytes(std::move(*m_bytes))
                                                 : ProfileFile::Load(m_platform.Files(), m_strPath, reason);
    m_bytes.reset();
    if (!profile) {
        return EdsImportResult::CannotOpen;
    }
    m_pProfile = std::make_shared<const ProfileFile>(std::move(*profile));
    FindObjectSections();
    RecordRepeats();
    if (m_bLenient) {
        // Any list may be missing, and the object sections are read even without one; a file with
        // neither describes no dictionary at all.
        for (const char* list : ObjectLists) {
            if (m_pProfile->HasKeys(list)) {
                return EdsImportResult::Success;
            }
        }
        return m_indexSections.empty() ? EdsImportResult::InvalidObjectList : EdsImportResult::Success;
    }
    const std::string optional = GetString("OptionalObjects", "SupportedObjects", "");
    if (ParseLeadingInt(optional) == 0 && !IsZero(optional)) {
        return EdsImportResult::InvalidObjectList;
    }
    return EdsImportResult::Success;
}

EdsImportResult CFileScan::ReadFileInfo() {
    const std::string section = "FileInfo";
    std::string fileName = GetString(section, "FileName", "");
    if (fileName.empty() && m_bLenient) {
        fileName = FileNamePart(m_strPath);
        ReportRepair("FileName missing: taken from the file name");
    }
    if (fileName.empty()) {
        ShowError(Format("The selected file %s is invalid!\nInvalid FileInfo section!", m_strPath.c_str()),
                  ReadCaption);
        return EdsImportResult::InvalidFileInfo;
    }
    m_fileInfo.FileName = fileName;
    m_fileInfo.FileVersion = static_cast<std::uint8_t>(GetNumber(section, "FileVersion"));
    m_fileInfo.FileRevision = static_cast<std::uint8_t>(GetNumber(section, "FileRevision"));
    m_fileInfo.EDSVersion = GetString(section, "EDSVersion", "");
    m_fileInfo.Description = GetString(section, "Description", "");
    m_fileInfo.CreationTime = GetString(section, "CreationTime", "");
    m_fileInfo.CreationDate = GetString(section, "CreationDate", "");
    m_fileInfo.CreatedBy = GetString(section, "CreatedBy", "");
    m_fileInfo.ModificationTime = GetString(section, "ModificationTime", "");
    m_fileInfo.ModificationDate = GetString(section, "ModificationDate", "");
    m_fileInfo.ModifiedBy = GetString(section, "ModifiedBy", "");
    return EdsImportResult::Success;
}

EdsImportResult CFileScan::ReadDeviceInfo() {
    const std::string section = "DeviceInfo";
    const std::string vendorName = GetString(section, "VendorName", "");
    if (vendorName.empty() && m_bLenient) {
        ReportRepair("VendorName missing: left empty");
    } else if (vendorName.empty()) {
        ShowError(Format("The selected file %s is invalid!\nInvalid DeviceInfo section!", m_strPath.c_str()),
                  ReadCaption);
        return EdsImportResult::InvalidDeviceInfo;
    }
    const auto flag = [&](const char* key) { return GetNumber(section, key) & 0xFFFFu; };
    const auto byte = [&](const char* key) { return static_cast<std::uint8_t>(GetNumber(section, key)); };
    DeviceInfoSection& d = m_deviceInfo;
    d.VendorName = vendorName;
    d.VendorNumber = GetNumber(section, "VendorNumber");
    d.ProductName = GetString(section, "ProductName", "");
    d.ProductNumber = GetNumber(section, "ProductNumber");
    d.RevisionNumber = GetNumber(section, "RevisionNumber");
    d.OrderCode = GetString(section, "OrderCode", "");
    d.LSS_Supported = flag("LSS_Supported");
    d.Granularity = byte("Granularity");
    d.GroupMessaging = flag("GroupMessaging");
    d.DynamicChannelsSupported = byte("DynamicChannelsSupported");
    d.Baudrate_10 = flag("Baudrate_10");
    d.Baudrate_20 = flag("Baudrate_20");
    d.Baudrate_50 = flag("Baudrate_50");
    d.Baudrate_125 = flag("Baudrate_125");
    d.Baudrate_250 = flag("Baudrate_250");
    d.Baudrate_500 = flag("Baudrate_500");
    d.Baudrate_800 = flag("Baudrate_800");
    d.Baudrate_1000 = flag("Baudrate_1000");
    d.SimpleBootUpSlave = flag("SimpleBootUpSlave");
    d.SimpleBootUpMaster = flag("SimpleBootUpMaster");
    d.NrOfRxPdo = byte("NrOfRxPdo");
    d.NrOfTxPdo = byte("NrOfTxPdo");
    m_report.rxPdoCountLine = m_pProfile->KeyLine(section, "NrOfRxPdo");
    m_report.txPdoCountLine = m_pProfile->KeyLine(section, "NrOfTxPdo");
    return EdsImportResult::Success;
}

EdsImportResult CFileScan::ReadDummyUsage() {
    const std::string section = "DummyUsage";
    const bool firstMissing = GetString(section, "Dummy0001", "").empty();
    if (firstMissing && !m_bLenient) {
        ShowError(Format("The selected file %s is invalid!\nInvalid DummyUsage section!", m_strPath.c_str()),
                  ReadCaption);
        return EdsImportResult::InvalidDummyUsage;
    }
    DummyUsageSection& table = m_deviceInfo.DummyUsage;
    for (unsigned n = 1; n <= DummyUsageSection::SlotCount; ++n) {
        const std::string value = GetString(section, ShortText().Text("Dummy").Hex(n, 4), "");
        if (value.empty() || table.dummyCount >= DummyUsageSection::SlotCount) {
            continue;
        }
        DummyEntry& slot = table.entries[table.dummyCount];
        slot.dataType = static_cast<std::uint8_t>(n);
        slot.used = (ParseNumber(value) & 0xFFFFu) == 1 ? 1 : 0;
        ++table.dummyCount;
    }
    if (firstMissing) {
        ReportRepair(table.dummyCount == 0 ? "DummyUsage missing: no dummy entries"
                                           : "Dummy0001 missing: the other Dummy entries read");
    }
    return EdsImportResult::Success;
}

// [Comments] is optional in EDS files: without it, or without a usable "Lines" value, the file simply
// has no comment lines.
EdsImportResult CFileScan::ReadComments() {
    const std::string section = "Comments";
    const std::string lines = GetString(section, "Lines", "");
    if (lines.empty()) {
        return EdsImportResult::Success;
    }
    const unsigned count = ParseNumber(lines) & 0xFFu;
    for (unsigned n = 1; n <= count; ++n) {
        const std::string text = GetString(section, ShortText().Text("Line").Decimal(n), "");
        if (!text.empty()) {
            m_dictionary.CommentLines().push_back(CommentLine{text, static_cast<std::uint16_t>(n)});
        }
    }
    return EdsImportResult::Success;
}
