#include <gtest/gtest.h>

#include "ScriptedPlatform.h"
#include "model/NameTables.h"
#include "model/ObjectDictionary.h"
#include "ui/dialogs/IndexDialogRules.h"

namespace {

using enum IndexDlgControl;
using Text = IndexDlgText;
constexpr auto Add = IndexDialogMode::Add;
constexpr auto Edit = IndexDialogMode::Edit;
constexpr auto AtIndex = IndexDialogLevel::Index;
constexpr auto AtSubindex = IndexDialogLevel::Subindex;

// The document's lookups, answered from the real default-callback table.
class TableLookups : public IndexDialogLookups {
public:
    int HasDefaultCallback(std::uint16_t index) override { return m_dictionary.LookupDefaultCallback(index); }
    std::string DefaultCallbackName(std::uint16_t index) override {
        return HasDefaultCallback(index) != 0 ? m_dictionary.GetLookupResult() : "NULL";
    }

private:
    ObjectDictionary m_dictionary;
};

// The disabled controls by name, in reading order.
std::string Disabled(const IndexDlgView& view) {
    static const char* const Names[] = {
        "Index",    "Subindex",     "Designator", "Callback",   "NonVolatile", "Rom",        "Ram",
        "Optional", "Manufacturer", "Mandatory",  "ObjectType", "DataType",    "AccessType", "PdoNo",
        "PdoYes",   "Default",      "Low",        "High",       "Ok"};
    std::string names;
    for (int i = 0; i < static_cast<int>(Count); ++i) {
        if (!view.IsEnabled(static_cast<IndexDlgControl>(i))) {
            names += (names.empty() ? "" : " ") + std::string(Names[i]);
        }
    }
    return names;
}

std::string Chosen(const IndexDlgList& list) {
    return list.selected < 0 ? "-" : list.names[static_cast<std::size_t>(list.selected)];
}

SubindexEntry Entry(std::uint16_t subindex, std::uint8_t objectType, const char* name,
                    std::uint8_t dataType = 0) {
    SubindexEntry entry;
    entry.subindex = subindex;
    entry.objectType = objectType;
    entry.name = name;
    entry.dataType = dataType;
    entry.accessType = dataType != 0 ? "rw" : "";
    entry.defaultValue = dataType != 0 ? "0x10" : "";
    return entry;
}

IndexEntry MakeIndex(std::uint16_t number, const std::vector<SubindexEntry>& entries) {
    IndexEntry index;
    index.index = number;
    index.category = "manufacturer";
    index.storage = "RAM";
    for (const SubindexEntry& entry : entries) {
        index.subindices.push_back(std::make_unique<SubindexEntry>(entry));
        index.subindices.back()->index = number;
    }
    return index;
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
    void OpenAddIndex(const char* number = nullptr) {
        Open(Add, AtIndex, IndexEntry{}, SubindexEntry{});
        if (number != nullptr) {
            Type(Text::Index, number);
        }
    }
    // Typing and leaving the edit.
    void Type(Text field, const std::string& text) {
        rules.TextEdited(field, text);
        if (field == Text::Index) {
            rules.IndexEditFinished();
        } else if (field == Text::Subindex) {
            rules.SubindexEditFinished();
        }
    }
    static int Position(const IndexDlgList& list, const std::string& name) {
        const auto at = std::find(list.names.begin(), list.names.end(), name);
        return at == list.names.end() ? -1 : static_cast<int>(at - list.names.begin());
    }
    // Chooses an object type and, where given, a data type and an access type.
    void Pick(const char* objectType, const char* dataType = nullptr, const char* access = nullptr) {
        rules.ObjectTypeChosen(Position(View().objectTypes, objectType));
        if (dataType != nullptr) {
            rules.DataTypeChosen(Position(View().dataTypes, dataType));
        }
        if (access != nullptr) {
            rules.AccessTypeChosen(Position(View().accessTypes, access));
        }
    }
    void ExpectRefusal(const char* text, const char* caption, IndexDlgControl focus) {
        rules.RadioClicked(StorageRom);  // any click enables OK again
        platform.ExpectMessage(text, caption, MsgIcon::Error);
        EXPECT_FALSE(rules.Accept()) << text;
        EXPECT_TRUE(platform.Messages().back().withOwner);
        EXPECT_FALSE(View().IsEnabled(Ok));
        EXPECT_EQ(rules.TakeFocusRequest(), focus) << text;
    }
    const IndexDlgView& View() const { return rules.View(); }

    ScriptedPlatform platform;
    TableLookups lookups;
    IndexDialogRules rules{platform};
    IndexEntry record = MakeIndex(0x2100, {Entry(HeaderStructured, ObjectCode::Record, "Table"),
                                           Entry(0, ObjectCode::Var, "Count", DataTypeCode::Uint8),
                                           Entry(1, ObjectCode::Var, "First", DataTypeCode::Uint8)});
    IndexEntry var = MakeIndex(0x2000, {Entry(HeaderSingle, ObjectCode::Var, "Speed", DataTypeCode::Uint32)});
};

}  // namespace

TEST_F(IndexDialogRulesTest, EachModeOpensInItsOwnState) {
    const SubindexEntry blank;
    const struct {
        IndexDialogMode mode;
        IndexDialogLevel level;
        const IndexEntry* index;
        const SubindexEntry* entry;
        const char* caption;
        const char* disabled;
        const char* shown;  // index, subindex, callback, object, data and access type, default value
    } rows[] = {
        {Add, AtIndex, nullptr, &blank, "Add new Index",
         "Subindex ObjectType DataType AccessType Default Low High", "||NULL|-|-|-|"},
        {Add, AtSubindex, &record, &blank, "Add new subindex",
         "Index Callback Rom Ram Manufacturer Mandatory DataType AccessType Default Low High Ok",
         "0x2100|||-|-|-|"},
        {Edit, AtIndex, &record, record.Header(), "Edit index parameter",
         "Subindex NonVolatile Optional Mandatory DataType AccessType PdoNo PdoYes Default Low High",
         "0x2100||NULL|RECORD|-|-|"},
        {Edit, AtIndex, &var, var.Header(), "Edit index parameter", "Subindex Optional Mandatory",
         "0x2000||NULL|VAR|UINT32|ReadWrite|0x10"},
        {Edit, AtSubindex, &record, record.subindices[2].get(), "Edit subindex parameter",
         "Index Callback Rom Ram Manufacturer Mandatory", "0x2100|0x01||VAR|UINT8|ReadWrite|0x10"},
    };
    const IndexEntry none;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        Open(row.mode, row.level, row.index != nullptr ? *row.index : none, *row.entry);
        EXPECT_EQ(View().caption, row.caption);
        EXPECT_EQ(Disabled(View()), row.disabled);
        EXPECT_EQ(View().index + "|" + View().subindex + "|" + View().callback + "|" +
                      Chosen(View().objectTypes) + "|" + Chosen(View().dataTypes) + "|" +
                      Chosen(View().accessTypes) + "|" + View().defaultValue,
                  row.shown);
        EXPECT_EQ(rules.TakeFocusRequest(), row.level == AtIndex ? Index : Subindex);
        EXPECT_EQ(View().objectTypes.names.size(), row.mode == Add && row.level == AtIndex ? 0u
                                                   : row.level == AtIndex                  ? 6u
                                                                                           : 3u);
    }
    // Storage and category always come from the index.
    EXPECT_EQ(View().storage, 1);
    EXPECT_EQ(View().category, 1);

    // A communication object with a default callback keeps it out of reach.
    IndexEntry commu = MakeIndex(0x1400, {Entry(HeaderStructured, ObjectCode::Record, "Rx")});
    Open(Edit, AtIndex, commu, *commu.Header());
    EXPECT_EQ(Disabled(View()),
              "Subindex Callback NonVolatile Manufacturer DataType AccessType PdoNo PdoYes "
              "Default Low High");
}

TEST_F(IndexDialogRulesTest, IndexRangesSetCategoryPdoAndCallback) {
    const struct {
        const char* index;
        int category;
        const char* disabled;
        const char* callback;
    } rows[] = {
        {"0x2100", 1, "Subindex Optional Mandatory DataType AccessType Default Low High Ok", "NULL"},
        {"0x1018", 0, "Subindex Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok", "NULL"},
        {"0x1400", 0, "Subindex Callback Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok",
         "PdoCbConfigCommu"},
        {"1A00", 0, "Subindex Callback Manufacturer DataType AccessType PdoNo PdoYes Default Low High Ok",
         "PdoCbConfigMapp"},
        {"0x6000", 0, "Subindex Manufacturer DataType AccessType Default Low High Ok", "NULL"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        OpenAddIndex();
        rules.RadioClicked(CategoryMandatory);
        Type(Text::Callback, "");
        Type(Text::Index, row.index);
        EXPECT_EQ(View().category, row.category);
        EXPECT_EQ(View().callback, row.callback);
        EXPECT_EQ(Disabled(View()), row.disabled);
        // A default callback is no entry of the user's.
        EXPECT_EQ(rules.Entered().callback, std::string(row.callback) == "NULL");
        EXPECT_EQ(View().objectTypes.names.size(), 6u);
    }
    OpenAddIndex("0xFFF");
    EXPECT_TRUE(View().objectTypes.names.empty());
}

TEST_F(IndexDialogRulesTest, ListsFollowObjectTypeDataTypeAndIndexRange) {
    const struct {
        const char* index;
        const char* objectType;
        std::size_t dataTypes;
        const char* dataType;
        std::size_t access;
        const char* firstAccess;
    } rows[] = {
        {"0x6000", "VAR", 9, "UINT8", 6, "Const"},
        {"0x1000", "VAR", 9, "UINT8", 4, "Const"},
        {"0x2000", "DEFTYPE", 9, "VISIBLE_STRING", 4, "Const"},
        {"0x2000", "DOMAIN", 1, "DOMAIN", 3, "ReadOnly"},
        {"0x2000", "RECORD", 0, nullptr, 0, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.index) + " " + row.objectType);
        OpenAddIndex(row.index);
        Pick(row.objectType, row.dataType);
        EXPECT_EQ(View().dataTypes.names.size(), row.dataTypes);
        EXPECT_EQ(View().accessTypes.names.size(), row.access);
        if (row.access > 0) {
            EXPECT_EQ(View().accessTypes.names.front(), row.firstAccess);
            EXPECT_TRUE(View().IsEnabled(AccessType));
            EXPECT_FALSE(View().IsEnabled(Ok));
        }
    }
    // A structured index has nothing more to choose.
    EXPECT_EQ(Disabled(View()),
              "Subindex NonVolatile Optional Mandatory DataType AccessType PdoNo PdoYes "
              "Default Low High");

    // An access type fills in the values; another data type empties them again.
    OpenAddIndex("0x2000");
    Pick("VAR", "UINT8", "ReadOnly");
    EXPECT_EQ(View().defaultValue + View().lowLimit + View().highLimit, "0x00x00x0");
    EXPECT_TRUE(View().IsEnabled(Ok) && View().IsEnabled(DefaultValue));
    rules.DataTypeChosen(Position(View().dataTypes, "INT32"));
    EXPECT_EQ(View().defaultValue + Chosen(View().accessTypes), "-");
    // Another index refills the object types: every choice is made again, with its reaction.
    Type(Text::Index, "0x2001");
    EXPECT_EQ(Chosen(View().objectTypes), "-");
    Pick("VAR");
    EXPECT_TRUE(View().IsEnabled(DataType));
}

TEST_F(IndexDialogRulesTest, LeavingAnUnchangedNumberKeepsEveryChoice) {
    // Enter in a number's edit leaves it again, with the same text or the same number written anew.
    OpenAddIndex("0x2100");
    Type(Text::Designator, "Speed");
    Pick("VAR", "UINT8", "ReadWrite");
    for (const char* again : {"0x2100", "2100", "0x02100"}) {
        SCOPED_TRACE(again);
        Type(Text::Index, again);
        EXPECT_EQ(Chosen(View().objectTypes) + Chosen(View().dataTypes) + Chosen(View().accessTypes),
                  "VARUINT8ReadWrite");
        EXPECT_TRUE(View().IsEnabled(Ok) && View().IsEnabled(DefaultValue));
    }
    EXPECT_TRUE(rules.Accept());

    Open(Edit, AtSubindex, record, *record.subindices[2]);
    Type(Text::Subindex, "0x01");
    rules.SubindexEditFinished();
    EXPECT_EQ(Chosen(View().objectTypes) + Chosen(View().dataTypes) + Chosen(View().accessTypes),
              "VARUINT8ReadWrite");
    EXPECT_TRUE(rules.Accept());
}

TEST_F(IndexDialogRulesTest, EditsNeverTakeFewerCharactersThanTheyOpenWith) {
    const struct {
        std::size_t defaultLength;
        std::size_t lowLength;
        int defaultLimit;
        int lowLimit;
    } rows[] = {
        {4, 3, 256, 32767},
        {256, 3, 256, 32767},
        {259, 40000, 259, 40000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.defaultLength);
        IndexEntry index = MakeIndex(0x2000, {*var.Header()});
        index.subindices.front()->defaultValue.assign(row.defaultLength, '7');
        index.subindices.front()->lowLimit.assign(row.lowLength, '1');
        Open(Edit, AtIndex, index, *index.Header());
        EXPECT_EQ(View().defaultValue.size(), row.defaultLength);
        EXPECT_EQ(rules.TextLimitOf(Text::DefaultValue), row.defaultLimit);
        EXPECT_EQ(rules.TextLimitOf(Text::LowLimit), row.lowLimit);
        EXPECT_EQ(rules.TextLimitOf(Text::HighLimit), 32767);
        EXPECT_EQ(rules.TextLimitOf(Text::Subindex), 4);
    }
    // Names have no limit of their own, but one from a file is never cut either.
    IndexEntry named = MakeIndex(0x2000, {*var.Header()});
    named.subindices.front()->name.assign(40000, 'n');
    Open(Edit, AtIndex, named, *named.Header());
    EXPECT_EQ(rules.TextLimitOf(Text::Designator), 40000);
    EXPECT_EQ(rules.TextLimitOf(Text::Callback), 32767);
}

TEST_F(IndexDialogRulesTest, StructuredToSingleAsksBeforeDroppingSubindices) {
    const char* question =
        "The index 0x2100 has several subindices! When you change\nthe object type to \"VAR\",\"DEFTYPE\" or "
        "\"DOMAIN\" all\nsubindices will be deleted! Delete all subindices?";
    Open(Edit, AtIndex, record, *record.Header());
    platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::No);
    Pick("VAR");
    EXPECT_EQ(platform.Messages().back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(platform.Messages().back().withOwner);
    EXPECT_EQ(Chosen(View().objectTypes), "RECORD");
    EXPECT_FALSE(View().IsEnabled(Ok) || View().IsEnabled(DataType));
    EXPECT_EQ(rules.TakeFocusRequest(), ObjectType);

    platform.ExpectMessage(question, "Select ObjectType", MsgIcon::Exclamation, MsgResult::Yes);
    Pick("VAR");
    EXPECT_TRUE(View().IsEnabled(DataType) && View().IsEnabled(NonVolatile) && View().IsEnabled(PdoMappable));
    ExpectRefusal("Please select a data type!", "DataType", DataType);
    Pick("VAR", "UINT8", "ReadOnly");
    ASSERT_TRUE(rules.Accept());
    EXPECT_TRUE(rules.Values().deleteConfirmed);
    EXPECT_EQ(rules.Values().dataType, DataTypeCode::Uint8);
    // Back to a structured type, the subindices stay after all.
    Pick("ARRAY");
    EXPECT_FALSE(rules.Values().deleteConfirmed);
}

TEST_F(IndexDialogRulesTest, OkChecksRefuseInOrder) {
    const char* badIndex = "Please enter an index\nbetween 0x1000 und 0xFFFF!";
    const char* badSubindex = "Please enter a subindex\nbetween 0x00 und 0xFF!";
    const char* badCallback = "Please enter a valid Callback Function or NULL!";
    OpenAddIndex();
    ExpectRefusal("Please enter an index!", "Index", Index);
    Type(Text::Index, "0x0FFF");
    ExpectRefusal(badIndex, "Index Error", Index);
    Type(Text::Index, "0x10000");
    ExpectRefusal(badIndex, "Index Error", Index);
    Type(Text::Index, "0x2000");
    ExpectRefusal("Please enter a designator!", "Designator", Designator);
    Type(Text::Designator, "Speed");
    ExpectRefusal("Please select an object type!", "ObjectType", ObjectType);
    Pick("VAR");
    ExpectRefusal("Please select a data type!", "DataType", DataType);
    Pick("VAR", "UINT8");
    ExpectRefusal("Please select an access type!", "AccessType", AccessType);
    Pick("VAR", "UINT8", "ReadWrite");
    for (const char* callback : {"", "my cb", "3rd", "static"}) {
        Type(Text::Callback, callback);
        ExpectRefusal(badCallback, "Callback Function", Callback);
    }
    for (const char* callback : {"NULL", "OnSpeed_2"}) {
        Type(Text::Callback, callback);
        EXPECT_TRUE(rules.Accept()) << callback;
    }

    Open(Add, AtSubindex, record, SubindexEntry{});
    ExpectRefusal("Please enter a subindex!", "Subindex", Subindex);
    Type(Text::Subindex, "5");
    Type(Text::Subindex, "");
    ExpectRefusal("Please enter a subindex!", "Subindex", Subindex);
    for (const char* subindex : {"1FF", "1G"}) {
        Type(Text::Subindex, subindex);
        ExpectRefusal(badSubindex, "Subindex Error", Subindex);
    }
    // A proposed subindex beyond 0xFF fits the four characters of the edit, and is refused.
    Open(Edit, AtSubindex, record, Entry(0x100, ObjectCode::Var, "Pasted", DataTypeCode::Uint8));
    EXPECT_EQ(View().subindex, "100");
    ExpectRefusal(badSubindex, "Subindex Error", Subindex);
    Type(Text::Subindex, "1F");
    Type(Text::Designator, "");
    ExpectRefusal("Please enter a designator!", "Designator", Designator);

    // A callback name from an old project that no compiler takes is refused too.
    record.callbackName = "old cb";
    Open(Edit, AtIndex, record, *record.Header());
    ExpectRefusal(badCallback, "Callback Function", Callback);
}

TEST_F(IndexDialogRulesTest, NumberTheDocumentRefusesKeepsTheDialogOpen) {
    // The document's answer comes last, once every check of the dialog passed.
    class Refusing : public TableLookups {
    public:
        bool AcceptValues(const IndexDialogValues& values) override {
            numbers.push_back(values.index * 0x100u + values.subindex);
            return false;
        }
        std::vector<unsigned> numbers;
    } refusing;
    OpenAddIndex("0x2100");
    rules.SetLookups(&refusing);
    ExpectRefusal("Please enter a designator!", "Designator", Designator);
    EXPECT_TRUE(refusing.numbers.empty());
    Type(Text::Designator, "Twin");
    Pick("VAR", "UINT8", "ReadWrite");
    EXPECT_FALSE(rules.Accept());
    EXPECT_FALSE(View().IsEnabled(Ok));
    EXPECT_EQ(rules.TakeFocusRequest(), Index);
    EXPECT_EQ(View().designator + Chosen(View().accessTypes), "TwinReadWrite");

    Open(Edit, AtSubindex, record, *record.subindices[2]);
    rules.SetLookups(&refusing);
    Type(Text::Subindex, "0");
    EXPECT_FALSE(rules.Accept());
    EXPECT_EQ(rules.TakeFocusRequest(), Subindex);
    EXPECT_EQ(refusing.numbers, (std::vector<unsigned>{0x210000u, 0x210000u}));
}

TEST_F(IndexDialogRulesTest, ValuesComeFromTheControls) {
    OpenAddIndex("0x2001");
    Type(Text::Designator, "Speed");
    Pick("VAR", "UINT16", "ReadWrite");
    rules.RadioClicked(StorageRam);
    rules.RadioClicked(PdoMappable);
    rules.NonVolatileClicked(true);
    Type(Text::DefaultValue, "0x12");
    Type(Text::Callback, "OnSpeed");
    ASSERT_TRUE(rules.Accept());
    const IndexDialogValues v = rules.Values();
    EXPECT_EQ(v.index, 0x2001);
    EXPECT_EQ(v.designator + "|" + v.callback + "|" + v.category + "|" + v.storage + "|" + v.accessType +
                  "|" + v.defaultValue + "|" + v.lowLimit,
              "Speed|OnSpeed|manufacturer|RAM|rw|0x12|0x0");
    EXPECT_EQ(v.objectType, ObjectCode::Var);
    EXPECT_EQ(v.dataType, DataTypeCode::Uint16);
    EXPECT_EQ(v.pdoMapping, 1);
    EXPECT_EQ(v.nonVolatile, 1u);

    Open(Add, AtSubindex, record, SubindexEntry{});
    Type(Text::Subindex, "1F");
    Type(Text::Designator, "Item");
    Pick("VAR", "INT8", "Const");
    ASSERT_TRUE(rules.Accept());
    EXPECT_EQ(rules.Values().subindex, 0x1F);

    // A type the editor does not offer (an imported BOOLEAN) is listed for the entry that has it, and kept
    // unless the user chooses another.
    IndexEntry flag = MakeIndex(0x2002, {Entry(HeaderSingle, ObjectCode::Var, "Flag", 0x01)});
    Open(Edit, AtIndex, flag, *flag.Header());
    EXPECT_EQ(Chosen(View().dataTypes), "BOOLEAN");
    ASSERT_TRUE(rules.Accept());
    EXPECT_EQ(rules.Values().dataType, 0x01);
}
