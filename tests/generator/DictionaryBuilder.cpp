#include "DictionaryBuilder.h"

#include <memory>

#include "model/SubindexEntry.h"

namespace {

std::unique_ptr<SubindexEntry> MakeEntry(std::uint16_t index, std::uint16_t subindex, const EntrySpec& spec) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index;
    entry->subindex = subindex;
    entry->name = spec.name;
    entry->objectType = 0x07;
    entry->dataType = spec.dataType;
    entry->accessType = spec.access;
    entry->defaultValue = spec.value;
    entry->lowLimit = spec.low;
    entry->highLimit = spec.high;
    entry->pdoMapping = spec.pdoMapping;
    entry->nonVolatile = spec.nonVolatile;
    return entry;
}

}  // namespace

IndexEntry& DictionaryBuilder::Var(std::uint16_t index, const EntrySpec& entry, const std::string& storage,
                                   const std::string& callback) {
    auto record = std::make_unique<IndexEntry>();
    record->index = index;
    record->headerSubindex = HeaderSingle;
    record->kindMarker = KindSingle;
    record->storage = storage;
    record->callbackName = callback;
    IndexEntry& added = *record;
    m_dictionary.InsertIndex(std::move(record));
    m_dictionary.InsertEntry(MakeEntry(index, HeaderSingle, entry));
    added.entryCount = 1;
    return added;
}

IndexEntry& DictionaryBuilder::Record(std::uint16_t index, const std::string& name,
                                      const std::string& storage, const std::string& callback,
                                      std::uint8_t objectType) {
    auto record = std::make_unique<IndexEntry>();
    record->index = index;
    record->headerSubindex = HeaderStructured;
    record->kindMarker = KindStructured;
    record->storage = storage;
    record->callbackName = callback;
    IndexEntry& added = *record;
    m_dictionary.InsertIndex(std::move(record));
    auto header = MakeEntry(index, HeaderStructured, EntrySpec{.name = name, .dataType = 0, .access = ""});
    header->objectType = objectType;
    m_dictionary.InsertEntry(std::move(header));
    added.entryCount = 1;
    return added;
}

SubindexEntry& DictionaryBuilder::Sub(std::uint16_t index, std::uint16_t subindex, const EntrySpec& entry) {
    auto made = MakeEntry(index, subindex, entry);
    SubindexEntry& added = *made;
    m_dictionary.InsertEntry(std::move(made));
    ++m_dictionary.FindIndexForEntry(index)->entryCount;
    return added;
}

IndexEntry& DictionaryBuilder::RecordOfValues(std::uint16_t index, const std::string& name,
                                              std::initializer_list<std::string> values) {
    IndexEntry& record = Record(index, name);
    Sub(index, 0,
        {.name = "Number of entries",
         .dataType = 0x05,
         .access = "ro",
         .value = std::to_string(values.size())});
    std::uint16_t subindex = 1;
    for (const std::string& value : values) {
        Sub(index, subindex, {.name = "Value " + std::to_string(subindex), .dataType = 0x07, .value = value});
        ++subindex;
    }
    return record;
}
