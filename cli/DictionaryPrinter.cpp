#include "cli/DictionaryPrinter.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <type_traits>

#include "cli/JsonWriter.h"
#include "model/NameTables.h"

namespace {

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

void PrintSections(std::ostream& out, const ProjectView& p) {
    // Texts are converted from the project's encoding; numbers of every width print as numbers.
    const auto PrintKey = [&p](std::ostream& stream, const char* key, const auto& value) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, std::string>) {
            stream << key << '=' << TextToUtf8(value, p.encoding) << '\n';
        } else {
            stream << key << '=' << static_cast<unsigned long>(value) << '\n';
        }
    };
    const FileInfoSection& f = p.fileInfo;
    out << "[FileInfo]\n";
    PrintKey(out, "FileName", f.FileName);
    PrintKey(out, "FileVersion", f.FileVersion);
    PrintKey(out, "FileRevision", f.FileRevision);
    PrintKey(out, "EDSVersion", f.EDSVersion);
    PrintKey(out, "Description", f.Description);
    PrintKey(out, "CreationTime", f.CreationTime);
    PrintKey(out, "CreationDate", f.CreationDate);
    PrintKey(out, "CreatedBy", f.CreatedBy);
    PrintKey(out, "ModificationTime", f.ModificationTime);
    PrintKey(out, "ModificationDate", f.ModificationDate);
    PrintKey(out, "ModifiedBy", f.ModifiedBy);

    const DeviceInfoSection& d = p.deviceInfo;
    out << "\n[DeviceInfo]\n";
    PrintKey(out, "VendorName", d.VendorName);
    PrintKey(out, "VendorNumber", d.VendorNumber);
    PrintKey(out, "ProductName", d.ProductName);
    PrintKey(out, "ProductNumber", d.ProductNumber);
    PrintKey(out, "RevisionNumber", d.RevisionNumber);
    PrintKey(out, "OrderCode", d.OrderCode);
    PrintKey(out, "Baudrate_10", d.Baudrate_10);
    PrintKey(out, "Baudrate_20", d.Baudrate_20);
    PrintKey(out, "Baudrate_50", d.Baudrate_50);
    PrintKey(out, "Baudrate_125", d.Baudrate_125);
    PrintKey(out, "Baudrate_250", d.Baudrate_250);
    PrintKey(out, "Baudrate_500", d.Baudrate_500);
    PrintKey(out, "Baudrate_800", d.Baudrate_800);
    PrintKey(out, "Baudrate_1000", d.Baudrate_1000);
    PrintKey(out, "SimpleBootUpMaster", d.SimpleBootUpMaster);
    PrintKey(out, "SimpleBootUpSlave", d.SimpleBootUpSlave);
    PrintKey(out, "Granularity", d.Granularity);
    PrintKey(out, "DynamicChannelsSupported", d.DynamicChannelsSupported);
    PrintKey(out, "GroupMessaging", d.GroupMessaging);
    PrintKey(out, "NrOfRxPdo", d.NrOfRxPdo);
    PrintKey(out, "NrOfTxPdo", d.NrOfTxPdo);
    PrintKey(out, "LSS_Supported", d.LSS_Supported);

    out << "\n[DummyUsage]\n";
    for (int i = 0; i < d.DummyUsage.dummyCount && i < DummyUsageSection::SlotCount; ++i) {
        const DummyEntry& e = d.DummyUsage.entries[static_cast<std::size_t>(i)];
        out << "Dummy" << Hex(e.dataType, 4) << '=' << e.used << '\n';
    }

    out << "\n[Comments]\n";
    int line = 1;
    for (const CommentLine& c : p.dictionary.CommentLines()) {
        out << "Line" << line++ << '=' << TextToUtf8(c.text, p.encoding) << '\n';
    }
    out << '\n';
}

// Pads a UTF-8 text to a column width counted in characters.
std::string Cell(const std::string& utf8, std::size_t width) {
    std::size_t chars = 0;
    for (const char c : utf8) {
        chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return chars >= width ? utf8 + " " : utf8 + std::string(width - chars + 1, ' ');
}

std::string Limits(const SubindexEntry& e, TextEncoding encoding) {
    if (e.lowLimit.empty() && e.highLimit.empty()) {
        return "";
    }
    return TextToUtf8(e.lowLimit, encoding) + ".." + TextToUtf8(e.highLimit, encoding);
}

void PrintEntries(std::ostream& out, const ObjectDictionary& dict, TextEncoding encoding) {
    out << Cell("Index", 6) << Cell("Sub", 4) << Cell("Name", 40) << Cell("Object", 9)
        << Cell("Data type", 15) << Cell("Access", 7) << Cell("Default", 14) << Cell("Limits", 16)
        << Cell("PDO", 4) << Cell("Category", 13) << Cell("Storage", 8) << "Callback\n";
    for (std::uint16_t i = 0; i < dict.GetIndexCount(); ++i) {
        const IndexEntry& index = *dict.GetIndexAt(i);
        for (const auto& entry : index.subindices) {
            const SubindexEntry& e = *entry;
            const bool header = e.IsHeader();
            std::string line =
                Cell(Hex(index.index, 4), 6) + Cell(header ? "--" : Hex(e.subindex, 2), 4) +
                Cell(TextToUtf8(e.name, encoding), 40) + Cell(header ? ObjectTypeName(e.objectType) : "", 9) +
                Cell(DataTypeName(e.dataType), 15) + Cell(e.accessType, 7) +
                Cell(TextToUtf8(e.defaultValue, encoding), 14) + Cell(Limits(e, encoding), 16) +
                Cell(e.dataType == 0 ? "" : (e.pdoMapping != 0 ? "yes" : "no"), 4) +
                Cell(header ? index.category : "", 13) + Cell(header ? index.storage : "", 8) +
                (header ? index.callbackName : "");
            while (!line.empty() && line.back() == ' ') {
                line.pop_back();
            }
            out << line << '\n';
        }
    }
}

}  // namespace

void PrintTable(std::ostream& out, const ProjectView& project) {
    PrintSections(out, project);
    PrintEntries(out, project.dictionary, project.encoding);
}

void PrintJson(std::ostream& out, const ProjectView& p) {
    JsonWriter json(out, p.encoding);
    json.BeginObject();
    json.Key("format").Value("quillmark-show/1");

    const FileInfoSection& f = p.fileInfo;
    json.Key("fileInfo").BeginObject();
    json.Key("FileName").Value(f.FileName);
    json.Key("FileVersion").Value(f.FileVersion);
    json.Key("FileRevision").Value(f.FileRevision);
    json.Key("EDSVersion").Value(f.EDSVersion);
    json.Key("Description").Value(f.Description);
    json.Key("CreationTime").Value(f.CreationTime);
    json.Key("CreationDate").Value(f.CreationDate);
    json.Key("CreatedBy").Value(f.CreatedBy);
    json.Key("ModificationTime").Value(f.ModificationTime);
    json.Key("ModificationDate").Value(f.ModificationDate);
    json.Key("ModifiedBy").Value(f.ModifiedBy);
    json.EndObject();

    const DeviceInfoSection& d = p.deviceInfo;
    json.Key("deviceInfo").BeginObject();
    json.Key("VendorName").Value(d.VendorName);
    json.Key("VendorNumber").Value(d.VendorNumber);
    json.Key("ProductName").Value(d.ProductName);
    json.Key("ProductNumber").Value(d.ProductNumber);
    json.Key("RevisionNumber").Value(d.RevisionNumber);
    json.Key("OrderCode").Value(d.OrderCode);
    json.Key("Baudrate_10").Value(d.Baudrate_10);
    json.Key("Baudrate_20").Value(d.Baudrate_20);
    json.Key("Baudrate_50").Value(d.Baudrate_50);
    json.Key("Baudrate_125").Value(d.Baudrate_125);
    json.Key("Baudrate_250").Value(d.Baudrate_250);
    json.Key("Baudrate_500").Value(d.Baudrate_500);
    json.Key("Baudrate_800").Value(d.Baudrate_800);
    json.Key("Baudrate_1000").Value(d.Baudrate_1000);
    json.Key("SimpleBootUpMaster").Value(d.SimpleBootUpMaster);
    json.Key("SimpleBootUpSlave").Value(d.SimpleBootUpSlave);
    json.Key("Granularity").Value(d.Granularity);
    json.Key("DynamicChannelsSupported").Value(d.DynamicChannelsSupported);
    json.Key("GroupMessaging").Value(d.GroupMessaging);
    json.Key("NrOfTxPdo").Value(d.NrOfTxPdo);
    json.Key("NrOfRxPdo").Value(d.NrOfRxPdo);
    json.Key("LSS_Supported").Value(d.LSS_Supported);
    json.Key("optionalCount").Value(d.optionalCount);
    json.Key("mandatoryCount").Value(d.mandatoryCount);
    json.Key("manufacturerCount").Value(d.manufacturerCount);
    json.Key("dummyUsage").BeginObject();
    json.Key("dummyCount").Value(d.DummyUsage.dummyCount);
    json.Key("entries").BeginArray();
    for (const DummyEntry& e : d.DummyUsage.entries) {
        json.BeginObject();
        json.Key("dataType").Value(e.dataType);
        json.Key("used").Value(e.used);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    json.EndObject();

    json.Key("comments").BeginArray();
    for (const CommentLine& c : p.dictionary.CommentLines()) {
        json.BeginObject();
        json.Key("lineNumber").Value(c.lineNumber);
        json.Key("text").Value(c.text);
        json.EndObject();
    }
    json.EndArray();

    json.Key("indices").BeginArray();
    for (std::uint16_t i = 0; i < p.dictionary.GetIndexCount(); ++i) {
        const IndexEntry& index = *p.dictionary.GetIndexAt(i);
        json.BeginObject();
        json.Key("index").Value(index.index);
        json.Key("entryCount").Value(index.entryCount);
        json.Key("headerSubindex").Value(index.headerSubindex);
        json.Key("kindMarker").Value(index.kindMarker);
        json.Key("category").Value(index.category);
        json.Key("storage").Value(index.storage);
        json.Key("callbackName").Value(index.callbackName);
        json.Key("subindices").BeginArray();
        for (const auto& entry : index.subindices) {
            const SubindexEntry& e = *entry;
            json.BeginObject();
            json.Key("index").Value(e.index);
            json.Key("subindex").Value(e.subindex);
            json.Key("name").Value(e.name);
            json.Key("objectType").Value(e.objectType);
            json.Key("dataType").Value(e.dataType);
            json.Key("accessType").Value(e.accessType);
            json.Key("pdoMapping").Value(e.pdoMapping);
            json.Key("defaultNumber").Value(e.defaultNumber);
            json.Key("defaultValue").Value(e.defaultValue);
            json.Key("highLimitNumber").Value(e.highLimitNumber);
            json.Key("highLimit").Value(e.highLimit);
            json.Key("lowLimitNumber").Value(e.lowLimitNumber);
            json.Key("lowLimit").Value(e.lowLimit);
            json.Key("nonVolatile").Value(e.nonVolatile);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}
