#include <gtest/gtest.h>

#include "EdsTestSupport.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "model/NameTables.h"

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Invalid(const std::string& path, const std::string& section) {
    return "The selected file " + path + " is invalid!\nInvalid " + section + " section!";
}

TEST(FileScanTest, MinimalFileImports) {
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds()));
    ASSERT_EQ(2, run.dictionary.GetIndexCount());
    const IndexEntry& device = *run.dictionary.GetIndexAt(0);
    EXPECT_EQ(0x1000, device.index);
    EXPECT_EQ("mandatory", device.category);
    EXPECT_EQ(HeaderSingle, device.headerSubindex);
    EXPECT_EQ(KindSingle, device.kindMarker);
    EXPECT_EQ(1, device.entryCount);
    const SubindexEntry& entry = *device.subindices[0];
    EXPECT_EQ(HeaderSingle, entry.subindex);
    EXPECT_EQ("Device Type", entry.name);
    EXPECT_EQ(7, entry.objectType);
    EXPECT_EQ(7, entry.dataType);
    EXPECT_EQ("ro", entry.accessType);
    EXPECT_EQ("0x191", entry.defaultValue);
    EXPECT_EQ("0x0", entry.lowLimit);
    EXPECT_EQ("0x0", entry.highLimit);
    EXPECT_EQ("optional", run.dictionary.GetIndexAt(1)->category);

    EXPECT_EQ("device.eds", run.fileInfo.FileName);
    EXPECT_EQ(1, run.fileInfo.FileVersion);
    EXPECT_EQ(2, run.fileInfo.FileRevision);
    EXPECT_EQ("Tester", run.fileInfo.CreatedBy);
    EXPECT_EQ("Vendor", run.deviceInfo.VendorName);
    EXPECT_EQ(0x1234u, run.deviceInfo.VendorNumber);
    ASSERT_EQ(1u, run.dictionary.CommentLines().size());
    EXPECT_EQ((CommentLine{"hello", 1}), run.dictionary.CommentLines()[0]);
    EXPECT_TRUE(run.platform.Messages().empty());
}

TEST(FileScanTest, PathProblemsAreSilent) {
    ImportRun run;
    EXPECT_EQ(EdsImportResult::EmptyPath, run.ImportPath(""));
    EXPECT_EQ(EdsImportResult::CannotOpen, run.ImportPath(run.dir.File("missing.eds")));
    EXPECT_EQ(EdsImportResult::CannotOpen, run.ImportPath(run.dir.Path()));
    EXPECT_TRUE(run.platform.Messages().empty());
}

std::string Repair(const std::string& path, const std::string& repair) {
    return "Lenient import of " + path + ":\n" + repair;
}

// Each row is a file that the standard import refuses before any object is read, and what the lenient
// import makes of it: the repairs it reports, in order, and the indices it reads.
struct RefusedCase {
    const char* what;
    std::string bytes;
    EdsImportResult result;
    const char* section;  // the section named in the message, or null for a silent refusal
    std::vector<std::string> repairs;
    int lenientIndices;  // 0: the lenient import refuses the file as well, with the same code
};

TEST(FileScanTest, RefusedFilesGiveTheirCodeAndMessage) {
    const std::string good = MinimalEds();
    const std::string noOptional = "OptionalObjects missing: read as an empty list";
    const std::string oneEntry = "1 object list entry missing: skipped";
    const std::string unlisted = "1 object section in no object list: read";
    const std::string everythingMissing =
        Replace(Replace(Replace(Replace(good, "FileName=device.eds", ""), "VendorName=Vendor", "VendorName="),
                        "[DummyUsage]\r\nDummy0001=0\r\nDummy0002=1", ""),
                "SupportedObjects=1\r\n1=0x1000", "SupportedObjects=3\r\n2=0x1000");
    const RefusedCase cases[] = {
        {"no optional list",
         Replace(good, "[OptionalObjects]", "[Other]"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {noOptional, unlisted},
         2},
        {"optional count in hex reads as decimal 0",
         Replace(good, "SupportedObjects=1\r\n1=0x1001", "SupportedObjects=0x1\r\n1=0x1001"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {},
         2},
        {"optional count blank",
         Replace(good, "SupportedObjects=1\r\n1=0x1001", "SupportedObjects=  \r\n1=0x1001"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {noOptional, unlisted},
         2},
        {"no FileName",
         Replace(good, "FileName=device.eds", "FileNam=device.eds"),
         EdsImportResult::InvalidFileInfo,
         "FileInfo",
         {"FileName missing: taken from the file name"},
         2},
        {"empty FileName",
         Replace(good, "FileName=device.eds", "FileName="),
         EdsImportResult::InvalidFileInfo,
         "FileInfo",
         {"FileName missing: taken from the file name"},
         2},
        {"no VendorName",
         Replace(good, "VendorName=Vendor", "Vendor=Vendor"),
         EdsImportResult::InvalidDeviceInfo,
         "DeviceInfo",
         {"VendorName missing: left empty"},
         2},
        {"no Dummy0001",
         Replace(good, "Dummy0001=0", "Dummy0009=0"),
         EdsImportResult::InvalidDummyUsage,
         "DummyUsage",
         {"Dummy0001 missing: the other Dummy entries read"},
         2},
        {"no DummyUsage section",
         Replace(good, "[DummyUsage]", "[Dummies]"),
         EdsImportResult::InvalidDummyUsage,
         "DummyUsage",
         {"DummyUsage missing: no dummy entries"},
         2},
        {"no mandatory list",
         Replace(good, "[MandatoryObjects]", "[Mandatory]"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {"MandatoryObjects missing: read as an empty list", unlisted},
         2},
        {"missing numbered key",
         Replace(good, "SupportedObjects=1\r\n1=0x1000", "SupportedObjects=2\r\n1=0x1000"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {oneEntry},
         2},
        {"empty numbered key",
         Replace(good, "1=0x1000", "1="),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {oneEntry, unlisted},
         2},
        {"no object list at all",
         Preamble() + VarSection(0x1000, "Device Type", 7, "0"),
         EdsImportResult::InvalidObjectList,
         nullptr,
         {"MandatoryObjects missing: read as an empty list",
          "ManufacturerObjects missing: read as an empty list", noOptional, unlisted},
         1},
        {"no object list nor object section", Preamble(), EdsImportResult::InvalidObjectList, nullptr, {}, 0},
        {"everything missing at once",
         everythingMissing,
         EdsImportResult::InvalidFileInfo,
         "FileInfo",
         {"FileName missing: taken from the file name", "VendorName missing: left empty",
          "DummyUsage missing: no dummy entries", "2 object list entries missing: skipped"},
         2},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.what);
        ImportRun run;
        const std::string path = run.dir.File("device.eds");
        if (c.section != nullptr) {
            run.platform.ExpectMessage(Invalid(path, c.section), "Read EDS file", MsgIcon::Error);
        }
        EXPECT_EQ(c.result, run.Import(c.bytes));
        EXPECT_EQ(0, run.platform.PendingExpectations());

        ImportRun lenient;
        lenient.mode = ImportMode::Lenient;
        for (const std::string& repair : c.repairs) {
            lenient.platform.ExpectMessage(Repair(lenient.dir.File("device.eds"), repair), "Warning",
                                           MsgIcon::Exclamation);
        }
        EXPECT_EQ(c.lenientIndices != 0 ? EdsImportResult::Success : c.result, lenient.Import(c.bytes));
        EXPECT_EQ(c.lenientIndices, lenient.dictionary.GetIndexCount());
        EXPECT_EQ(c.lenientIndices != 0 ? "device.eds" : "", lenient.fileInfo.FileName);
    }
}

// A device without optional objects, as the exporter writes it, imports with an empty optional list.
TEST(FileScanTest, OptionalListMayBeEmpty) {
    for (const char* count : {"0", "00", "0x0", "0X00"}) {
        SCOPED_TRACE(count);
        ImportRun run;
        const std::string bytes =
            Replace(MinimalEds(), "SupportedObjects=1\r\n1=0x1001", std::string("SupportedObjects=") + count);
        EXPECT_EQ(EdsImportResult::Success, run.Import(bytes));
        ASSERT_EQ(1, run.dictionary.GetIndexCount());
        EXPECT_EQ(0x1000, run.dictionary.GetIndexAt(0)->index);
    }
    // A real device with SupportedObjects=0 gets past the check to its objects.
    ImportRun run;
    run.platform.AllowUnexpectedMessages();
    EXPECT_NE(EdsImportResult::InvalidObjectList,
              run.ImportPath(std::string(QM_CORPUS_DIR) + "/python-canopen__datatypes.eds"));
    EXPECT_GT(run.dictionary.GetIndexCount(), 0);
}

TEST(FileScanTest, FilesBeyond64KiBAreRead) {
    ImportRun run;
    const std::string padding = ";" + std::string(70000, 'x') + "\r\n";
    EXPECT_EQ(EdsImportResult::Success, run.Import(padding + MinimalEds()));
    EXPECT_EQ(2, run.dictionary.GetIndexCount());
}

TEST(FileScanTest, LfLineEndsAreRead) {
    std::string text = MinimalEds();
    std::string lf;
    for (char c : text) {
        if (c != '\r') {
            lf += c;
        }
    }
    ImportRun run;
    EXPECT_EQ(EdsImportResult::Success, run.Import(lf));
    EXPECT_EQ(2, run.dictionary.GetIndexCount());
}

TEST(FileScanTest, CommentsAreOptional) {
    for (const std::string& replacement :
         {std::string("[NotComments]"), std::string("[Comments]\r\nLines=")}) {
        ImportRun run;
        const std::string bytes = Replace(MinimalEds(), "[Comments]\r\nLines=1", replacement);
        EXPECT_EQ(EdsImportResult::Success, run.Import(bytes));
        EXPECT_TRUE(run.dictionary.CommentLines().empty());
        EXPECT_EQ(2, run.dictionary.GetIndexCount());
    }
}

TEST(FileScanTest, CommentLinesKeepTheirKeyNumbers) {
    ImportRun run;
    const std::string bytes = Replace(MinimalEds(), "Lines=1\r\nLine1=hello",
                                      "Lines=300\r\nLine1=one\r\nLine3=three\r\nLine45=beyond");
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    // 300 keeps its low 8 bits: 44 lines are asked for, so Line45 is not read.
    const std::vector<CommentLine> expected = {{"one", 1}, {"three", 3}};
    EXPECT_EQ(expected, run.dictionary.CommentLines());
}

TEST(FileScanTest, DummyUsageFillsSlotsInOrder) {
    ImportRun run;
    const std::string bytes = Replace(MinimalEds(), "Dummy0001=0\r\nDummy0002=1",
                                      "dummy0001=1\r\nDummy0003=0\r\nDummy0007=0x10001");
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    const DummyUsageSection& table = run.deviceInfo.DummyUsage;
    EXPECT_EQ(3, table.dummyCount);
    EXPECT_EQ((DummyEntry{1, 1}), table.entries[0]);
    EXPECT_EQ((DummyEntry{3, 0}), table.entries[1]);
    EXPECT_EQ((DummyEntry{7, 1}), table.entries[2]);
    EXPECT_EQ(DummyEntry{}, table.entries[3]);
}

TEST(FileScanTest, DeviceInfoNumbersAndFlags) {
    ImportRun run;
    const std::string bytes = Replace(MinimalEds(), "VendorNumber=0x1234",
                                      "VendorNumber=-2\r\nProductNumber=0xABCD\r\nRevisionNumber=10\r\n"
                                      "OrderCode=  X-1  \r\nLSS_Supported=0x10001\r\nGranularity=0x108\r\n"
                                      "BaudRate_250=1\r\nSimpleBootUpSlave=1\r\nNrOfRxPdo=4\r\nNrOfTXPDO=2");
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    const DeviceInfoSection& d = run.deviceInfo;
    EXPECT_EQ(0xFFFFFFFEu, d.VendorNumber);
    EXPECT_EQ(0xABCDu, d.ProductNumber);
    EXPECT_EQ(10u, d.RevisionNumber);
    EXPECT_EQ("X-1", d.OrderCode);
    EXPECT_EQ(1u, d.LSS_Supported);
    EXPECT_EQ(8, d.Granularity);
    EXPECT_EQ(1u, d.Baudrate_250);
    EXPECT_EQ(0u, d.Baudrate_500);
    EXPECT_EQ(1u, d.SimpleBootUpSlave);
    EXPECT_EQ(4, d.NrOfRxPdo);
    EXPECT_EQ(2, d.NrOfTxPdo);
}

// Each range includes its last index; below 0x1000 nothing is taken.
TEST(FileScanTest, OnlySupportedIndexRangesAreTaken) {
    std::string extra;
    const unsigned listed[] = {0x0005, 0x1FFF, 0xFFFF, 0x1FFE, 0x2000, 0x5FFF, 0x6000, 0xFFFE};
    for (unsigned index : listed) {
        extra += VarSection(index, "Object", 7, "1");
    }
    const std::string list = CrLfLines({"[ManufacturerObjects]", "SupportedObjects=8", "1=0x0005", "2=0x1FFF",
                                        "3=0xFFFF", "4=1FFE", "5=2000", "6=0x5fff", "7=0X6000", "8=0xFFFE"});
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(list + extra)));
    std::vector<unsigned> taken;
    for (std::uint16_t i = 0; i < run.dictionary.GetIndexCount(); ++i) {
        taken.push_back(run.dictionary.GetIndexAt(i)->index);
    }
    EXPECT_EQ((std::vector<unsigned>{0x1000, 0x1001, 0x1FFE, 0x1FFF, 0x2000, 0x5FFF, 0x6000, 0xFFFE, 0xFFFF}),
              taken);
    EXPECT_EQ("manufacturer", run.Find(0x2000)->category);
}

TEST(FileScanTest, StructuredIndexWithAllSubindices) {
    const std::string extra =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=1", "1=2100", "", "[2100]", "SubNumber=5",
                   "ParameterName=Record", "ObjectType=0x9", ""}) +
        SubSection(0x2100, 0, "Count", 5, "4") + SubSection(0x2100, 1, "A", 7, "1") +
        SubSection(0x2100, 2, "B", 3, "-1") + SubSection(0x2100, 3, "C", 8, "1.5") +
        SubSection(0x2100, 4, "D", 9, "text");
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& record = *run.Find(0x2100);
    EXPECT_EQ(HeaderStructured, record.headerSubindex);
    EXPECT_EQ(KindStructured, record.kindMarker);
    ASSERT_EQ(6u, record.subindices.size());
    EXPECT_EQ(6, record.entryCount);
    EXPECT_EQ(HeaderStructured, record.subindices[0]->subindex);
    EXPECT_EQ("Record", record.subindices[0]->name);
    EXPECT_EQ(9, record.subindices[0]->objectType);
    EXPECT_EQ(0, record.subindices[0]->dataType);
    EXPECT_EQ("", record.subindices[0]->defaultValue);
    for (unsigned s = 0; s < 5; ++s) {
        EXPECT_EQ(s, record.subindices[s + 1]->subindex);
    }
    EXPECT_EQ("1.5", record.subindices[4]->defaultValue);
}

TEST(FileScanTest, OneMissingSubindexIsAcceptedAndCounted) {
    const std::string extra =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=1", "1=2100", "", "[2100]", "SubNumber=5",
                   "ParameterName=Record", "ObjectType=0x9", ""}) +
        SubSection(0x2100, 0, "Count", 5, "4") + SubSection(0x2100, 1, "A", 7, "1") +
        SubSection(0x2100, 2, "B", 7, "1") + SubSection(0x2100, 3, "C", 7, "1");
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& record = *run.Find(0x2100);
    EXPECT_EQ(5u, record.subindices.size());
    EXPECT_EQ(5, record.entryCount);
}

TEST(FileScanTest, SubindicesAreFoundAcrossGaps) {
    const std::string extra =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=1", "1=2100", "", "[2100]", "SubNumber=3",
                   "ParameterName=Gaps", "ObjectType=0x8", ""}) +
        SubSection(0x2100, 0, "Count", 5, "5") + SubSection(0x2100, 1, "A", 7, "1") +
        SubSection(0x2100, 0xFE, "Z", 7, "1") + SubSection(0x2100, 0xFF, "Beyond", 7, "1");
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& record = *run.Find(0x2100);
    ASSERT_EQ(4u, record.subindices.size());
    EXPECT_EQ(0xFE, record.subindices[3]->subindex);
}

TEST(FileScanTest, SubindexCountMismatchStopsTheIndexButNotTheList) {
    const std::string extra =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=2", "1=2100", "2=2200", "", "[2100]",
                   "SubNumber=5", "ParameterName=Short", "ObjectType=0x9", ""}) +
        SubSection(0x2100, 0, "Count", 5, "4") + SubSection(0x2100, 1, "A", 7, "1") +
        SubSection(0x2100, 2, "B", 7, "1") + VarSection(0x2200, "After", 7, "0");
    ImportRun run;
    run.platform.ExpectMessage(
        "The number of subindices of the index 0x2100 is different from thecurrent number! Please check out "
        "your "
        "EDS file at the given index,edit this index and restart the import of EDS file!",
        "Error", MsgIcon::Error);
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& record = *run.Find(0x2100);
    EXPECT_EQ(4u, record.subindices.size());
    EXPECT_EQ(4, record.entryCount);
    EXPECT_NE(nullptr, run.Find(0x2200));

    // The position is kept by the reader that stopped there.
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    ScriptedPlatform platform;
    platform.AllowUnexpectedMessages();
    const std::string lastBytes =
        Replace(MinimalEds(extra), "SupportedObjects=2\r\n1=2100\r\n2=2200", "SupportedObjects=1\r\n1=2100");
    WriteFileBytes(run.path, lastBytes);
    CFileScan scan(run.path, dictionary, fileInfo, deviceInfo, platform);
    EXPECT_EQ(EdsImportResult::SubindexCountMismatch, scan.ReadFile());
    std::uint16_t index = 1;
    std::uint16_t subindex = 1;
    scan.GetErrorPosition(index, subindex);
    EXPECT_EQ(0x2100, index);
    EXPECT_EQ(0, subindex);
}

TEST(FileScanTest, UnsupportedDataTypes) {
    const std::string extra =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=2", "1=2100", "2=2200", "", "[2100]",
                   "SubNumber=3", "ParameterName=Mixed", "ObjectType=0x9", ""}) +
        SubSection(0x2100, 0, "Count", 5, "2") + SubSection(0x2100, 1, "Flag", 1, "0") +
        SubSection(0x2100, 2, "Text", 0xA, "x") + VarSection(0x2200, "Good", 0x20, "0");
    ImportRun run;
    run.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x01 not supported!", "Warning",
                               MsgIcon::Exclamation);
    run.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x02 not supported!", "Warning",
                               MsgIcon::Exclamation);
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& record = *run.Find(0x2100);
    EXPECT_EQ(2u, record.subindices.size());
    EXPECT_EQ(2, record.entryCount);
    EXPECT_EQ(0x20, run.Find(0x2200)->subindices[0]->dataType);
}

// A structured index left with nothing but its header is removed, whatever the result; the messages
// stay those of its subindices.
TEST(FileScanTest, StructuredIndexLeftWithItsHeaderOnlyIsRemoved) {
    const std::string header =
        CrLfLines({"[ManufacturerObjects]", "SupportedObjects=2", "1=2100", "2=2200", "", "[2100]",
                   "SubNumber=2", "ParameterName=Unsupported", "ObjectType=0x9", ""});
    const std::string unsupported =
        SubSection(0x2100, 0, "Flag", 1, "0") + SubSection(0x2100, 1, "Text", 0xA, "x");
    const std::string after = VarSection(0x2200, "After", 7, "0");
    ImportRun run;
    run.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x00 not supported!", "Warning",
                               MsgIcon::Exclamation);
    run.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x01 not supported!", "Warning",
                               MsgIcon::Exclamation);
    EXPECT_EQ(EdsImportResult::Success, run.Import(MinimalEds(header + unsupported + after)));
    EXPECT_EQ(nullptr, run.Find(0x2100));
    EXPECT_NE(nullptr, run.Find(0x2200));

    // Without any subindex section the mismatch stops the index, which goes as well.
    ImportRun mismatch;
    mismatch.platform.ExpectMessage(
        "The number of subindices of the index 0x2100 is different from thecurrent number! Please check out "
        "your EDS file at the given index,edit this index and restart the import of EDS file!",
        "Error", MsgIcon::Error);
    const std::string lastOnly =
        Replace(header, "SupportedObjects=2\r\n1=2100\r\n2=2200", "SupportedObjects=1\r\n1=2100");
    EXPECT_EQ(EdsImportResult::SubindexCountMismatch, mismatch.Import(MinimalEds(lastOnly)));
    EXPECT_EQ(nullptr, mismatch.Find(0x2100));
    EXPECT_EQ(1, mismatch.dictionary.GetIndexCount());
}

TEST(FileScanTest, UnsupportedSingleEntryIsRemovedAndMayStopTheImport) {
    const std::string bytes = Replace(MinimalEds(), "SupportedObjects=1\r\n1=0x1000",
                                      "SupportedObjects=2\r\n1=0x1000\r\n2=0x1002\r\n\r\n[1002]\r\n"
                                      "ParameterName=Flag\r\nDataType=0x0000");
    ImportRun run;
    run.platform.ExpectMessage("Data Type of index 0x1002 not supported", "Warning", MsgIcon::Exclamation);
    EXPECT_EQ(EdsImportResult::UnsupportedDataType, run.Import(bytes));
    ASSERT_EQ(1, run.dictionary.GetIndexCount());
    EXPECT_EQ(0x1000, run.dictionary.GetIndexAt(0)->index);

    // The lenient import warns the same, drops the index and reads on.
    ImportRun lenient;
    lenient.mode = ImportMode::Lenient;
    lenient.platform.ExpectMessage("Data Type of index 0x1002 not supported", "Warning",
                                   MsgIcon::Exclamation);
    EXPECT_EQ(EdsImportResult::Success, lenient.Import(bytes));
    EXPECT_EQ(2, lenient.dictionary.GetIndexCount());
}

// CompactSubObj describes the subindices of an ARRAY or RECORD in its index section. The standard import
// reads such an index as a single entry; the lenient one expands it, unless the data type is one the
// import refuses anyway.
TEST(FileScanTest, CompactSubObjectsAreExpandedByTheLenientImport) {
    const std::string extra = R"(
[ManufacturerObjects]
SupportedObjects=7
1=2100
2=2200
3=2300
4=2400
5=2500
6=2600
7=2700
[2600]
ObjectType=0x8
DataType=7
CompactSubObj=1
[2100]
ParameterName=Array
ObjectType=0x8
DataType=0x0007
AccessType=RW
DefaultValue=5
PDOMapping=1
LowLimit=1
HighLimit=9
CompactSubObj=3
[2100Name]
NrOfEntries=1
2=Second
[2100value]
NrOfEntries=1
3=0x30
[2200]
ParameterName=Record
ObjectType=0x9
DataType=6
CompactSubObj=2
[2300]
ParameterName=Var
ObjectType=0x7
DataType=7
CompactSubObj=2
[2400]
ParameterName=Flags
ObjectType=0x8
DataType=1
CompactSubObj=2
[2500]
ParameterName=Listed
ObjectType=0x8
SubNumber=1
CompactSubObj=4
[2500sub0]
ParameterName=Count
DataType=5
[2700]
ObjectType=0x8
DataType=7
CompactSubObj=1
ParameterName=)" + std::string(258, 'x');
    for (ImportMode mode : {ImportMode::Standard, ImportMode::Lenient}) {
        ImportRun run;
        run.mode = mode;
        const bool lenient = mode == ImportMode::Lenient;
        if (!lenient) {
            run.platform.ExpectMessage("Data Type of index 0x2400 not supported", "Warning",
                                       MsgIcon::Exclamation);
        }
        ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
        // BOOLEAN is kept by the lenient import only.
        EXPECT_EQ(lenient ? 4u : 0u, run.Find(0x2400) == nullptr ? 0u : run.Find(0x2400)->subindices.size());
        EXPECT_EQ(1u, run.Find(0x2300)->subindices.size());
        EXPECT_EQ(2u, run.Find(0x2500)->subindices.size());
        const IndexEntry& array = *run.Find(0x2100);
        EXPECT_EQ(lenient ? HeaderStructured : HeaderSingle, array.headerSubindex);
        EXPECT_EQ(lenient ? 4u : 1u, run.Find(0x2200)->subindices.size());
        ASSERT_EQ(lenient ? 5u : 1u, array.subindices.size());
        if (lenient) {
            // A made-up name is what the exported file reads back: no leading blank, no cut-off blank.
            EXPECT_EQ("1", run.Find(0x2600)->subindices[2]->name);
            EXPECT_EQ(std::string(258, 'x'), run.Find(0x2700)->subindices[2]->name);
            EXPECT_EQ(5, array.entryCount);
            EXPECT_EQ((SubindexEntry{.name = "Array",
                                     .accessType = "",
                                     .defaultValue = "",
                                     .highLimit = "",
                                     .lowLimit = "",
                                     .index = 0x2100,
                                     .subindex = HeaderStructured,
                                     .objectType = 8}),
                      *array.subindices[0]);
            EXPECT_EQ((SubindexEntry{.name = "NrOfObjects",
                                     .accessType = "ro",
                                     .defaultValue = "0x3",
                                     .highLimit = "0x0",
                                     .lowLimit = "0x0",
                                     .index = 0x2100,
                                     .subindex = 0,
                                     .objectType = 7,
                                     .dataType = 5}),
                      *array.subindices[1]);
            const SubindexEntry first{.name = "Array 1",
                                      .accessType = "rw",
                                      .defaultValue = "5",
                                      .highLimit = "9",
                                      .lowLimit = "1",
                                      .index = 0x2100,
                                      .subindex = 1,
                                      .objectType = 7,
                                      .dataType = 7,
                                      .pdoMapping = 1};
            EXPECT_EQ(first, *array.subindices[2]);
            SubindexEntry second = first;
            second.subindex = 2;
            second.name = "Second";
            EXPECT_EQ(second, *array.subindices[3]);
            SubindexEntry third = first;
            third.subindex = 3;
            third.name = "Array 3";
            third.defaultValue = "0x30";
            EXPECT_EQ(third, *array.subindices[4]);
        }
    }
}

TEST(FileScanTest, MissingIndexSectionIsReportedAndRemoved) {
    const std::string bytes =
        Replace(MinimalEds(), "SupportedObjects=1\r\n1=0x1001", "SupportedObjects=2\r\n1=0x1001\r\n2=0x1017");
    ImportRun run;
    run.platform.ExpectMessage("An error ocurred while reading the EDS-File " + run.dir.File("device.eds") +
                                   "!\nInvalid index 0x1017, subindex 0xFFFD!",
                               "Read EDS-File", MsgIcon::Error);
    EXPECT_EQ(EdsImportResult::MissingSection, run.Import(bytes));
    EXPECT_EQ(nullptr, run.Find(0x1017));
    EXPECT_EQ(2, run.dictionary.GetIndexCount());
}

TEST(FileScanTest, EarlierFailuresInAListDoNotStopIt) {
    const std::string bytes = Replace(MinimalEds(), "SupportedObjects=1\r\n1=0x1001",
                                      "SupportedObjects=3\r\n1=0x1017\r\n2=0x1018\r\n3=0x1001");
    ImportRun run;
    run.platform.AllowUnexpectedMessages();
    EXPECT_EQ(EdsImportResult::Success, run.Import(bytes));
    EXPECT_EQ(2u, run.platform.Messages().size());
    EXPECT_EQ(2, run.dictionary.GetIndexCount());
}

TEST(FileScanTest, IndexListedTwiceKeepsTheFirstListing) {
    const std::string bytes = Replace(MinimalEds(), "SupportedObjects=1\r\n1=0x1001",
                                      "SupportedObjects=3\r\n1=0x1001\r\n2=1000\r\n3=0x1001");
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    ASSERT_EQ(2, run.dictionary.GetIndexCount());
    EXPECT_EQ("mandatory", run.Find(0x1000)->category);
    EXPECT_EQ(1u, run.Find(0x1001)->subindices.size());
}

// Without ObjectType a section is a VAR, and the header of an index with subindices a RECORD; a text
// without DefaultValue is empty, a number 0x0.
TEST(FileScanTest, DefaultCallbacksAndValueDefaults) {
    const std::string extra =
        CrLfLines({"[1017]", "ParameterName=Heartbeat", "DataType=6", "[1008]", "ParameterName=Name",
                   "DataType=9", "[1018]", "ParameterName=Identity", "SubNumber=1", "[1018sub0]",
                   "ParameterName=Count", "DataType=0x5", "DefaultValue=0", "[1021]", "ParameterName=Store",
                   "DataType=0xF", "ObjectType=0x2"});
    const std::string bytes =
        Replace(MinimalEds(extra), "SupportedObjects=1\r\n1=0x1001",
                "SupportedObjects=5\r\n1=0x1001\r\n2=0x1017\r\n3=0x1008\r\n4=0x1018\r\n5=0x1021");
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    const IndexEntry& heartbeat = *run.Find(0x1017);
    EXPECT_EQ("HbpCbConfigHeartbeat", heartbeat.callbackName);
    EXPECT_EQ("NULL", run.Find(0x1000)->callbackName);
    const SubindexEntry& entry = *heartbeat.subindices[0];
    EXPECT_EQ(ObjectCode::Var, entry.objectType);
    EXPECT_EQ("", entry.accessType);
    EXPECT_EQ("0x0", entry.defaultValue);
    EXPECT_EQ("0x0", entry.lowLimit);
    EXPECT_EQ("0x0", entry.highLimit);
    EXPECT_EQ("", run.Find(0x1008)->subindices[0]->defaultValue);
    EXPECT_EQ("", run.Find(0x1021)->subindices[0]->defaultValue);
    EXPECT_EQ(ObjectCode::Domain, run.Find(0x1021)->subindices[0]->objectType);
    const IndexEntry& identity = *run.Find(0x1018);
    EXPECT_EQ(ObjectCode::Record, identity.subindices[0]->objectType);
    EXPECT_EQ(ObjectCode::Var, identity.subindices[1]->objectType);
}

// The lenient import keeps every basic type, reads the object sections no list names (in the category
// of their range) and the subindex sections beyond SubNumber, and reports each kind of repair once.
TEST(FileScanTest, LenientImportKeepsWhatTheFileHolds) {
    const std::string extra = CrLfLines({"[ManufacturerObjects]", "SupportedObjects=1", "1=0x2100", "[2100]",
                                         "SubNumber=3", "ParameterName=Mixed", "ObjectType=0x9"}) +
                              SubSection(0x2100, 0, "Count", 5, "3") + SubSection(0x2100, 1, "Flag", 1, "1") +
                              SubSection(0x2100, 2, "Big", 0x1B, "0x1122334455667788") +
                              SubSection(0x2100, 3, "Beyond", 0x15, "-5") +
                              VarSection(0x2200, "Unlisted", 0x11, "1.25") +
                              VarSection(0x2201, "Own", 0x40, "0x0") +
                              VarSection(0x1018, "Identity", 7, "1") + VarSection(0x6000, "Profile", 0xA, "");
    ImportRun run;
    run.mode = ImportMode::Lenient;
    for (const char* repair :
         {"4 object sections in no object list: read", "1 subindex section beyond SubNumber: read"}) {
        run.platform.ExpectMessage(Repair(run.dir.File("device.eds"), repair), "Warning",
                                   MsgIcon::Exclamation);
    }
    ASSERT_EQ(EdsImportResult::Success, run.Import(MinimalEds(extra)));
    const IndexEntry& mixed = *run.Find(0x2100);
    ASSERT_EQ(5u, mixed.subindices.size());
    EXPECT_EQ(5, mixed.entryCount);
    EXPECT_EQ(DataTypeCode::Boolean, mixed.subindices[2]->dataType);
    EXPECT_EQ("0x1122334455667788", mixed.subindices[3]->defaultValue);
    EXPECT_EQ("-5", mixed.subindices[4]->defaultValue);
    EXPECT_EQ("manufacturer", run.Find(0x2200)->category);
    EXPECT_EQ(DataTypeCode::Real64, run.Find(0x2200)->subindices[0]->dataType);
    EXPECT_EQ(0x40, run.Find(0x2201)->subindices[0]->dataType);
    EXPECT_EQ("mandatory", run.Find(0x1018)->category);
    EXPECT_EQ("optional", run.Find(0x6000)->category);
    EXPECT_EQ("", run.Find(0x6000)->subindices[0]->defaultValue);

    // The standard import keeps to the lists and to SubNumber, and warns of each type it leaves out.
    ImportRun standard;
    standard.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x01 not supported!", "Warning",
                                    MsgIcon::Exclamation);
    standard.platform.ExpectMessage("Data Type of index 0x2100,subindex 0x02 not supported!", "Warning",
                                    MsgIcon::Exclamation);
    ASSERT_EQ(EdsImportResult::Success, standard.Import(MinimalEds(extra)));
    EXPECT_EQ(1u, standard.Find(0x2100)->subindices.size() - 1);
    EXPECT_EQ(nullptr, standard.Find(0x2200));
}

// A file without any object list is read from its object sections alone by the lenient import.
TEST(FileScanTest, LenientImportReadsAFileWithoutObjectLists) {
    const std::string bytes =
        Preamble() + VarSection(0x1000, "Device Type", 7, "0x191") + VarSection(0x2000, "Value", 6, "7");
    ImportRun run;
    run.mode = ImportMode::Lenient;
    for (const char* repair :
         {"MandatoryObjects missing: read as an empty list",
          "ManufacturerObjects missing: read as an empty list",
          "OptionalObjects missing: read as an empty list", "2 object sections in no object list: read"}) {
        run.platform.ExpectMessage(Repair(run.dir.File("device.eds"), repair), "Warning",
                                   MsgIcon::Exclamation);
    }
    ASSERT_EQ(EdsImportResult::Success, run.Import(bytes));
    ASSERT_EQ(2, run.dictionary.GetIndexCount());
    EXPECT_EQ("mandatory", run.Find(0x1000)->category);
    EXPECT_EQ("manufacturer", run.Find(0x2000)->category);

    ImportRun neither;
    neither.mode = ImportMode::Lenient;
    EXPECT_EQ(EdsImportResult::InvalidObjectList, neither.Import(Preamble()));
}

}  // namespace
