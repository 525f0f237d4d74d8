#include <gtest/gtest.h>

#include <functional>

#include "ScriptedPlatform.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "ui/dialogs/IndexDialogRules.h"

namespace {

using enum IndexDlgControl;
constexpr auto Add = IndexDialogMode::Add;
constexpr auto Edit = IndexDialogMode::Edit;
constexpr auto IndexLevel = IndexDialogLevel::Index;
constexpr auto SubindexLevel = IndexDialogLevel::Subindex;

// The document's lookups, answered from the real default-callback table.
class TableLookups : public IndexDialogLookups {
public:
    int HasDefaultCallback(std::uint16_t index) override { return m_dictionary.LookupDefaultCallback(index); }
    std::string DefaultCallbackName(std::uint16_t index) override {
        return m_dictionary.LookupDefaultCallback(index) != 0 ? m_dictionary.GetLookupResult() : "NULL";
    }

private:
    ObjectDictionary m_dictionary;
};

// The disabled controls, by name in reading order.
std::string Disabled(const IndexDlgView& view) {
    static const char* const Names[] = {
        "Index",    "Subindex",     "Designator", "Callback",   "NonVolatile", "Rom",        "Ram",
        "Optional", "Manufacturer", "Mandatory",  "ObjectType", "DataType",    "AccessType", "PdoNo",
        "PdoYes",   "Default",      "Low",        "High",       "Ok"};
    std::string names;
    for (int i = 0; i < static_cast<int>(Count); ++i) {
        if (!view.IsEnabled(static_cast<IndexDlgControl>(i))) {
            names += names.empty() ? "" : " ";
            names += Names[i];
        }
    }
    return names;
}

SubindexEntry Entry(std::uint16_t index, std::uint16_t subindex, std::uint8_t objectType, const char* name) {
    SubindexEntry entry;
    entry.index = index;
    entry.subindex = subindex;
    entry.objectType = objectType;
    entry.name = name;
    return entry;
}

// 0x2000 VAR UINT32 rw, and 0x2100 RECORD with subindices 0..2; 0x1018 VAR BOOLEAN (a type the lists
// lack).
IndexEntry MakeIndex(std::uint16_t number, std::vector<SubindexEntry> entries, const char* category) {
    IndexEntry index;
    index.index = number;
    index.category = category;
    index.storage = "RAM";
    for (SubindexEntry& entry : entries) {
        index.subindices.push_back(std::make_unique<SubindexEntry>(entry));
    }
    return index;
}

SubindexEntry VarEntry(std::uint16_t index, std::uint8_t dataType) {
    SubindexEntry entry = Entry(index, HeaderSingle, ObjectCode::Var, "Speed");
    entry.dataType = dataType;
    entry.accessType = "rw";
    entry.pdoMapping = 1;
    entry.defaultValue = "0x10";
    entry.lowLimit = "0x1";
    entry.highLimit = "0xFF";
    entry.nonVolatile = 1;
    return entry;
}

class IndexDialogRulesTest : public ::testing::Test {
protected:
    void Open(IndexDialogMode mode, IndexDialogLevel level, const IndexEntry& index,
              const SubindexEntry& entry) {
        rules.SetMode(mode);
        rules.SetLevel(level);
        rules.SetLookups(&lookups);
        rules.Fill(index, entry);
        rules.Open();
    }
    void OpenAddIndex() { Open(Add, IndexLevel, IndexEntry{}, SubindexEntry{}); }
    void OpenEditRecord() { Open(Edit, IndexLevel, record, *record.Header()); }
    void Type(IndexDlgText field, const std::string& text) {
        rules.TextEdited(field, text);
        if (field == IndexDlgText::Index) {
            rules.IndexEditFinished();
        } else if (field == IndexDlgText::Subindex) {
            rules.SubindexEditFinished();
        }
    }
    void Choose(IndexDlgList IndexDlgView::*list, const std::string& name,
                void (IndexDialogRules::*react)(int)) {
        const auto& names = (rules.View().*list).names;
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        (rules.*react)(static_cast<int>(at - names.begin()));
    }
    void ChooseObjectType(const std::string& name) {
        Choose(&IndexDlgView::objectTypes, name, &IndexDialogRules::ObjectTypeChosen);
    }
    void ChooseDataType(const std::string& name) {
        Choose(&IndexDlgView::dataTypes, name, &IndexDialogRules::DataTypeChosen);
    }
    void ChooseAccess(const std::string& name) {
        Choose(&IndexDlgView::accessTypes, name, &IndexDialogRules::AccessTypeChosen);
    }
    // A new VAR index typed in completely.
    void TypeVarIndex(const char* number) {
        OpenAddIndex();
        Type(IndexDlgText::Index, number);
        Type(IndexDlgText::Designator, "Speed");
        ChooseObjectType("VAR");
        ChooseDataType("UINT16");
        ChooseAccess("ReadWrite");
    }
    const IndexDlgView& View() const { return rules.View(); }

    ScriptedPlatform platform;
    TableLookups lookups;
    IndexDialogRules rules{platform};
    IndexEntry record =
        MakeIndex(0x2100,
                  {Entry(0x2100, HeaderStructured, ObjectCode::Record, "Table"),
                   Entry(0x2100, 0, ObjectCode::Var, "Count"), Entry(0x2100, 1, ObjectCode::Var, "First"),
                   Entry(0x2100, 2, ObjectCode::Var, "Second")},
                  "manufacturer");
    IndexEntry var = MakeIndex(0x2000, {VarEntry(0x2000, DataTypeCode::Uint32)}, "optional");
};

}  // namespace

TEST_F(IndexDialogRulesTest, EachModeOpensInItsOwnState) {
    SubindexEntry blank;
    blank.index = 0x2100;
    const struct {
        IndexDialogMode mode;
        IndexDialogLevel level;
        const IndexEntry* index;
        const SubindexEntry* entry;
        const char* caption;
        const char* disabled;
        std::size_t objectTypes;
        int objectType;
        const char* indexText;
        const char* subindexText;
        const char* callback;
        IndexDlgControl focus;
    } rows[] = {
        {Add, IndexLevel, nullptr, nullptr, "Add new Index",
         "Subindex ObjectType DataType AccessType Default Low High", 0, -1, "", "", "NULL", Index},
        {Add, SubindexLevel, &record, &blank, "Add new subindex",
         "Index Callback Rom Ram Manufacturer Mandatory DataType AccessType Default Low High Ok", 3, -1,
         "0x2100", "", "", Subindex},
        {Edit, IndexLevel, &record, record.Header(), "Edit index parameter",
         "Subindex NonVolatile Optional Mandatory DataType AccessType PdoNo PdoYes Default Low High", 6, 5,
         "0x2100", "", "NULL", Index},
        {Edit, IndexLevel, &var, var.Header(), "Edit index parameter", "Subindex Optional Mandatory", 6, 0,
         "0x2000", "", "NULL", Index},
        {Edit, SubindexLevel, &record, record.subindices[2].get(), "Edit subindex parameter",
         "Index Callback Rom Ram Manufacturer Mandatory", 3, 0, "0x2100", "0x01", "", Subindex},
    };
    const IndexEntry blankIndex;
    const SubindexEntry blankEntry;
    for (const auto& row : rows) {
        Open(row.mode, row.level, row.index ? *row.index : blankIndex, row.entry ? *row.entry : blankEntry);
        SCOPED_TRACE(row.caption + std::string(" ") + row.indexText);
        EXPECT_EQ(View().caption, row.caption);
        EXPECT_EQ(Disabled(View()), row.disabled);
        EXPECT_EQ(View().objectTypes.names.size(), row.objectTypes);
        EXPECT_EQ(View().objectTypes.selected, row.objectType);
        EXPECT_EQ(View().index, row.indexText);
        EXPECT_EQ(View().subindex, row.subindexText);
        EXPECT_EQ(View().callback, row.callback);
        EXPECT_EQ(rules.TakeFocusRequest(), row.focus);
        EXPECT_FALSE(rules.Entered().callback);
    }
    // The last row: the entry's own values and the index's storage and category are shown.
    EXPECT_EQ(View().designator, "First");
    EXPECT_EQ(View().storage, 1);
    EXPECT_EQ(View().category, 1);

    Open(Edit, IndexLevel, var, *var.Header());
    EXPECT_EQ(View().dataTypes.names.size(), 9u);
    EXPECT_EQ(View().dataTypes.names[static_cast<std::size_t>(View().dataTypes.selected)], "UINT32");
    EXPECT_EQ(View().accessTypes.names.size(), 6u);
    EXPECT_EQ(View().accessTypes.names[static_cast<std::size_t>(View().accessTypes.selected)], "ReadWrite");
    EXPECT_EQ(View().defaultValue, "0x10");
    EXPECT_EQ(View().pdoMapping, 1);
    EXPECT_TRUE(View().nonVolatile);
    EXPECT_EQ(View().category, 0);

    // A communication index with a default callback keeps it out of reach.
    IndexEntry commu = MakeIndex(0x1400, {Entry(0x1400, HeaderStructured, ObjectCode::Record, "Rx")}, "");
    commu.callbackName = "PdoCbConfigCommu";
    Open(Edit, IndexLevel, commu, *commu.Header());
    EXPECT_FALSE(View().IsEnabled(Callback));
    EXPECT_FALSE(View().IsEnabled(CategoryManufacturer));
}

TEST_F(IndexDialogRulesTest, IndexRangesSetCategoryPdoAndCallback) {
    const struct {
        const char* index;
        int category;
        const char* disabled;
        const char* callback;
        bool callbackEnabled;
    } rows[] = {
        {"0x2100", 1, "Subindex Optional Mandatory DataType AccessType Default Low High Ok", "NULL", true},
        {"0x1018", 0, "Subindex Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok", "NULL",
         true},
        {"0x1400", 0, "Subindex Callback Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok",
         "PdoCbConfigCommu", false},
        {"1A00", 0, "Subindex Callback Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok",
         "PdoCbConfigMapp", false},
        {"0x6000", 0, "Subindex Manufacturer DataType AccessType Default Low High Ok", "NULL", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        OpenAddIndex();
        rules.RadioClicked(CategoryMandatory);
        Type(IndexDlgText::Callback, "");
        Type(IndexDlgText::Index, row.index);
        EXPECT_EQ(View().category, row.category);
        EXPECT_EQ(View().callback, row.callback);
        EXPECT_EQ(View().IsEnabled(Callback), row.callbackEnabled);
        EXPECT_EQ(rules.Entered().callback, row.callbackEnabled);
        EXPECT_EQ(Disabled(View()), row.disabled);
        // Entering the index offers the six object types.
        EXPECT_EQ(View().objectTypes.names.size(), 6u);
    }
    // Below 0x1000 nothing reacts.
    OpenAddIndex();
    Type(IndexDlgText::Index, "0xFFF");
    EXPECT_TRUE(View().objectTypes.names.empty());
}

TEST_F(IndexDialogRulesTest, ListsFollowObjectTypeDataTypeAndIndexRange) {
    const struct {
        const char* index;
        const char* objectType;
        std::size_t dataTypes;
        const char* dataType;
        std::vector<std::string> access;
    } rows[] = {
        {"0x6000",
         "VAR",
         9,
         "UINT8",
         {"Const", "ReadOnly", "WriteOnly", "ReadWrite", "Read Write Process Input",
          "Read Write Process Output"}},
        {"0x1000", "VAR", 9, "UINT8", {"Const", "ReadOnly", "WriteOnly", "ReadWrite"}},
        {"0x2000", "DEFTYPE", 9, "VISIBLE_STRING", {"Const", "ReadOnly", "WriteOnly", "ReadWrite"}},
        {"0x2000", "DOMAIN", 1, "DOMAIN", {"ReadOnly", "WriteOnly", "ReadWrite"}},
        {"0x2000", "RECORD", 0, nullptr, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.index) + " " + row.objectType);
        OpenAddIndex();
        Type(IndexDlgText::Index, row.index);
        ChooseObjectType(row.objectType);
        EXPECT_EQ(View().dataTypes.names.size(), row.dataTypes);
        EXPECT_EQ(View().IsEnabled(DataType), row.dataTypes > 0);
        if (row.dataType != nullptr) {
            ChooseDataType(row.dataType);
            EXPECT_FALSE(View().IsEnabled(Ok));
            EXPECT_TRUE(View().IsEnabled(AccessType));
        }
        EXPECT_EQ(View().accessTypes.names, row.access);
    }
    // A structured index has nothing more to choose; OK waits for nothing.
    EXPECT_EQ(Disabled(View()),
              "Subindex NonVolatile Optional Mandatory DataType AccessType PdoNo PdoYes Default Low High");
    EXPECT_TRUE(rules.Entered().dataType && rules.Entered().accessType);

    // Choosing an access type fills in the values; a new data type empties them again.
    OpenAddIndex();
    Type(IndexDlgText::Index, "0x2000");
    ChooseObjectType("VAR");
    ChooseDataType("UINT8");
    ChooseAccess("ReadOnly");
    EXPECT_EQ(View().defaultValue + View().lowLimit + View().highLimit, "0x00x00x0");
    EXPECT_TRUE(View().IsEnabled(Ok) && View().IsEnabled(DefaultValue) && View().IsEnabled(HighLimit));
    ChooseDataType("INT32");
    EXPECT_EQ(View().defaultValue, "");
    EXPECT_EQ(View().accessTypes.selected, -1);
    EXPECT_FALSE(rules.Entered().accessType);
    // Entering another index refills the object types: every choice is to be made again.
    Type(IndexDlgText::Index, "0x2001");
    EXPECT_EQ(View().objectTypes.selected, -1);
    EXPECT_FALSE(rules.Entered().objectType || rules.Entered().dataType);
    ChooseObjectType("VAR");
    EXPECT_TRUE(View().IsEnabled(DataType));
}

TEST_F(IndexDialogRulesTest, StructuredToSingleAsksBeforeDroppingSubindices) {
    const std::string question =
        "The index 0x2100 has several subindices! When you change\nthe object type to \"VAR\",\"DEFTYPE\" or "
        "\"DOMAIN\" all\nsubindices will be deleted! Delete all subindices?";
    OpenEditRecord();
    platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::No);
    ChooseObjectType("VAR");
    EXPECT_EQ(platform.Messages().back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(platform.Messages().back().withOwner);
    EXPECT_EQ(View().objectTypes.names[static_cast<std::size_t>(View().objectTypes.selected)], "RECORD");
    EXPECT_FALSE(View().IsEnabled(Ok));
    EXPECT_EQ(rules.TakeFocusRequest(), ObjectType);
    EXPECT_FALSE(View().IsEnabled(DataType));
    EXPECT_FALSE(rules.DeleteConfirmed());

    platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::Yes);
    ChooseObjectType("VAR");
    EXPECT_TRUE(rules.DeleteConfirmed());
    EXPECT_EQ(View().dataTypes.names.size(), 9u);
    EXPECT_TRUE(View().IsEnabled(DataType) && View().IsEnabled(NonVolatile) && View().IsEnabled(PdoMappable));
    EXPECT_FALSE(rules.Entered().dataType || rules.Entered().accessType);
    ChooseDataType("UINT8");
    ChooseAccess("ReadOnly");
    EXPECT_TRUE(rules.Accept());
    const IndexDialogValues values = rules.Values();
    EXPECT_TRUE(values.deleteConfirmed);
    EXPECT_EQ(values.objectType, ObjectCode::Var);
    EXPECT_EQ(values.dataType, DataTypeCode::Uint8);
    EXPECT_EQ(values.accessType, "ro");

    // Going back to a structured type keeps the subindices after all.
    ChooseObjectType("ARRAY");
    EXPECT_FALSE(rules.Values().deleteConfirmed);
    EXPECT_TRUE(rules.Accept());
}

TEST_F(IndexDialogRulesTest, OkChecksRefuseInOrderAndDisableOk) {
    const struct {
        const char* name;
        std::function<void()> setUp;
        const char* text;
        const char* caption;
        IndexDlgControl focus;
    } rows[] = {
        {"index too small",
         [&] {
             TypeVarIndex("0x2000");
             Type(IndexDlgText::Index, "0x0FFF");
         },
         "Please enter an index\nbetween 0x1000 und 0xFFFF!", "Index Error", Index},
        {"index too large", [&] { TypeVarIndex("0x10000"); },
         "Please enter an index\nbetween 0x1000 und 0xFFFF!", "Index Error", Index},
        {"no index", [&] { OpenAddIndex(); }, "Please enter an index!", "Index", Index},
        {"subindex 1FF",
         [&] {
             Open(Edit, SubindexLevel, record, *record.subindices[1]);
             Type(IndexDlgText::Subindex, "1FF");
         },
         "Please enter a subindex\nbetween 0x00 und 0xFF!", "Subindex Error", Subindex},
        {"subindex not hex",
         [&] {
             Open(Edit, SubindexLevel, record, *record.subindices[1]);
             Type(IndexDlgText::Subindex, "1G");
         },
         "Please enter a subindex\nbetween 0x00 und 0xFF!", "Subindex Error", Subindex},
        {"no subindex", [&] { Open(Add, SubindexLevel, record, SubindexEntry{}); },
         "Please enter a subindex!", "Subindex", Subindex},
        {"subindex emptied",
         [&] {
             Open(Add, SubindexLevel, record, SubindexEntry{});
             Type(IndexDlgText::Subindex, "5");
             Type(IndexDlgText::Subindex, "");
         },
         "Please enter a subindex!", "Subindex", Subindex},
        {"no designator",
         [&] {
             OpenAddIndex();
             Type(IndexDlgText::Index, "0x2000");
         },
         "Please enter a designator!", "Designator", Designator},
        {"empty designator",
         [&] {
             OpenEditRecord();
             Type(IndexDlgText::Designator, "");
         },
         "Please enter a designator!", "Designator", Designator},
        {"no object type",
         [&] {
             OpenAddIndex();
             Type(IndexDlgText::Index, "0x2000");
             Type(IndexDlgText::Designator, "Speed");
         },
         "Please select an object type!", "ObjectType", ObjectType},
        {"no data type", [&] { ChooseObjectType("VAR"); }, "Please select a data type!", "DataType",
         DataType},
        {"no access type", [&] { ChooseDataType("UINT8"); }, "Please select an access type!", "AccessType",
         AccessType},
        {"empty callback",
         [&] {
             TypeVarIndex("0x2000");
             Type(IndexDlgText::Callback, "");
         },
         "Please enter a valid Callback Function or NULL!", "Callback Function", Callback},
        {"callback with a blank", [&] { Type(IndexDlgText::Callback, "my cb"); },
         "Please enter a valid Callback Function or NULL!", "Callback Function", Callback},
        {"callback starting with a digit", [&] { Type(IndexDlgText::Callback, "3rd"); },
         "Please enter a valid Callback Function or NULL!", "Callback Function", Callback},
        {"callback a keyword", [&] { Type(IndexDlgText::Callback, "static"); },
         "Please enter a valid Callback Function or NULL!", "Callback Function", Callback},
        {"callback from an old project",
         [&] {
             record.callbackName = "old cb";
             OpenEditRecord();
         },
         "Please enter a valid Callback Function or NULL!", "Callback Function", Callback},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.setUp();
        rules.RadioClicked(StorageRom);  // any click enables OK again
        rules.TakeFocusRequest();
        platform.ExpectMessage(row.text, row.caption, MsgIcon::Error);
        EXPECT_FALSE(rules.Accept());
        EXPECT_TRUE(platform.Messages().back().withOwner);
        EXPECT_EQ(platform.Messages().back().buttons, MsgButtons::Ok);
        EXPECT_FALSE(View().IsEnabled(Ok));
        EXPECT_EQ(rules.TakeFocusRequest(), row.focus);
    }
    for (const char* callback : {"NULL", "myCallback_2", "_cb"}) {
        TypeVarIndex("0x2000");
        Type(IndexDlgText::Callback, callback);
        EXPECT_TRUE(rules.Accept()) << callback;
    }
}

TEST_F(IndexDialogRulesTest, ValuesComeFromTheControls) {
    TypeVarIndex("0x2001");
    rules.RadioClicked(StorageRam);
    rules.RadioClicked(PdoMappable);
    rules.NonVolatileClicked(true);
    Type(IndexDlgText::DefaultValue, "0x12");
    Type(IndexDlgText::HighLimit, "0x7F");
    Type(IndexDlgText::Callback, "OnSpeed");
    ASSERT_TRUE(rules.Accept());
    IndexDialogValues v = rules.Values();
    EXPECT_EQ(v.index, 0x2001);
    EXPECT_EQ(v.designator, "Speed");
    EXPECT_EQ(v.callback, "OnSpeed");
    EXPECT_EQ(v.category, "manufacturer");
    EXPECT_EQ(v.storage, "RAM");
    EXPECT_EQ(v.objectType, ObjectCode::Var);
    EXPECT_EQ(v.dataType, DataTypeCode::Uint16);
    EXPECT_EQ(v.accessType, "rw");
    EXPECT_EQ(v.pdoMapping, 1);
    EXPECT_EQ(v.defaultValue + "|" + v.lowLimit + "|" + v.highLimit, "0x12|0x0|0x7F");
    EXPECT_EQ(v.nonVolatile, 1u);
    EXPECT_FALSE(v.deleteConfirmed);

    // A proposed subindex beyond 0xFF fits the edit and is refused.
    Open(Edit, SubindexLevel, record, Entry(0x2100, 0x100, ObjectCode::Var, "Pasted"));
    EXPECT_EQ(View().subindex, "100");
    platform.ExpectMessage("Please enter a subindex\nbetween 0x00 und 0xFF!", "Subindex Error",
                           MsgIcon::Error);
    EXPECT_FALSE(rules.Accept());

    // A subindex text 1F is accepted as 0x1F.
    Open(Add, SubindexLevel, record, SubindexEntry{});
    Type(IndexDlgText::Subindex, "1F");
    Type(IndexDlgText::Designator, "Item");
    ChooseObjectType("VAR");
    ChooseDataType("INT8");
    ChooseAccess("Const");
    ASSERT_TRUE(rules.Accept());
    EXPECT_EQ(rules.Values().subindex, 0x1F);
    EXPECT_EQ(rules.Values().index, 0x2100);

    // An edit that leaves a type the lists lack (BOOLEAN) keeps it.
    IndexEntry flag = MakeIndex(0x2002, {VarEntry(0x2002, 0x01)}, "manufacturer");
    Open(Edit, IndexLevel, flag, *flag.Header());
    EXPECT_EQ(View().dataTypes.selected, -1);
    Type(IndexDlgText::Designator, "Flag");
    ASSERT_TRUE(rules.Accept());
    EXPECT_EQ(rules.Values().dataType, 0x01);
    EXPECT_EQ(rules.Values().accessType, "rw");
}
