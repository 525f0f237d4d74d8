#include <string>
#include <vector>

#include "docwriter/DocumentationParts.h"
#include "model/NameTables.h"

namespace {

constexpr const char* EnDash = "\xE2\x80\x93";

std::string ObjectTypeText(std::uint8_t objectType) {
    const std::string name = ObjectTypeName(objectType);
    return name.empty() ? HexText(objectType, 2) : name;
}

// Limits count as present when either is not zero, as the generator decides on a range; they are
// shown as written.
std::string Limits(const DocumentationParts& parts, const SubindexEntry& entry) {
    ConvertedValues values;
    bool present = false;
    switch (ConvertEntryValues(entry, values)) {
        case ValueKind::Unsigned:
            present = values.unsignedLow != 0 || values.unsignedHigh != 0;
            break;
        case ValueKind::Signed:
            present = values.signedLow != 0 || values.signedHigh != 0;
            break;
        case ValueKind::Real:
            present = values.realLow != 0.0f || values.realHigh != 0.0f;
            break;
        default:
            break;
    }
    return present ? parts.Text(entry.lowLimit) + " " + EnDash + " " + parts.Text(entry.highLimit) : "";
}

std::string Callback(const IndexEntry& index) {
    return index.callbackName == "NULL" ? "" : index.callbackName;
}

// The columns of a value entry: data type, access, PDO mapping, default and limits.
void AddValueCells(const DocumentationParts& parts, const SubindexEntry& entry, std::vector<DocCell>& row) {
    row.push_back({TypeName(entry.dataType)});
    row.push_back({parts.Text(entry.accessType)});
    row.push_back({entry.pdoMapping != 0 ? "yes" : "no"});
    row.push_back({parts.Text(entry.defaultValue)});
    row.push_back({Limits(parts, entry)});
}

void WriteIndex(const DocumentationParts& parts, const IndexEntry& index, bool anchor) {
    DocumentationSink& sink = parts.Sink();
    const SubindexEntry* header = index.Header();
    const bool structured = header == nullptr || header->subindex != HeaderSingle;
    std::vector<DocCell> row;
    row.reserve(11);
    row.push_back({HexText(index.index, 4), anchor ? HexText(index.index, 4) : ""});
    row.push_back({});
    row.push_back({header != nullptr ? parts.Text(header->name) : ""});
    row.push_back({header != nullptr ? ObjectTypeText(header->objectType) : ""});
    if (structured) {
        row.resize(9);
    } else {
        AddValueCells(parts, *header, row);
    }
    row.push_back({parts.Text(index.category)});
    row.push_back({parts.Text(Callback(index))});
    sink.Row(row, RowKind::Object);

    for (const auto& entry : index.subindices) {
        if (entry->IsHeader()) {
            continue;
        }
        row.clear();
        row.push_back({});
        row.push_back({HexText(entry->subindex, 2)});
        row.push_back({parts.Text(entry->name)});
        row.push_back({ObjectTypeText(entry->objectType)});
        AddValueCells(parts, *entry, row);
        row.resize(11);
        sink.Row(row, RowKind::Subindex);
    }
}

}  // namespace

std::string TypeName(std::uint8_t dataType) {
    const std::string name = DataTypeName(dataType);
    return name.empty() ? HexText(dataType, 4) : name;
}

void WriteAreaTable(const DocumentationParts& parts, int area) {
    const DictionaryArea& about = DictionaryAreas[area];
    DocumentationSink& sink = parts.Sink();
    sink.Heading(about.id, about.title);
    const ObjectDictionary& dictionary = parts.Source().dictionary;
    std::size_t count = 0;
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        count += AreaOf(dictionary.GetIndexAt(position)->index) == area ? 1 : 0;
    }
    sink.Paragraph(std::string("Indices ") + about.range + ": " + std::to_string(count) +
                   (count == 1 ? " object." : " objects."));
    sink.BeginTable({"Index", "Sub", "Name", "Object type", "Data type", "Access", "PDO", "Default", "Limits",
                     "Category", "Callback"});
    for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
        const IndexEntry& index = *dictionary.GetIndexAt(position);
        if (AreaOf(index.index) != area) {
            continue;
        }
        const bool first = position == 0 || dictionary.GetIndexAt(position - 1)->index != index.index;
        WriteIndex(parts, index, first);
    }
    sink.EndTable();
}
