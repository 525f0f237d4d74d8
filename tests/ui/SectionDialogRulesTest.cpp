#include <gtest/gtest.h>

#include "ui/dialogs/CommentsText.h"
#include "ui/dialogs/DeviceInfoFields.h"
#include "ui/dialogs/DummyUsageBoxes.h"
#include "ui/dialogs/FileInfoFields.h"

namespace {

// Opens a dialog on a fresh record, types the text into one field and presses OK: the field's stored
// value as the dialog would show it again, or the prompt when the text is refused.
template <class Record>
std::string TypeAndStore(std::span<const SectionField<Record>> fields, const char* objectName,
                         const std::string& text) {
    Record record{};
    std::vector<FieldInput> inputs = LoadFields(record, fields);
    const SectionField<Record>* field = FindField(fields, objectName);
    const auto position = static_cast<std::size_t>(field - fields.data());
    inputs.at(position).text = text;
    const auto problem = StoreFields(record, fields, inputs);
    EXPECT_TRUE(!problem || problem->field == position) << objectName;
    return problem ? problem->prompt : LoadField(record, *field).text;
}

std::string Type(const char* objectName, const std::string& text) {
    return FindField(FileInfoFields(), objectName) != nullptr
               ? TypeAndStore(FileInfoFields(), objectName, text)
               : TypeAndStore(DeviceInfoFields(), objectName, text);
}

}  // namespace

TEST(SectionDialogRules, NumbersKeepToTheirMembersRange) {
    const std::string byteRange = "Please enter a number from 0 to 255 for ";
    const std::string wordRange = "Please enter a number from 0 to 4294967295 for ";
    const struct {
        const char* field;
        const char* text;
        std::string result;
    } cases[] = {
        {"editFileVersion", "255", "255"},
        {"editFileVersion", "256", byteRange + "\"File Version\"."},
        {"editFileRevision", " 7 ", "7"},
        {"editFileRevision", "0xff", "255"},
        {"editFileRevision", "0x100", byteRange + "\"File Revision\"."},
        {"editFileRevision", "", byteRange + "\"File Revision\"."},
        {"editFileRevision", "12a", byteRange + "\"File Revision\"."},
        {"editGranularity", "256", byteRange + "\"Granularity\"."},
        // Stored in 8 bits: refused rather than cut to the low byte.
        {"editDynamicChannels", "256", byteRange + "\"Dynamic Channels Supported\"."},
        {"editNrOfRxPdo", "300", byteRange + "\"Number of Receive PDO\"."},
        {"editNrOfTxPdo", "256", byteRange + "\"Number of Transmit PDO\"."},
        {"editVendorNumber", "4294967295", "4294967295"},
        {"editVendorNumber", "4294967296", wordRange + "\"Vendor Number\"."},
        {"editProductNumber", "0x00008822", "34850"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Type(c.field, c.text), c.result) << c.field << " " << c.text;
    }
    // A refused value leaves the whole record as it was.
    FileInfoSection file;
    file.Description = "kept";
    std::vector<FieldInput> inputs = LoadFields(file, FileInfoFields());
    inputs[3].text = "changed";
    inputs[1].text = "256";
    EXPECT_EQ(StoreFields(file, FileInfoFields(), inputs)->field, 1u);
    EXPECT_EQ(file.Description, "kept");
}

TEST(SectionDialogRules, TextBoxesTakeTheirLimitOrTheLongerTextTheyOpenWith) {
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
    device.VendorNumber = 0xFFFFFFFF;
    device.LSS_Supported = 5;  // any non-zero flag shows a check mark and is stored as 1
    device.optionalCount = 9;  // not the dialog's
    DeviceInfoSection deviceAfter;
    EXPECT_FALSE(StoreFields(deviceAfter, DeviceInfoFields(), LoadFields(device, DeviceInfoFields())));
    EXPECT_EQ(deviceAfter.VendorNumber, 0xFFFFFFFFu);
    EXPECT_EQ(deviceAfter.LSS_Supported, 1u);
    EXPECT_EQ(deviceAfter.optionalCount, 0);
    CopyFields(device, deviceAfter, DeviceInfoFields());
    EXPECT_EQ(deviceAfter.LSS_Supported, 5u);
    EXPECT_EQ(deviceAfter.optionalCount, 0);
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
    // Five characters typed or pasted into a full box just before position 10 are dropped again.
    const TextCut cut = OverflowCut(261, 15, 256);
    EXPECT_EQ(std::pair(cut.position, cut.count), std::pair(10, 5));
}
