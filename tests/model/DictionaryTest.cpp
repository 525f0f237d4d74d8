#include <gtest/gtest.h>

#include "model/CIdentifier.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"

namespace {

std::unique_ptr<IndexEntry> MakeIndex(std::uint16_t number) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    return index;
}

std::unique_ptr<SubindexEntry> MakeEntry(std::uint16_t index, std::uint16_t subindex) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index;
    entry->subindex = subindex;
    return entry;
}

std::vector<std::uint16_t> IndexNumbers(const ObjectDictionary& dict) {
    std::vector<std::uint16_t> numbers;
    for (std::uint16_t i = 0; i < dict.GetIndexCount(); ++i) {
        numbers.push_back(dict.GetIndexAt(i)->index);
    }
    return numbers;
}

std::vector<std::uint16_t> SubindexNumbers(const IndexEntry& index) {
    std::vector<std::uint16_t> numbers;
    for (const auto& e : index.subindices) {
        numbers.push_back(e->subindex);
    }
    return numbers;
}

}  // namespace

TEST(Records, ConstructionValuesAndCopies) {
    IndexEntry index;
    EXPECT_EQ(index.storage, "ROM");
    EXPECT_EQ(index.callbackName, "NULL");
    EXPECT_EQ(index.category, "");
    EXPECT_TRUE(index.subindices.empty());

    index.index = 0x2000;
    index.category = "manufacturer";
    index.subindices.push_back(MakeEntry(0x2000, HeaderStructured));
    index.subindices.push_back(MakeEntry(0x2000, 0));
    EXPECT_TRUE(index.CopyRecord()->subindices.empty());
    auto clone = index.Clone();
    ASSERT_EQ(clone->subindices.size(), 2u);
    EXPECT_NE(clone->subindices[0].get(), index.subindices[0].get());
    EXPECT_TRUE(clone->SameContent(index));
    clone->subindices[1]->name = "changed";
    EXPECT_FALSE(clone->SameContent(index));
}

TEST(NameTables, LookupsByPositionAndEndMarks) {
    EXPECT_EQ(DataTypeName(0x0F), "DOMAIN");
    EXPECT_EQ(ObjectTypeName(0x02), "DOMAIN");
    EXPECT_EQ(DataTypePosition(0x0F), 8);
    EXPECT_EQ(ObjectTypePosition(0x02), 1);
    EXPECT_EQ(DataTypeName(0x01), "BOOLEAN");
    EXPECT_EQ(DataTypeName(0x1B), "UNSIGNED64");
    EXPECT_EQ(DataTypeName(0x0E), "") << "reserved";
    EXPECT_EQ(DataTypeName(0x17), "") << "reserved";
    EXPECT_TRUE(IsCiaBasicDataType(0x0C));
    EXPECT_FALSE(IsCiaBasicDataType(0x17));
    EXPECT_FALSE(IsCiaBasicDataType(0x20));
    EXPECT_EQ(std::string(ObjectTypeNames[ObjectTypeCount]), "");
    EXPECT_EQ(std::string(DataTypeNames[DataTypeCount]), "");
    EXPECT_EQ(std::string(AccessTypeEdsNames[AccessTypeCount]), "");
    EXPECT_EQ(AccessTypeDisplayName("rww"), "Read Write Process Output");
    EXPECT_EQ(AccessTypeEdsName("Const"), "const");
    EXPECT_EQ(AccessTypePositionOfEdsName("RW"), -1);
    EXPECT_TRUE(IsSingleEntryObjectType(0x07));
    EXPECT_TRUE(IsSingleEntryObjectType(0x02));
    EXPECT_TRUE(IsSingleEntryObjectType(0x05));
    EXPECT_FALSE(IsSingleEntryObjectType(0x06));
    EXPECT_FALSE(IsSingleEntryObjectType(0x08));
    EXPECT_FALSE(IsSingleEntryObjectType(0x09));
}

TEST(CIdentifier, NamesACompilerTakes) {
    for (const char* name : {"PdoCbConfigCommu", "_x", "cb_2", "NULL", "Int", "__reserved"}) {
        EXPECT_TRUE(IsCIdentifier(name)) << name;
    }
    for (const char* name : {"", "3rd", "my cb", "cb-1", "cb ", "int", "_Bool", "typeof", "\xE4", "a.b"}) {
        EXPECT_FALSE(IsCIdentifier(name)) << name;
    }
}

TEST(ObjectDictionary, InsertsIndicesInAscendingOrder) {
    ObjectDictionary dict;
    EXPECT_EQ(dict.InsertIndex(MakeIndex(0x2000)), 0);
    EXPECT_EQ(dict.InsertIndex(MakeIndex(0x1000)), 0);
    EXPECT_EQ(dict.InsertIndex(MakeIndex(0x1800)), 1);
    EXPECT_EQ(IndexNumbers(dict), (std::vector<std::uint16_t>{0x1000, 0x1800, 0x2000}));
    EXPECT_EQ(dict.GetIndexAt(3), nullptr);

    // An equal number goes after the existing one; lookups find the first.
    auto second = MakeIndex(0x1800);
    IndexEntry* secondRaw = second.get();
    EXPECT_EQ(dict.InsertIndex(std::move(second)), 2);
    EXPECT_NE(dict.FindIndexForEntry(0x1800), secondRaw);
    EXPECT_EQ(dict.GetIndexPosition(*secondRaw), 1);
    IndexEntry absent;
    absent.index = 0x1234;
    EXPECT_EQ(dict.GetIndexPosition(absent), dict.GetIndexCount());
    EXPECT_EQ(dict.FindIndexForEntry(0x1234), nullptr);

    auto removed = dict.RemoveIndexAt(2);
    EXPECT_EQ(removed.get(), secondRaw);
    EXPECT_EQ(dict.RemoveIndexAt(7), nullptr);
    EXPECT_EQ(IndexNumbers(dict), (std::vector<std::uint16_t>{0x1000, 0x1800, 0x2000}));
}

TEST(ObjectDictionary, InsertsEntriesWithHeaderFirst) {
    ObjectDictionary dict;
    dict.InsertIndex(MakeIndex(0x2000));
    ASSERT_TRUE(dict.InsertEntry(MakeEntry(0x2000, 0x07)));
    ASSERT_TRUE(dict.InsertEntry(MakeEntry(0x2000, 0x00)));
    ASSERT_TRUE(dict.InsertEntry(MakeEntry(0x2000, HeaderStructured)));
    ASSERT_TRUE(dict.InsertEntry(MakeEntry(0x2000, 0x05)));
    ASSERT_TRUE(dict.InsertEntry(MakeEntry(0x2000, 0x05)));
    IndexEntry& index = *dict.FindIndexForEntry(0x2000);
    EXPECT_EQ(SubindexNumbers(index), (std::vector<std::uint16_t>{0xFFFF, 0x00, 0x05, 0x05, 0x07}));
    EXPECT_EQ(index.entryCount, 0) << "the callers keep the count";
    EXPECT_EQ(dict.GetEntryCount(index), 5);
    EXPECT_EQ(dict.GetEntryAt(index, 5), nullptr);

    // One lookup for every caller: the header by its number, the first of equal subindices, misses.
    const ObjectDictionary& constant = dict;
    EXPECT_EQ(constant.FindEntry(0x2000, HeaderStructured), index.Header());
    EXPECT_EQ(constant.FindEntry(0x2000, 0x05), index.subindices[2].get());
    EXPECT_EQ(dict.FindEntry(0x2000, 0x07), index.subindices[4].get());
    EXPECT_EQ(constant.FindEntry(0x2000, 0x06), nullptr);
    EXPECT_EQ(constant.FindEntry(0x2000, HeaderSingle), nullptr);
    EXPECT_EQ(constant.FindEntry(0x2001, 0x00), nullptr);

    SubindexEntry probe;
    probe.subindex = 0x05;
    EXPECT_EQ(dict.GetEntryPosition(index, probe), 2);
    probe.subindex = 0x06;
    EXPECT_EQ(dict.GetEntryPosition(index, probe), 5);
    EXPECT_EQ(dict.RemoveEntryAt(index, 9), nullptr);
    EXPECT_NE(dict.RemoveEntryAt(index, 2), nullptr);
    EXPECT_EQ(SubindexNumbers(index), (std::vector<std::uint16_t>{0xFFFF, 0x00, 0x05, 0x07}));

    EXPECT_FALSE(dict.InsertEntry(MakeEntry(0x3000, 0x00))) << "no owning index";
}

TEST(ObjectDictionary, DefaultCallbackTableBounds) {
    ObjectDictionary dict;
    const struct {
        std::uint16_t index;
        const char* name;
    } cases[] = {
        {0x1400, "PdoCbConfigCommu"},
        {0x15FE, "PdoCbConfigCommu"},
        {0x15FF, "NULL"},
        {0x100D, "NmtsCbConfigLifeGuarding"},
        {0x2000, "NULL"},
        {0x1200, "SdosCbConfigServer"},
        {0x127E, "SdosCbConfigServer"},
        {0x127F, "NULL"},
        {0x12FE, "SdocCbConfigClient"},
        {0x12FF, "NULL"},
        {0x17FE, "PdoCbConfigMapp"},
        {0x17FF, "NULL"},
        {0x19FF, "NULL"},
        {0x1BFE, "PdoCbConfigMapp"},
        {0x1BFF, "NULL"},
        {0x1003, "EmcpCbPreDefinedErrorField"},
        {0x1004, "NULL"},
        {0x9860, "NetCbComChannel"},
        {0x9861, "NULL"},
        {0xFFFF, "NULL"},
        {0x0000, "NULL"},
    };
    for (const auto& c : cases) {
        const int hit = dict.LookupDefaultCallback(c.index);
        EXPECT_EQ(dict.GetLookupResult(), c.name) << std::hex << c.index;
        EXPECT_EQ(hit, std::string(c.name) != "NULL" ? 1 : 0) << std::hex << c.index;
    }
    dict.LookupDefaultCallback(0x1A00);
    EXPECT_EQ(dict.GetLastTableRow(), 16);
}

TEST(ObjectDictionary, CreatesDefaultPdoMapping) {
    ObjectDictionary dict;
    dict.InsertIndex(MakeIndex(0x1000));
    dict.InsertIndex(MakeIndex(0x1400));
    dict.InsertIndex(MakeIndex(0x1800));
    IndexEntry* created = dict.CreateDefaultPdoMapping(0x1600);
    EXPECT_EQ(IndexNumbers(dict), (std::vector<std::uint16_t>{0x1000, 0x1400, 0x1600, 0x1800}));
    EXPECT_EQ(created->callbackName, "PdoCbConfigMapp");
    EXPECT_EQ(created->storage, "RAM");
    EXPECT_EQ(created->category, "optional");
    EXPECT_EQ(created->entryCount, 2);
    EXPECT_EQ(created->headerSubindex, HeaderStructured);
    ASSERT_EQ(created->subindices.size(), 2u);
    const SubindexEntry& header = *created->subindices[0];
    EXPECT_EQ(header.subindex, HeaderStructured);
    EXPECT_EQ(header.objectType, 0x09);
    EXPECT_EQ(header.name, "Receive PDO Mapping");
    const SubindexEntry& count = *created->subindices[1];
    EXPECT_EQ(count.subindex, 0);
    EXPECT_EQ(count.objectType, 0x07);
    EXPECT_EQ(count.dataType, 0x05);
    EXPECT_EQ(count.name, "Number of Mapped Objects");
    EXPECT_EQ(count.accessType, "rw");
    EXPECT_EQ(count.defaultNumber, 1u);
    EXPECT_EQ(count.defaultValue, "");

    EXPECT_EQ(dict.CreateDefaultPdoMapping(0x1A03)->subindices[0]->name, "Transmit PDO Mapping");
    EXPECT_EQ(IndexNumbers(dict).back(), 0x1A03) << "appended when nothing is greater";
    IndexEntry* unnamed = dict.CreateDefaultPdoMapping(0x17FF);
    EXPECT_EQ(unnamed->subindices[0]->name, "Receive PDO Mapping");
    EXPECT_EQ(unnamed->callbackName, "NULL") << "0x17FF is not covered by the table";
    EXPECT_EQ(dict.CreateDefaultPdoMapping(0x2000)->subindices[0]->name, "");
}

TEST(ObjectDictionary, ClearRemovesEverything) {
    ObjectDictionary dict;
    dict.InsertIndex(MakeIndex(0x1000));
    dict.InsertEntry(MakeEntry(0x1000, HeaderSingle));
    dict.CommentLines().push_back({"hello", 1});
    dict.Clear();
    EXPECT_EQ(dict.GetIndexCount(), 0);
    EXPECT_TRUE(dict.CommentLines().empty());
}
