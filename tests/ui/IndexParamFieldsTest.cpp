#include <gtest/gtest.h>

#include "ui/right_pane/IndexParamFields.h"

namespace {

std::unique_ptr<IndexEntry> Identity() {
    auto index = std::make_unique<IndexEntry>();
    index->index = 0x1018;
    index->entryCount = 6;
    index->category = "mandatory";
    index->storage = "RAM";
    index->callbackName = "NULL";
    return index;
}

SubindexEntry Entry(std::uint16_t index, std::uint16_t subindex, std::uint8_t objectType) {
    SubindexEntry entry;
    entry.index = index;
    entry.subindex = subindex;
    entry.name = "Entry";
    entry.objectType = objectType;
    entry.dataType = 0x07;
    entry.accessType = "rww";
    entry.pdoMapping = 1;
    entry.defaultValue = "0x10";
    entry.lowLimit = "1";
    entry.highLimit = "100";
    entry.nonVolatile = 3;
    return entry;
}

HintObject With(IndexEntry* index) {
    HintObject object;
    object.index = index;
    return object;
}

HintObject With(SubindexEntry* entry) {
    HintObject object;
    object.entry = entry;
    return object;
}

}  // namespace

TEST(IndexParamFields, StructuredIndexShowsItsHeaderWithoutValues) {
    IndexParamFields fields;
    fields.defaultValue = "stale";
    auto index = Identity();
    SubindexEntry header = Entry(0x1018, HeaderStructured, 0x09);
    header.name = "Identity Object";
    EXPECT_TRUE(fields.Apply(Hint::ShowIndex, With(index.get())));
    EXPECT_TRUE(fields.Apply(Hint::ShowStructuredHeader, With(&header)));
    EXPECT_EQ(fields.indexNumber, "0x1018");
    EXPECT_EQ(fields.numberOfSubindices, "0x05");
    EXPECT_EQ(fields.storageArea, "RAM");
    EXPECT_EQ(fields.callbackFunction, "NULL");
    EXPECT_EQ(fields.indexCategory, "mandatory");
    EXPECT_EQ(fields.parameterName, "Identity Object");
    EXPECT_EQ(fields.objectType, "RECORD");
    for (const std::string* empty :
         {&fields.currentSubindex, &fields.pdoMapping, &fields.highLimit, &fields.lowLimit,
          &fields.defaultValue, &fields.accessType, &fields.dataType, &fields.storeToNvData}) {
        EXPECT_EQ(*empty, "");
    }
}

TEST(IndexParamFields, SingleEntryAndSubindexShowTheirValues) {
    IndexParamFields fields;
    auto index = Identity();
    index->entryCount = 1;
    SubindexEntry single = Entry(0x1000, HeaderSingle, 0x07);
    fields.Apply(Hint::ShowIndex, With(index.get()));
    EXPECT_EQ(fields.numberOfSubindices, "0x00");
    fields.Apply(Hint::ShowSingleEntry, With(&single));
    EXPECT_EQ(fields.numberOfSubindices, "");
    EXPECT_EQ(fields.currentSubindex, "");
    EXPECT_EQ(fields.indexNumber, "0x1000");
    EXPECT_EQ(fields.dataType, "UINT32");
    EXPECT_EQ(fields.accessType, "Read Write Process Output");
    EXPECT_EQ(fields.pdoMapping, "PDO Mappable");
    EXPECT_EQ(fields.storeToNvData, "YES");
    EXPECT_EQ(fields.defaultValue, "0x10");
    EXPECT_EQ(fields.storageArea, "RAM");

    SubindexEntry sub = Entry(0x1018, 0x02, 0x07);
    sub.accessType = "RW";  // compared exactly: not a known access text
    sub.pdoMapping = 2;
    sub.nonVolatile = 0;
    sub.dataType = 0x44;
    fields.Apply(Hint::ShowSubindex, With(&sub));
    EXPECT_EQ(fields.currentSubindex, "0x02");
    EXPECT_EQ(fields.callbackFunction, "");
    EXPECT_EQ(fields.storageArea, "");
    EXPECT_EQ(fields.accessType, "");
    EXPECT_EQ(fields.dataType, "");
    EXPECT_EQ(fields.pdoMapping, "PDO Not Mappable");
    EXPECT_EQ(fields.storeToNvData, "NO");
    EXPECT_EQ(fields.indexCategory, "mandatory");
}

TEST(IndexParamFields, ResetAndNoIndexClearEverythingOtherHintsNothing) {
    IndexParamFields fields;
    auto index = Identity();
    fields.Apply(Hint::ShowIndex, With(index.get()));
    EXPECT_FALSE(fields.Apply(Hint::ShowFileInfo, HintObject{}));
    EXPECT_FALSE(fields.Apply(Hint::HeaderEdited, HintObject{}));
    EXPECT_EQ(fields.indexNumber, "0x1018");
    EXPECT_TRUE(fields.Apply(Hint::ShowIndexZero, HintObject{}));
    EXPECT_EQ(fields.indexNumber, "");
    fields.Apply(Hint::ShowIndex, With(index.get()));
    fields.Apply(Hint::Reset, HintObject{});
    EXPECT_EQ(fields.indexCategory, "");

    SubindexEntry odd = Entry(0x1018, 0x01, 0);
    fields.defaultValue = "kept";
    fields.ShowEntry(odd, 0x1234);
    EXPECT_EQ(fields.parameterName, "Entry");
    EXPECT_EQ(fields.objectType, "");
    EXPECT_EQ(fields.defaultValue, "kept");
}

TEST(IndexParamFields, MissingObjectsAreIgnored) {
    IndexParamFields fields;
    EXPECT_TRUE(fields.Apply(Hint::ShowIndex, HintObject{}));
    EXPECT_TRUE(fields.Apply(Hint::ShowSubindex, HintObject{}));
    EXPECT_EQ(fields.indexNumber, "");
}
