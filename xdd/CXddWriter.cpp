#include "xdd/CXddWriter.h"

#include <pugixml.hpp>
#include <vector>

#include "eds/CEdsWriter.h"
#include "eds/EdsFormat.h"
#include "eds/EdsResult.h"
#include "model/ObjectDictionary.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "xdd/XddFormat.h"

namespace {

constexpr const char* Namespace = "http://www.canopen.org/xml/1.1";

// Collects the text with CR LF line ends, as every file this program writes has them.
class CrLfWriter : public pugi::xml_writer {
public:
    explicit CrLfWriter(std::string& text) : m_text(text) {}
    void write(const void* data, std::size_t size) override {
        const char* bytes = static_cast<const char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            if (bytes[i] == '\n') {
                m_text += '\r';
            }
            m_text += bytes[i];
        }
    }

private:
    std::string& m_text;
};

const char* Flag(std::uint32_t value) {
    return value != 0 ? "true" : "false";
}

class XddBuilder {
public:
    XddBuilder(const ObjectDictionary& dictionary, const FileInfoSection& fileInfo,
               const DeviceInfoSection& deviceInfo, TextEncoding encoding, std::string fileName)
        : m_dictionary(dictionary),
          m_fileInfo(fileInfo),
          m_deviceInfo(deviceInfo),
          m_encoding(encoding),
          m_fileName(std::move(fileName)) {}

    void Build(pugi::xml_document& document) {
        pugi::xml_node declaration = document.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "utf-8";
        pugi::xml_node root = document.append_child("ISO15745ProfileContainer");
        root.append_attribute("xmlns") = Namespace;
        root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
        AddDeviceProfile(root);
        AddNetworkProfile(root);
    }

private:
    std::string Utf8(const std::string& text) const { return TextToUtf8(text, m_encoding); }
    // A text the document's encoding is not chosen by (the access type) is judged by itself, so that a
    // text read back from the file is written the same again.
    static std::string OwnUtf8(const std::string& text) {
        TextEncodingScan scan;
        scan.Add(text);
        return TextToUtf8(text, scan.Result());
    }

    void SetText(pugi::xml_node parent, const char* element, const std::string& text) const {
        parent.append_child(element).text().set(Utf8(text).c_str());
    }

    static pugi::xml_node AddProfile(pugi::xml_node root, const char* identification, const char* classId) {
        pugi::xml_node profile = root.append_child("ISO15745Profile");
        pugi::xml_node header = profile.append_child("ProfileHeader");
        header.append_child("ProfileIdentification").text().set(identification);
        header.append_child("ProfileRevision").text().set("1.1");
        header.append_child("ProfileName");
        header.append_child("ProfileSource");
        header.append_child("ProfileClassID").text().set(classId);
        pugi::xml_node reference = header.append_child("ISO15745Reference");
        reference.append_child("ISO15745Part").text().set("1");
        reference.append_child("ISO15745Edition").text().set("1");
        reference.append_child("ProfileTechnology").text().set("CANopen");
        return profile;
    }

    pugi::xml_node AddBody(pugi::xml_node profile, const char* type) const {
        pugi::xml_node body = profile.append_child("ProfileBody");
        body.append_attribute("xsi:type") = type;
        body.append_attribute("formatName") = "CANopen";
        body.append_attribute("formatVersion") = "1.0";
        body.append_attribute("fileName") = Utf8(m_fileName).c_str();
        body.append_attribute("fileCreator") = Utf8(m_fileInfo.CreatedBy).c_str();
        body.append_attribute("fileCreationDate") = Utf8(XsdDateOfEds(m_fileInfo.CreationDate)).c_str();
        body.append_attribute("fileCreationTime") = Utf8(XsdTimeOfEds(m_fileInfo.CreationTime)).c_str();
        body.append_attribute("fileModifiedBy") = Utf8(m_fileInfo.ModifiedBy).c_str();
        body.append_attribute("fileModificationDate") =
            Utf8(XsdDateOfEds(m_fileInfo.ModificationDate)).c_str();
        body.append_attribute("fileModificationTime") =
            Utf8(XsdTimeOfEds(m_fileInfo.ModificationTime)).c_str();
        body.append_attribute("fileVersion") = static_cast<unsigned>(m_fileInfo.FileVersion);
        return body;
    }

    void AddDeviceProfile(pugi::xml_node root) const {
        pugi::xml_node body =
            AddBody(AddProfile(root, "CANopen device profile", "Device"), "ProfileBody_Device_CANopen");
        pugi::xml_node identity = body.append_child("DeviceIdentity");
        SetText(identity, "vendorName", m_deviceInfo.VendorName);
        identity.append_child("vendorID").text().set(Format("0x%08X", m_deviceInfo.VendorNumber).c_str());
        SetText(identity, "productName", m_deviceInfo.ProductName);
        identity.append_child("productID").text().set(Format("0x%08X", m_deviceInfo.ProductNumber).c_str());
        pugi::xml_node description = identity.append_child("productText").append_child("description");
        description.append_attribute("lang") = "en";
        description.text().set(Utf8(m_fileInfo.Description).c_str());
        SetText(identity, "orderNumber", m_deviceInfo.OrderCode);
        AddCharacteristics(body.append_child("DeviceFunction")
                               .append_child("capabilities")
                               .append_child("characteristicsList"));
    }

    void AddCharacteristic(pugi::xml_node list, const char* name,
                           const std::vector<std::string>& values) const {
        pugi::xml_node characteristic = list.append_child("characteristic");
        pugi::xml_node label = characteristic.append_child("characteristicName").append_child("label");
        label.append_attribute("lang") = "en";
        label.text().set(name);
        for (const std::string& value : values) {
            pugi::xml_node content =
                characteristic.append_child("characteristicContent").append_child("label");
            content.append_attribute("lang") = "en";
            content.text().set(Utf8(value).c_str());
        }
    }

    void AddCharacteristics(pugi::xml_node list) const {
        namespace C = XddCharacteristic;
        AddCharacteristic(list, C::EdsVersion, {m_fileInfo.EDSVersion});
        AddCharacteristic(list, C::FileRevision, {Format("%u", m_fileInfo.FileRevision)});
        AddCharacteristic(list, C::RevisionNumber, {Format("0x%08X", m_deviceInfo.RevisionNumber)});
        // A date or time whose xsd form does not read back as the same text is kept here as it is.
        const auto keep = [&](const char* name, const std::string& eds, auto toXsd, auto toEds) {
            if (toEds(toXsd(eds)) != eds) {
                AddCharacteristic(list, name, {eds});
            }
        };
        keep(C::CreationTime, m_fileInfo.CreationTime, XsdTimeOfEds, EdsTimeOfXsd);
        keep(C::CreationDate, m_fileInfo.CreationDate, XsdDateOfEds, EdsDateOfXsd);
        keep(C::ModificationTime, m_fileInfo.ModificationTime, XsdTimeOfEds, EdsTimeOfXsd);
        keep(C::ModificationDate, m_fileInfo.ModificationDate, XsdDateOfEds, EdsDateOfXsd);
        std::vector<std::string> comments;
        for (const CommentLine& line : m_dictionary.CommentLines()) {
            comments.push_back(line.text);
        }
        if (!comments.empty()) {
            AddCharacteristic(list, C::Comments, comments);
        }
        // Only the indices whose object list is not the one their number gives.
        for (const auto& [name, category] :
             {std::pair{C::MandatoryObjects, "mandatory"}, std::pair{C::ManufacturerObjects, "manufacturer"},
              std::pair{C::OptionalObjects, "optional"}}) {
            std::vector<std::string> indices;
            for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
                const IndexEntry& index = *m_dictionary.GetIndexAt(i);
                if (index.category == category && index.category != DefaultCategory(index.index)) {
                    indices.push_back(Format("0x%04X", index.index));
                }
            }
            if (!indices.empty()) {
                AddCharacteristic(list, name, indices);
            }
        }
    }

    void AddNetworkProfile(pugi::xml_node root) const {
        pugi::xml_node body =
            AddBody(AddProfile(root, "CANopen communication network profile", "CommunicationNetwork"),
                    "ProfileBody_CommunicationNetwork_CANopen");
        pugi::xml_node layers = body.append_child("ApplicationLayers");
        pugi::xml_node list = layers.append_child("CANopenObjectList");
        unsigned rxPdo = 0;
        unsigned txPdo = 0;
        for (std::uint16_t i = 0; i < m_dictionary.GetIndexCount(); ++i) {
            const IndexEntry& index = *m_dictionary.GetIndexAt(i);
            rxPdo += index.index >= 0x1400 && index.index <= 0x15FF ? 1 : 0;
            txPdo += index.index >= 0x1800 && index.index <= 0x19FF ? 1 : 0;
            AddObject(list, index);
        }
        const DummyUsageSection& dummies = m_deviceInfo.DummyUsage;
        if (dummies.dummyCount != 0) {
            pugi::xml_node usage = layers.append_child("dummyUsage");
            for (int slot = 0; slot < dummies.dummyCount && slot < DummyUsageSection::SlotCount; ++slot) {
                const DummyEntry& dummy = dummies.entries[slot];
                usage.append_child("dummy").append_attribute("entry") =
                    Format("Dummy%04X=%u", dummy.dataType, dummy.used == 1 ? 1u : 0u).c_str();
            }
        }

        pugi::xml_node baudRate =
            body.append_child("TransportLayers").append_child("PhysicalLayer").append_child("baudRate");
        for (const BaudRateName& rate : BaudRates) {
            if (m_deviceInfo.*rate.flag != 0) {
                baudRate.append_child("supportedBaudRate").append_attribute("value") = rate.value;
            }
        }
        pugi::xml_node management = body.append_child("NetworkManagement");
        pugi::xml_node general = management.append_child("CANopenGeneralFeatures");
        general.append_attribute("groupMessaging") = Flag(m_deviceInfo.GroupMessaging);
        general.append_attribute("dynamicChannels") =
            static_cast<unsigned>(m_deviceInfo.DynamicChannelsSupported);
        general.append_attribute("bootUpSlave") = Flag(m_deviceInfo.SimpleBootUpSlave);
        general.append_attribute("granularity") = static_cast<unsigned>(m_deviceInfo.Granularity);
        general.append_attribute("nrOfRxPDO") = rxPdo & 0xFFu;
        general.append_attribute("nrOfTxPDO") = txPdo & 0xFFu;
        general.append_attribute("layerSettingServiceSlave") = Flag(m_deviceInfo.LSS_Supported);
        management.append_child("CANopenMasterFeatures").append_attribute("bootUpMaster") =
            Flag(m_deviceInfo.SimpleBootUpMaster);
    }

    void AddObject(pugi::xml_node list, const IndexEntry& index) const {
        const SubindexEntry* header = index.Header();
        if (header == nullptr) {
            return;
        }
        pugi::xml_node object = list.append_child("CANopenObject");
        object.append_attribute("index") = Format("%04X", index.index).c_str();
        object.append_attribute("name") = Utf8(header->name).c_str();
        object.append_attribute("objectType") = static_cast<unsigned>(header->objectType);
        if (header->subindex != HeaderStructured) {
            AddValues(object, *header);
            return;
        }
        object.append_attribute("subNumber") = static_cast<unsigned>(index.subindices.size() - 1);
        for (const auto& entry : index.subindices) {
            if (entry->IsHeader()) {
                continue;
            }
            pugi::xml_node sub = object.append_child("CANopenSubObject");
            sub.append_attribute("subIndex") = Format("%02X", entry->subindex).c_str();
            sub.append_attribute("name") = Utf8(entry->name).c_str();
            sub.append_attribute("objectType") = static_cast<unsigned>(entry->objectType);
            AddValues(sub, *entry);
        }
    }

    // The texts as held; an attribute is left out where its absence reads back the same text.
    void AddValues(pugi::xml_node object, const SubindexEntry& entry) const {
        object.append_attribute("dataType") = Format("%04X", entry.dataType).c_str();
        if (!entry.accessType.empty()) {
            object.append_attribute("accessType") = OwnUtf8(entry.accessType).c_str();
        }
        if (!entry.defaultValue.empty()) {
            object.append_attribute("defaultValue") = Utf8(entry.defaultValue).c_str();
        }
        if (entry.lowLimit != "0x0") {
            object.append_attribute("lowLimit") = Utf8(entry.lowLimit).c_str();
        }
        if (entry.highLimit != "0x0") {
            object.append_attribute("highLimit") = Utf8(entry.highLimit).c_str();
        }
        object.append_attribute("PDOmapping") = PdoMappingText(entry.pdoMapping);
    }

    const ObjectDictionary& m_dictionary;
    const FileInfoSection& m_fileInfo;
    const DeviceInfoSection& m_deviceInfo;
    TextEncoding m_encoding;
    std::string m_fileName;
};

}  // namespace

CXddWriter::CXddWriter(const std::string& path, const ObjectDictionary& dictionary,
                       const FileInfoSection& fileInfo, const DeviceInfoSection& deviceInfo,
                       TextEncoding encoding, Platform& platform)
    : m_strPath(path),
      m_dictionary(dictionary),
      m_fileInfo(fileInfo),
      m_deviceInfo(deviceInfo),
      m_encoding(encoding),
      m_platform(platform) {}

std::string CXddWriter::BuildText() const {
    pugi::xml_document document;
    XddBuilder(m_dictionary, m_fileInfo, m_deviceInfo, m_encoding, FileNamePart(m_strPath)).Build(document);
    std::string text;
    CrLfWriter writer(text);
    document.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return text;
}

EdsExportResult CXddWriter::WriteFile() {
    std::string text;
    try {
        text = BuildText();
    } catch (const std::bad_alloc&) {
        return EdsExportResult::WriteFailed;
    }
    return WriteExportedFile(m_platform.Files(), m_strPath, text);
}
