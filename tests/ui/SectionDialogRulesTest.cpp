#include <gtest/gtest.h>

#include "ui/dialogs/CommentsText.h"
#include "ui/dialogs/DeviceInfoFields.h"
#include "ui/dialogs/DummyUsageBoxes.h"
#include "ui/dialogs/FileInfoFields.h"

namespace {

// Opens a dialog on the record, types the text into one field and presses OK: the prompt when the
// text is refused, otherwise nothing, with the record as stored.
template <class Record>
std::optional<std::string> TypeAndStore(Record& record, std::span<const SectionField<Record>> fields,
                                        const char* objectName, const std::string& text) {
    std::vector<FieldInput> inputs = LoadFields(record, fields);
    const SectionField<Record>* field = FindField(fields, objectName);
    EXPECT_NE(field, nullptr) << objectName;
    const auto position = static_cast<std::size_t>(field - fields.data());
    inputs.at(position).text = text;
    const auto problem = StoreFields(record, fields, inputs);
    if (problem) {
        EXPECT_EQ(problem->field, position) << objectName;
        return problem->prompt;
    }
    return std::nullopt;
}

}  // namespace

TEST(SectionDialogRules, NumbersKeepToTheirMembersRange) {
    const std::string byteRange = "Please enter a number from 0 to 255 for \"%s\".";
    const struct {
        const char* field;
        const char* text;
        std::optional<std::uint32_t> stored;  // nothing: refused
    } cases[] = {
        {"editFileVersion", "255", 255},
        {"editFileVersion", "256", std::nullopt},
        {"editFileRevision", " 7 ", 7},
        {"editFileRevision", "0xff", 255},
        {"editFileRevision", "0x100", std::nullopt},
        {"editFileRevision", "", std::nullopt},
        {"editFileRevision", "-1", std::nullopt},
        {"editFileRevision", "12a", std::nullopt},
        {"editGranularity", "255", 255},
        {"editGranularity", "256", std::nullopt},
        // Stored in 8 bits: refused rather than cut to the low byte.
        {"editDynamicChannels", "256", std::nullopt},
        {"editNrOfRxPdo", "300", std::nullopt},
        {"editNrOfTxPdo", "255", 255},
        {"editVendorNumber", "4294967295", 4294967295u},
        {"editVendorNumber", "4294967296", std::nullopt},
        {"editProductNumber", "0x00008822", 0x8822},
        {"editRevisionNumber", "99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        FileInfoSection file;
        DeviceInfoSection device;
        const bool inFile = FindField(FileInfoFields(), c.field) != nullptr;
        const auto prompt = inFile ? TypeAndStore(file, FileInfoFields(), c.field, c.text)
                                   : TypeAndStore(device, DeviceInfoFields(), c.field, c.text);
        EXPECT_EQ(prompt.has_value(), !c.stored.has_value()) << c.field << " " << c.text;
        if (c.stored) {
            const FieldInput stored = inFile ? LoadField(file, *FindField(FileInfoFields(), c.field))
                                             : LoadField(device, *FindField(DeviceInfoFields(), c.field));
            EXPECT_EQ(stored.text, std::to_string(*c.stored)) << c.field;
        }
    }
    FileInfoSection file;
    file.Description = "kept";
    EXPECT_EQ(TypeAndStore(file, FileInfoFields(), "editFileVersion", "256"),
              "Please enter a number from 0 to 255 for \"File Version\".");
    EXPECT_EQ(file.Description, "kept");
    DeviceInfoSection device;
    EXPECT_EQ(TypeAndStore(device, DeviceInfoFields(), "editVendorNumber", "x"),
              "Please enter a number from 0 to 4294967295 for \"Vendor Number\".");
}

TEST(SectionDialogRules, TextBoxesTakeTheirLimitOrTheLongerTextTheyOpenWith) {
    const std::pair<const char*, int> fileLimits[] = {
        {"editFileName", 0},     {"editDescription", 243},    {"editEdsVersion", 3},
        {"editCreatedBy", 245},  {"editCreationTime", 7},     {"editCreationDate", 10},
        {"editModifiedBy", 244}, {"editModificationTime", 7}, {"editModificationDate", 10},
    };
    for (const auto& [name, limit] : fileLimits) {
        EXPECT_EQ(FindField(FileInfoFields(), name)->maxChars, limit) << name;
    }
    const std::pair<const char*, int> deviceLimits[] = {
        {"editVendorName", 244}, {"editProductName", 243}, {"editOrderCode", 245}};
    for (const auto& [name, limit] : deviceLimits) {
        EXPECT_EQ(FindField(DeviceInfoFields(), name)->maxChars, limit) << name;
    }
    EXPECT_EQ(TextLimit(244, 0), 244);
    EXPECT_EQ(TextLimit(244, 244), 244);
    EXPECT_EQ(TextLimit(244, 259), 259);
    EXPECT_EQ(TextLimit(0, 12), UnlimitedChars);
    EXPECT_EQ(TextLimit(CommentsCharLimit, 300), 300);
}

TEST(SectionDialogRules, OpeningAndConfirmingKeepsEveryValue) {
    FileInfoSection file{"a.eds",      1,    3,         "4.0",        "Desc", "09:15AM",
                         "03-02-2026", "me", "02:40PM", "11-17-2026", "you"};
    FileInfoSection fileAfter;
    EXPECT_FALSE(StoreFields(fileAfter, FileInfoFields(), LoadFields(file, FileInfoFields())));
    EXPECT_EQ(fileAfter, file);

    DeviceInfoSection device;
    device.VendorName = "Vendor";
    device.VendorNumber = 0xFFFFFFFF;
    device.Baudrate_125 = 1;
    device.LSS_Supported = 5;  // any non-zero flag shows a check mark and is stored as 1
    device.NrOfTxPdo = 3;
    device.optionalCount = 9;  // not the dialog's
    DeviceInfoSection deviceAfter;
    deviceAfter.optionalCount = 2;
    EXPECT_FALSE(StoreFields(deviceAfter, DeviceInfoFields(), LoadFields(device, DeviceInfoFields())));
    EXPECT_EQ(deviceAfter.VendorNumber, 0xFFFFFFFFu);
    EXPECT_EQ(deviceAfter.Baudrate_125, 1u);
    EXPECT_EQ(deviceAfter.Baudrate_10, 0u);
    EXPECT_EQ(deviceAfter.LSS_Supported, 1u);
    EXPECT_EQ(deviceAfter.NrOfTxPdo, 3);
    EXPECT_EQ(deviceAfter.optionalCount, 2);

    DeviceInfoSection copied;
    CopyFields(device, copied, DeviceInfoFields());
    EXPECT_EQ(copied.VendorName, "Vendor");
    EXPECT_EQ(copied.optionalCount, 0);
}

TEST(SectionDialogRules, MasterAndSlaveExcludeEachOther) {
    DeviceInfoSection section;
    EXPECT_FALSE(ShowsMaster(section));
    section.SimpleBootUpMaster = 1;
    EXPECT_TRUE(ShowsMaster(section));
    section.SimpleBootUpMaster = 2;
    EXPECT_FALSE(ShowsMaster(section));
    StoreBootUp(section, true);
    EXPECT_EQ(std::pair(section.SimpleBootUpMaster, section.SimpleBootUpSlave), std::pair(1u, 0u));
    StoreBootUp(section, false);
    EXPECT_EQ(std::pair(section.SimpleBootUpMaster, section.SimpleBootUpSlave), std::pair(0u, 1u));
}

TEST(SectionDialogRules, TimeIsATrueTwelveHourClockAndDateIsMonthFirst) {
    const struct {
        int hour;
        int minute;
        const char* text;
    } times[] = {{0, 7, "12:07AM"},  {9, 15, "09:15AM"}, {11, 59, "11:59AM"},
                 {12, 5, "12:05PM"}, {13, 5, "01:05PM"}, {23, 59, "11:59PM"}};
    for (const auto& t : times) {
        LocalTime clock;
        clock.hour = t.hour;
        clock.minute = t.minute;
        EXPECT_EQ(TimeText(clock), t.text);
        EXPECT_LE(TimeText(clock).size(), 7u);
    }
    LocalTime day;
    day.day = 4;
    day.month = 7;
    day.year = 2004;
    EXPECT_EQ(DateText(day), "07-04-2004");
}

TEST(SectionDialogRules, DummyUsageShowsItsSlotsAndStoresAllSeven) {
    DummyUsageSection fresh;
    EXPECT_EQ(LoadDummyBoxes(fresh), DummyBoxes{});

    DummyUsageSection imported;
    imported.dummyCount = 3;
    imported.entries[0] = {2, 1};
    imported.entries[1] = {7, 1};
    imported.entries[2] = {9, 1};  // no box for data type 9
    const DummyBoxes boxes = LoadDummyBoxes(imported);
    EXPECT_EQ(boxes, (DummyBoxes{false, true, false, false, false, false, true}));

    StoreDummyBoxes(boxes, imported);
    EXPECT_EQ(imported.dummyCount, 7);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(imported.entries[i].dataType, i + 1);
        EXPECT_EQ(imported.entries[i].used, boxes[i] ? 1u : 0u);
    }
}

TEST(SectionDialogRules, CommentLinesMeetTheTextBox) {
    const std::vector<CommentLine> imported = {{"first", 1}, {"", 2}, {"third", 3}};
    const std::string text = CommentsText(imported);
    EXPECT_EQ(text, "first\n\nthird");
    // Opening and confirming keeps the lines; the dialog numbers them from 0.
    EXPECT_EQ(CommentLinesFromText(text), (std::vector<CommentLine>{{"first", 0}, {"", 1}, {"third", 2}}));
    EXPECT_EQ(CommentLinesFromText("a\r\nb\n"), (std::vector<CommentLine>{{"a", 0}, {"b", 1}, {"", 2}}));
    EXPECT_TRUE(CommentLinesFromText("").empty());
    EXPECT_EQ(CommentsText({}), "");

    EXPECT_FALSE(CommentsLineProblem(std::string(254, '\n')));  // 255 lines
    EXPECT_EQ(CommentsLineProblem(std::string(255, '\n')),
              "The comments hold 256 lines; at most 255 lines can be kept. Please join or remove some "
              "lines.");
}

TEST(SectionDialogRules, AnOverflowingEditKeepsWhatFits) {
    EXPECT_EQ(OverflowCut(256, 100, 256).count, 0);
    // Five characters typed or pasted at the end of a full box are dropped again.
    const TextCut atEnd = OverflowCut(261, 261, 256);
    EXPECT_EQ(std::pair(atEnd.position, atEnd.count), std::pair(256, 5));
    const TextCut inside = OverflowCut(260, 10, 256);
    EXPECT_EQ(std::pair(inside.position, inside.count), std::pair(6, 4));
    const TextCut atStart = OverflowCut(260, 2, 256);
    EXPECT_EQ(std::pair(atStart.position, atStart.count), std::pair(0, 4));
}
