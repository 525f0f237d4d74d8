#include "xdd/CXddScan.h"

#include <array>
#include <new>
#include <optional>

#include "eds/EdsFormat.h"
#include "eds/ParseNumber.h"
#include "model/ObjectDictionary.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "xdd/XmlNodes.h"

namespace {

const char* const ReadCaption = "Read XDD file";

// Line and column (from 1) of a byte offset, for the message about a file that is not XML.
std::pair<unsigned, unsigned> LineAndColumn(std::string_view bytes, std::ptrdiff_t offset) {
    const std::size_t end =
        std::min(bytes.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    unsigned line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return {line, static_cast<unsigned>(end - lineStart + 1)};
}

std::string TextOf(const pugi::xml_node& node) {
    return node.text().get();
}

// The first label of a characteristicName or characteristicContent.
std::string LabelOf(const pugi::xml_node& node) {
    return TextOf(ChildNamed(node, "label"));
}

std::uint32_t NumberOf(const pugi::xml_attribute& attribute) {
    return ParseNumber(attribute.value());
}

std::uint32_t FlagOf(const pugi::xml_attribute& attribute) {
    return IsTrue(attribute.value()) ? 1 : 0;
}

}  // namespace

CXddScan::CXddScan(const std::string& path, ObjectDictionary& dictionary, FileInfoSection& fileInfo,
                   DeviceInfoSection& deviceInfo, Platform& platform)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_platform(platform) {}

XddImportResult CXddScan::ReadFile() {
    try {
        std::string reason;
        const std::optional<std::string> bytes = m_platform.Files().ReadAll(m_strPath, reason);
        if (!bytes) {
            return XddImportResult::CannotOpen;
        }
        return ReadBytes(*bytes);
    } catch (const std::bad_alloc&) {
        return XddImportResult::OutOfMemory;
    }
}

XddImportResult CXddScan::ReadBytes(std::string_view bytes) {
    try {
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size());
        if (!parsed) {
            const auto [line, column] = LineAndColumn(bytes, parsed.offset);
            Refuse(Format("The file %s is not well-formed XML!\nLine %u, column %u: %s.", m_strPath.c_str(),
                          line, column, parsed.description()));
            return XddImportResult::Refused;
        }
        const EdsImportResult result = ReadDocument(document.document_element());
        // The parameters point into the document, which goes now.
        m_parameters.clear();
        return result;
    } catch (const std::bad_alloc&) {
        return XddImportResult::OutOfMemory;
    }
}

void CXddScan::Refuse(const std::string& reason) {
    m_platform.MessageBox(reason, ReadCaption, MsgButtons::Ok, MsgIcon::Error);
}

XddImportResult CXddScan::ReadDocument(const pugi::xml_node& root) {
    if (!HasLocalName(root, "ISO15745ProfileContainer")) {
        Refuse(
            Format("The file %s is not a CiA 311 device description!\nIts root element is <%s>, not "
                   "<ISO15745ProfileContainer>.",
                   m_strPath.c_str(), root.name()));
        return XddImportResult::Refused;
    }
    const pugi::xml_node list = DescendantNamed(root, "CANopenObjectList");
    if (!list) {
        Refuse(Format("The file %s holds no object dictionary!\nThe element <CANopenObjectList> is missing.",
                      m_strPath.c_str()));
        return XddImportResult::Refused;
    }
    ReadFileInfo(root);
    ReadDeviceIdentity(DescendantNamed(root, "DeviceIdentity"));
    ReadCharacteristics(root);
    ReadNetworkFeatures(root);
    ReadDummyUsage(DescendantNamed(root, "dummyUsage"));
    IndexParameters(root);
    ReadObjectList(list);
    return XddImportResult::Success;
}

// The file attributes are the same on both profile bodies; the first body that has them counts.
void CXddScan::ReadFileInfo(const pugi::xml_node& root) {
    pugi::xml_node body;
    for (pugi::xml_node profile = root.first_child(); profile; profile = profile.next_sibling()) {
        const pugi::xml_node candidate = ChildNamed(profile, "ProfileBody");
        if (candidate && (!body || (!body.attribute("fileName") && candidate.attribute("fileName")))) {
            body = candidate;
        }
    }
    FileInfoSection& info = m_fileInfo;
    info.FileName = body.attribute("fileName").value();
    info.FileVersion = static_cast<std::uint8_t>(NumberOf(body.attribute("fileVersion")));
    info.CreatedBy = body.attribute("fileCreator").value();
    info.CreationDate = EdsDateOfXsd(body.attribute("fileCreationDate").value());
    info.CreationTime = EdsTimeOfXsd(body.attribute("fileCreationTime").value());
    info.ModifiedBy = body.attribute("fileModifiedBy").value();
    info.ModificationDate = EdsDateOfXsd(body.attribute("fileModificationDate").value());
    info.ModificationTime = EdsTimeOfXsd(body.attribute("fileModificationTime").value());
}

void CXddScan::ReadDeviceIdentity(const pugi::xml_node& identity) {
    DeviceInfoSection& info = m_deviceInfo;
    info.VendorName = TextOf(ChildNamed(identity, "vendorName"));
    info.VendorNumber = ParseNumber(TextOf(ChildNamed(identity, "vendorID")));
    info.ProductName = TextOf(ChildNamed(identity, "productName"));
    info.ProductNumber = ParseNumber(TextOf(ChildNamed(identity, "productID")));
    info.OrderCode = TextOf(ChildNamed(identity, "orderNumber"));
    m_fileInfo.Description = TextOf(ChildNamed(ChildNamed(identity, "productText"), "description"));
}

void CXddScan::ReadCharacteristics(const pugi::xml_node& root) {
    namespace C = XddCharacteristic;
    const pugi::xml_node list = DescendantNamed(root, "characteristicsList");
    ForEachChildNamed(list, "characteristic", [this](const pugi::xml_node& characteristic) {
        const std::string name = LabelOf(ChildNamed(characteristic, "characteristicName"));
        std::vector<std::string> values;
        ForEachChildNamed(characteristic, "characteristicContent",
                          [&values](const pugi::xml_node& content) { values.push_back(LabelOf(content)); });
        const std::string first = values.empty() ? "" : values.front();
        if (name == C::EdsVersion) {
            m_fileInfo.EDSVersion = first;
        } else if (name == C::FileRevision) {
            m_fileInfo.FileRevision = static_cast<std::uint8_t>(ParseNumber(first));
        } else if (name == C::RevisionNumber) {
            m_deviceInfo.RevisionNumber = ParseNumber(first);
        } else if (name == C::CreationTime) {
            m_fileInfo.CreationTime = first;
        } else if (name == C::CreationDate) {
            m_fileInfo.CreationDate = first;
        } else if (name == C::ModificationTime) {
            m_fileInfo.ModificationTime = first;
        } else if (name == C::ModificationDate) {
            m_fileInfo.ModificationDate = first;
        } else if (name == C::Comments) {
            auto& lines = m_dictionary.CommentLines();
            for (std::string& text : values) {
                lines.push_back({std::move(text), static_cast<std::uint16_t>(lines.size() + 1)});
            }
        } else {
            const char* category = name == C::MandatoryObjects      ? "mandatory"
                                   : name == C::ManufacturerObjects ? "manufacturer"
                                   : name == C::OptionalObjects     ? "optional"
                                                                    : nullptr;
            for (const std::string& value : values) {
                if (category != nullptr) {
                    m_categories[static_cast<std::uint16_t>(ParseHexAttribute(value))] = category;
                }
            }
        }
    });
}

void CXddScan::ReadNetworkFeatures(const pugi::xml_node& root) {
    DeviceInfoSection& info = m_deviceInfo;
    const pugi::xml_node general = DescendantNamed(root, "CANopenGeneralFeatures");
    info.Granularity = static_cast<std::uint8_t>(NumberOf(general.attribute("granularity")));
    info.NrOfRxPdo = static_cast<std::uint8_t>(NumberOf(general.attribute("nrOfRxPDO")));
    info.NrOfTxPdo = static_cast<std::uint8_t>(NumberOf(general.attribute("nrOfTxPDO")));
    info.DynamicChannelsSupported = static_cast<std::uint8_t>(NumberOf(general.attribute("dynamicChannels")));
    info.GroupMessaging = FlagOf(general.attribute("groupMessaging"));
    info.SimpleBootUpSlave = FlagOf(general.attribute("bootUpSlave"));
    info.LSS_Supported = FlagOf(general.attribute("layerSettingServiceSlave"));
    info.SimpleBootUpMaster =
        FlagOf(DescendantNamed(root, "CANopenMasterFeatures").attribute("bootUpMaster"));

    ForEachChildNamed(DescendantNamed(root, "baudRate"), "supportedBaudRate",
                      [&info](const pugi::xml_node& rate) {
                          const std::string_view value = rate.attribute("value").value();
                          for (const BaudRateName& baudRate : BaudRates) {
                              if (value == baudRate.value) {
                                  info.*baudRate.flag = 1;
                              }
                          }
                      });
}

// Entries "Dummy0001=0" .. "Dummy0007=1"; the table is packed in data type order, as an EDS import
// packs it.
void CXddScan::ReadDummyUsage(const pugi::xml_node& dummyUsage) {
    std::array<std::optional<bool>, DummyUsageSection::SlotCount + 1> used;
    ForEachChildNamed(dummyUsage, "dummy", [&used](const pugi::xml_node& dummy) {
        const std::string_view entry = dummy.attribute("entry").value();
        const auto equals = entry.find('=');
        if (entry.substr(0, 5) != "Dummy" || equals == std::string_view::npos) {
            return;
        }
        const std::uint32_t type = ParseHexAttribute(entry.substr(5, equals - 5));
        if (type >= 1 && type <= DummyUsageSection::SlotCount && !used[type]) {
            used[type] = (ParseNumber(entry.substr(equals + 1)) & 0xFFFFu) == 1;
        }
    });
    DummyUsageSection& table = m_deviceInfo.DummyUsage;
    for (unsigned type = 1; type <= DummyUsageSection::SlotCount; ++type) {
        if (used[type]) {
            table.entries[table.dummyCount++] = {static_cast<std::uint8_t>(type), *used[type] ? 1u : 0u};
        }
    }
}
