#pragma once

#include <memory>
#include <string>

#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

// The synthetic device of the import and export benchmarks: device type, an optional record and
// `count` manufacturer records of 20 subindices of mixed types.
namespace synthetic {

constexpr int SubindicesPerIndex = 20;

struct Document {
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
};

inline void AddEntry(IndexEntry& index, std::uint16_t subindex, std::string name, std::uint8_t objectType,
                     std::uint8_t dataType, std::string def, std::string low, std::string high) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index.index;
    entry->subindex = subindex;
    entry->name = std::move(name);
    entry->objectType = objectType;
    entry->dataType = dataType;
    entry->accessType = "rw";
    entry->defaultValue = std::move(def);
    entry->lowLimit = std::move(low);
    entry->highLimit = std::move(high);
    index.subindices.push_back(std::move(entry));
    ++index.entryCount;
}

inline IndexEntry& AddIndex(ObjectDictionary& dictionary, std::uint16_t number, const char* category) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    index->category = category;
    index->headerSubindex = HeaderStructured;
    index->kindMarker = KindStructured;
    IndexEntry& stored = *index;
    dictionary.InsertIndex(std::move(index));
    return stored;
}

inline void FillDocument(Document& doc, int count) {
    doc.fileInfo.FileName = "synthetic.eds";
    doc.deviceInfo.VendorName = "Bench";
    doc.deviceInfo.DummyUsage.dummyCount = 1;
    doc.deviceInfo.DummyUsage.entries[0] = {1, 0};
    doc.dictionary.CommentLines().push_back({"synthetic", 1});
    auto device = std::make_unique<IndexEntry>();
    device->index = 0x1000;
    device->category = "mandatory";
    device->headerSubindex = HeaderSingle;
    doc.dictionary.InsertIndex(std::move(device));
    AddEntry(*doc.dictionary.GetIndexAt(0), HeaderSingle, "Device Type", 7, 7, "0x191", "", "");
    IndexEntry& pdo = AddIndex(doc.dictionary, 0x1400, "optional");
    AddEntry(pdo, HeaderStructured, "RPDO", 9, 0, "", "", "");
    AddEntry(pdo, 0, "Count", 7, 5, "2", "", "");
    for (int i = 0; i < count; ++i) {
        const auto number = static_cast<std::uint16_t>(0x2000 + i);
        IndexEntry& index = AddIndex(doc.dictionary, number, "manufacturer");
        AddEntry(index, HeaderStructured, "Record " + std::to_string(i), 9, 0, "", "", "");
        AddEntry(index, 0, "Number of entries", 7, 5, std::to_string(SubindicesPerIndex - 1), "", "");
        for (int s = 1; s < SubindicesPerIndex; ++s) {
            const auto sub = static_cast<std::uint16_t>(s);
            switch (s % 4) {
                case 0:
                    AddEntry(index, sub, "Unsigned value", 7, 7, std::to_string(s * 1000), "0", "100000");
                    break;
                case 1:
                    AddEntry(index, sub, "Signed value", 7, 3, std::to_string(-s), "-500", "500");
                    break;
                case 2:
                    AddEntry(index, sub, "Real value", 7, 8, "1.25", "", "");
                    break;
                default:
                    AddEntry(index, sub, "Text value", 7, 9, "text of subindex " + std::to_string(s), "", "");
                    break;
            }
        }
    }
}

}  // namespace synthetic
