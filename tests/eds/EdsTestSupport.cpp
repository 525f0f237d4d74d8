#include "EdsTestSupport.h"

#include <cstdio>

#include "eds/CFileScan.h"

namespace {

std::string Hex(unsigned value, const char* format) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// "%g" keeps six significant digits: reals that print the same are written the same.
std::string G(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    return buffer;
}

std::string EntryDifference(const SubindexEntry& a, const SubindexEntry& b, bool byExportedValues) {
    const std::string where = Hex(a.index, "%04X") + "/" + Hex(a.subindex, "%X") + ": ";
    if (a.index != b.index || a.subindex != b.subindex) {
        return where + "entry number differs";
    }
    if (a.name != b.name || a.objectType != b.objectType || a.dataType != b.dataType ||
        a.accessType != b.accessType || a.pdoMapping != b.pdoMapping || a.nonVolatile != b.nonVolatile) {
        return where + "descriptive fields differ (" + a.name + " / " + b.name + ")";
    }
    if (!byExportedValues) {
        if (a.defaultValue != b.defaultValue || a.lowLimit != b.lowLimit || a.highLimit != b.highLimit) {
            return where + "value texts differ: " + a.defaultValue + " / " + b.defaultValue;
        }
        return "";
    }
    ConvertedValues va;
    ConvertedValues vb;
    const ValueKind kind = ConvertEntryValues(a, va);
    ConvertEntryValues(b, vb);
    bool same = true;
    switch (kind) {
        case ValueKind::Unsigned:
            same = va.unsignedDefault == vb.unsignedDefault && va.unsignedLow == vb.unsignedLow &&
                   va.unsignedHigh == vb.unsignedHigh;
            break;
        case ValueKind::Signed:
            same = va.signedDefault == vb.signedDefault && va.signedLow == vb.signedLow &&
                   va.signedHigh == vb.signedHigh;
            break;
        case ValueKind::Real:
            same = G(va.realDefault) == G(vb.realDefault) && G(va.realLow) == G(vb.realLow) &&
                   G(va.realHigh) == G(vb.realHigh);
            break;
        case ValueKind::String:
        case ValueKind::Domain:
            same = a.defaultValue == b.defaultValue;
            break;
        case ValueKind::None:
            break;
    }
    return same ? "" : where + "values differ: " + a.defaultValue + " / " + b.defaultValue;
}

std::string Difference(const ObjectDictionary& a, const ObjectDictionary& b, bool byExportedValues) {
    if (a.GetIndexCount() != b.GetIndexCount()) {
        return "index counts differ: " + std::to_string(a.GetIndexCount()) + " / " +
               std::to_string(b.GetIndexCount());
    }
    for (std::uint16_t i = 0; i < a.GetIndexCount(); ++i) {
        const IndexEntry& x = *a.GetIndexAt(i);
        const IndexEntry& y = *b.GetIndexAt(i);
        if (!byExportedValues) {
            if (!x.SameContent(y)) {
                return "index " + Hex(x.index, "%04X") + " differs";
            }
            continue;
        }
        if (x.index != y.index || x.entryCount != y.entryCount || x.headerSubindex != y.headerSubindex ||
            x.kindMarker != y.kindMarker || x.category != y.category || x.storage != y.storage ||
            x.callbackName != y.callbackName || x.subindices.size() != y.subindices.size()) {
            return "index record " + Hex(x.index, "%04X") + " differs";
        }
        for (std::size_t e = 0; e < x.subindices.size(); ++e) {
            std::string d = EntryDifference(*x.subindices[e], *y.subindices[e], true);
            if (!d.empty()) {
                return d;
            }
        }
    }
    std::vector<std::string> ca;
    std::vector<std::string> cb;
    for (const CommentLine& line : a.CommentLines()) {
        ca.push_back(line.text);
    }
    for (const CommentLine& line : b.CommentLines()) {
        cb.push_back(line.text);
    }
    if (ca != cb) {
        return "comment lines differ";
    }
    if (!byExportedValues && a.CommentLines() != b.CommentLines()) {
        return "comment line numbers differ";
    }
    return "";
}

}  // namespace

std::string CrLfLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

std::string Preamble() {
    return CrLfLines({"[FileInfo]",
                      "FileName=device.eds",
                      "FileVersion=1",
                      "FileRevision=2",
                      "EDSVersion=4.0",
                      "Description=Test device",
                      "CreatedBy=Tester",
                      "",
                      "[DeviceInfo]",
                      "VendorName=Vendor",
                      "VendorNumber=0x1234",
                      "ProductName=Product",
                      "",
                      "[DummyUsage]",
                      "Dummy0001=0",
                      "Dummy0002=1",
                      "",
                      "[Comments]",
                      "Lines=1",
                      "Line1=hello",
                      ""});
}

std::string VarSection(unsigned index, const std::string& name, unsigned dataType, const std::string& def) {
    return CrLfLines({"[" + Hex(index, "%04X") + "]", "ParameterName=" + name, "ObjectType=0x7",
                      "DataType=" + Hex(dataType, "0x%04X"), "AccessType=RO", "DefaultValue=" + def,
                      "PDOMapping=0", ""});
}

std::string SubSection(unsigned index, unsigned subindex, const std::string& name, unsigned dataType,
                       const std::string& def) {
    return CrLfLines({"[" + Hex(index, "%04X") + "sub" + Hex(subindex, "%X") + "]", "ParameterName=" + name,
                      "ObjectType=0x7", "DataType=" + Hex(dataType, "0x%04X"), "AccessType=rw",
                      "DefaultValue=" + def, "PDOMapping=0", ""});
}

std::string MinimalEds(const std::string& extra) {
    return Preamble() + CrLfLines({"[MandatoryObjects]", "SupportedObjects=1", "1=0x1000", ""}) +
           VarSection(0x1000, "Device Type", 7, "0x191") +
           CrLfLines({"[OptionalObjects]", "SupportedObjects=1", "1=0x1001", ""}) +
           VarSection(0x1001, "Error Register", 5, "0") + extra +
           (extra.find("[ManufacturerObjects]") == std::string::npos
                ? CrLfLines({"[ManufacturerObjects]", "SupportedObjects=0", ""})
                : std::string());
}

EdsImportResult ImportRun::Import(const std::string& bytes, const std::string& name) {
    path = dir.File(name);
    WriteFileBytes(path, bytes);
    return ImportPath(path);
}

EdsImportResult ImportRun::ImportPath(const std::string& filePath) {
    path = filePath;
    CFileScan scan(filePath, dictionary, fileInfo, deviceInfo, platform, mode);
    const EdsImportResult result = scan.ReadFile();
    report = scan.TakeReport();
    return result;
}

const IndexEntry* ImportRun::Find(unsigned index) const {
    for (std::uint16_t i = 0; i < dictionary.GetIndexCount(); ++i) {
        if (dictionary.GetIndexAt(i)->index == index) {
            return dictionary.GetIndexAt(i);
        }
    }
    return nullptr;
}

std::string DictionaryDifference(const ObjectDictionary& a, const ObjectDictionary& b) {
    return Difference(a, b, false);
}

std::string ExportedValueDifference(const ObjectDictionary& a, const ObjectDictionary& b) {
    return Difference(a, b, true);
}

IndexEntry& AddIndex(ObjectDictionary& dictionary, unsigned index, const std::string& category,
                     bool structured) {
    auto entry = std::make_unique<IndexEntry>();
    entry->index = static_cast<std::uint16_t>(index);
    entry->category = category;
    entry->headerSubindex = structured ? HeaderStructured : HeaderSingle;
    entry->kindMarker = structured ? KindStructured : KindSingle;
    const std::uint16_t position = dictionary.InsertIndex(std::move(entry));
    return *dictionary.GetIndexAt(position);
}

SubindexEntry& AddEntry(ObjectDictionary& dictionary, unsigned index, unsigned subindex,
                        const std::string& name, unsigned objectType, unsigned dataType,
                        const std::string& access, const std::string& def, const std::string& low,
                        const std::string& high, unsigned pdoMapping) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = static_cast<std::uint16_t>(index);
    entry->subindex = static_cast<std::uint16_t>(subindex);
    entry->name = name;
    entry->objectType = static_cast<std::uint8_t>(objectType);
    entry->dataType = static_cast<std::uint8_t>(dataType);
    entry->accessType = access;
    entry->defaultValue = def;
    entry->lowLimit = low;
    entry->highLimit = high;
    entry->pdoMapping = static_cast<std::uint8_t>(pdoMapping);
    SubindexEntry& stored = *entry;
    IndexEntry& owner = *dictionary.FindIndexForEntry(static_cast<std::uint16_t>(index));
    dictionary.InsertEntry(std::move(entry));
    ++owner.entryCount;
    return stored;
}
