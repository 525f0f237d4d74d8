#include <gtest/gtest.h>

#include "EdsTestSupport.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"

namespace {

struct ExportRun {
    ScriptedPlatform platform;
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    TempDir dir;

    EdsExportResult Write(const std::string& path) {
        CEdsWriter writer(path, dictionary, fileInfo, deviceInfo, platform);
        return writer.WriteFile();
    }
    std::string Text(const std::string& path, EdsExportResult* result = nullptr) {
        CEdsWriter writer(path, dictionary, fileInfo, deviceInfo, platform);
        std::string text;
        const EdsExportResult code = writer.BuildText(text);
        if (result != nullptr) {
            *result = code;
        }
        return text;
    }
};

void FillGoldenDocument(ExportRun& run) {
    FileInfoSection& f = run.fileInfo;
    f.FileName = "stored name is not used.eds";
    f.FileVersion = 1;
    f.FileRevision = 2;
    f.EDSVersion = "4.0";
    f.Description = "Golden";
    f.CreationTime = "10:00AM";
    f.CreationDate = "01-02-2026";
    f.CreatedBy = "A";
    f.ModifiedBy = "B";
    DeviceInfoSection& d = run.deviceInfo;
    d.VendorName = "V";
    d.VendorNumber = 0x80000001u;
    d.ProductName = "P";
    d.ProductNumber = 2;
    d.RevisionNumber = 3;
    d.OrderCode = "O";
    d.Baudrate_250 = 1;
    d.Baudrate_500 = 1;
    d.SimpleBootUpSlave = 1;
    d.Granularity = 8;
    d.LSS_Supported = 1;
    d.NrOfRxPdo = 9;
    d.NrOfTxPdo = 9;
    d.DummyUsage.dummyCount = 2;
    d.DummyUsage.entries[0] = {2, 1};
    d.DummyUsage.entries[1] = {5, 0};
    run.dictionary.CommentLines() = {{"first", 7}, {"second", 0}};

    ObjectDictionary& o = run.dictionary;
    AddIndex(o, 0x2003, "manufacturer", false);
    AddEntry(o, 0x2003, HeaderSingle, "Comm", 7, 0x20, "ro", "0x5", "1", "2");
    AddIndex(o, 0x1000, "mandatory", false);
    AddEntry(o, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0x191", "", "");
    AddIndex(o, 0x1001, "mandatory", false);
    AddEntry(o, 0x1001, HeaderSingle, "Error Register", 7, 5, "ro", "10", "0", "0x0", 1);
    AddIndex(o, 0x1018, "mandatory", true);
    AddEntry(o, 0x1018, HeaderStructured, "Identity", 9, 0);
    AddEntry(o, 0x1018, 0x1A, "Far", 7, 7, "ro", "0xFFFFFFFF");
    AddEntry(o, 0x1018, 0, "Count", 7, 5, "ro", "1", "1", "4");
    AddIndex(o, 0x1400, "optional", true);
    AddEntry(o, 0x1400, HeaderStructured, "RPDO", 9, 0);
    AddEntry(o, 0x1400, 0, "Count", 7, 5, "ro", "2");
    AddIndex(o, 0x2000, "manufacturer", false);
    AddEntry(o, 0x2000, HeaderSingle, "Signed", 7, 3, "rw", "-5", "-100", "0x64");
    AddIndex(o, 0x2001, "manufacturer", false);
    AddEntry(o, 0x2001, HeaderSingle, "Real", 7, 8, "rw", "55.25", "-1.5", "0");
    AddIndex(o, 0x2002, "manufacturer", false);
    AddEntry(o, 0x2002, HeaderSingle, "Text", 7, 9, "ro", "Hello World", "5", "9");
    AddIndex(o, 0x2004, "manufacturer", false);
    AddEntry(o, 0x2004, HeaderSingle, "Blob", 7, 0x0F, "rw", "", "", "");
}

TEST(EdsWriterTest, WritesTheGoldenLayout) {
    ExportRun run;
    FillGoldenDocument(run);
    const std::string path = run.dir.File("golden.eds");
    ASSERT_EQ(EdsExportResult::Success, run.Write(path));
    const std::string golden = ReadFileBytes(std::string(QM_TEST_DATA_DIR) + "/eds/writer_golden.eds");
    EXPECT_EQ(golden, ReadFileBytes(path));
    EXPECT_EQ(golden, run.Text(path));

    EXPECT_EQ(1, run.deviceInfo.NrOfRxPdo);
    EXPECT_EQ(0, run.deviceInfo.NrOfTxPdo);
    EXPECT_EQ(3, run.deviceInfo.mandatoryCount);
    EXPECT_EQ(5, run.deviceInfo.manufacturerCount);
    EXPECT_EQ(1, run.deviceInfo.optionalCount);
    EXPECT_TRUE(run.platform.Messages().empty());
}

TEST(EdsWriterTest, FileNameIsThePartAfterTheLastSeparator) {
    ExportRun run;
    FillGoldenDocument(run);
    const auto fileNameLine = [&](const std::string& path) {
        const std::string text = run.Text(path);
        return text.substr(0, text.find("\r\nFileVersion"));
    };
    EXPECT_EQ("[FileInfo]\r\nFileName=plain.eds", fileNameLine("plain.eds"));
    EXPECT_EQ("[FileInfo]\r\nFileName=b.eds", fileNameLine("/a/dir.x/b.eds"));
    EXPECT_EQ("[FileInfo]\r\nFileName=c.eds", fileNameLine("a/b\\c.eds"));
}

TEST(EdsWriterTest, EmptyListsAndSections) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    const std::string text = run.Text("x.eds");
    EXPECT_EQ(std::string::npos, text.find("[DummyUsage]"));
    EXPECT_NE(std::string::npos, text.find("[Comments]\r\nLines=0\r\n\r\n[MandatoryObjects]"));
    EXPECT_NE(std::string::npos,
              text.find("[ManufacturerObjects]\r\nSupportedObjects=0\r\n\r\n[OptionalObjects]"));
    const std::string tail = "[OptionalObjects]\r\nSupportedObjects=0\r\n\r\n";
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
}

TEST(EdsWriterTest, NoMandatoryIndexKeepsThePreviousFile) {
    ExportRun run;
    FillGoldenDocument(run);
    for (std::uint16_t i = 0; i < run.dictionary.GetIndexCount(); ++i) {
        if (run.dictionary.GetIndexAt(i)->category == "mandatory") {
            run.dictionary.GetIndexAt(i)->category = "optional";
        }
    }
    const std::string path = run.dir.File("none.eds");
    WriteFileBytes(path, "old content");
    EXPECT_EQ(EdsExportResult::NoMandatoryIndex, run.Write(path));
    EXPECT_EQ("old content", ReadFileBytes(path));
    EXPECT_EQ(0, run.deviceInfo.mandatoryCount);
    EXPECT_EQ(1, run.deviceInfo.NrOfRxPdo);
}

TEST(EdsWriterTest, ExportingTwiceGivesTheSameFile) {
    ExportRun run;
    FillGoldenDocument(run);
    const std::string path = run.dir.File("twice.eds");
    WriteFileBytes(path, std::string(100000, 'x'));
    ASSERT_EQ(EdsExportResult::Success, run.Write(path));
    const std::string first = ReadFileBytes(path);
    ASSERT_EQ(EdsExportResult::Success, run.Write(path));
    EXPECT_EQ(first, ReadFileBytes(path));
}

// Whatever fails, the previous file keeps its bytes and no temporary file is left beside it.
TEST(EdsWriterTest, FileSystemFailuresGiveTheirCodesAndKeepThePreviousFile) {
    ExportRun run;
    FillGoldenDocument(run);
    const std::string path = run.dir.File("faulty.eds");
    struct Row {
        const char* what;
        void (*arm)(FaultyFileSystem&);
        EdsExportResult result;
    };
    const Row rows[] = {
        {"the target cannot be replaced", [](FaultyFileSystem& f) { f.FailRename(); },
         EdsExportResult::CannotDelete},
        {"no file can be created", [](FaultyFileSystem& f) { f.FailCreateOf("faulty.eds"); },
         EdsExportResult::WriteFailed},
        {"the disk fills", [](FaultyFileSystem& f) { f.FailWritesAfter(100); }, EdsExportResult::WriteFailed},
        {"nothing can be deleted", [](FaultyFileSystem& f) { f.FailRemove(); }, EdsExportResult::Success},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WriteFileBytes(path, "previous");
        FaultyFileSystem faulty;
        row.arm(faulty);
        run.platform.SetFiles(&faulty);
        EXPECT_EQ(row.result, run.Write(path));
        run.platform.SetFiles(nullptr);
        EXPECT_EQ(row.result == EdsExportResult::Success, ReadFileBytes(path) != "previous");
        EXPECT_FALSE(run.platform.Files().Exists(TemporaryPathFor(path)));
    }
    // A target that did not exist before is no reason to fail.
    EXPECT_EQ(EdsExportResult::Success, run.Write(run.dir.File("fresh.eds")));
    EXPECT_TRUE(run.platform.Messages().empty());
}

// A large file goes to the disk piece by piece as it is built, its sections in two halves at once: the
// bytes are those of the text built whole, and a disk that fills half-way still keeps the previous file.
TEST(EdsWriterTest, LargeFileIsWrittenInPiecesWithTheSameBytes) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    for (unsigned index = 0x2000; index < 0x2000 + 400; ++index) {
        AddIndex(run.dictionary, index, "manufacturer", true);
        AddEntry(run.dictionary, index, HeaderStructured, "Large record", 9, 0, "");
        for (unsigned sub = 0; sub < 20; ++sub) {
            AddEntry(run.dictionary, index, sub, "A value of the large record", 7, 7, "rw", "0x10", "0x1",
                     "0x20");
        }
    }
    const std::string path = run.dir.File("large.eds");
    const std::string text = run.Text(path);
    ASSERT_GT(text.size(), 1024u * 1024u);
    ASSERT_EQ(EdsExportResult::Success, run.Write(path));
    EXPECT_EQ(text, ReadFileBytes(path));

    FaultyFileSystem faulty;
    faulty.FailWritesAfter(text.size() / 2);
    run.platform.SetFiles(&faulty);
    EXPECT_EQ(EdsExportResult::WriteFailed, run.Write(path));
    run.platform.SetFiles(nullptr);
    EXPECT_EQ(text, ReadFileBytes(path));
    EXPECT_FALSE(run.platform.Files().Exists(TemporaryPathFor(path)));
}

// A value that gives the node-ID-free base of a COB-ID is written as it stands; its number still
// decides whether limits are written.
TEST(EdsWriterTest, NodeIdTextsAreWrittenAsStored) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    AddIndex(run.dictionary, 0x1800, "optional", true);
    AddEntry(run.dictionary, 0x1800, HeaderStructured, "TPDO", 9, 0, "");
    AddEntry(run.dictionary, 0x1800, 1, "COB-ID", 7, 7, "rw", "$NODEID+0x180");
    AddEntry(run.dictionary, 0x1800, 2, "Signed", 7, 4, "rw", "0x10 + $nodeId", "", "$NodeID+1");
    AddEntry(run.dictionary, 0x1800, 3, "Real", 7, 8, "rw", "$NODEID+1.5", "$NODEID", "0");
    AddEntry(run.dictionary, 0x1800, 4, "Plain", 7, 7, "rw", "10", "0x1", "20");
    const std::string text = run.Text("x.eds");
    EXPECT_NE(std::string::npos,
              text.find("[1800sub1]\r\nParameterName=COB-ID\r\nObjectType=0x7\r\n"
                        "DataType=0x0007\r\nAccessType=rw\r\nDefaultValue=$NODEID+0x180\r\n"
                        "PDOMapping=0x0\r\n\r\n"));
    EXPECT_NE(std::string::npos, text.find("DefaultValue=0x10 + $nodeId\r\nPDOMapping=0x0\r\nLowLimit=0\r\n"
                                           "HighLimit=$NodeID+1\r\n\r\n"));
    EXPECT_NE(std::string::npos,
              text.find("DefaultValue=$NODEID+1.5\r\nPDOMapping=0x0\r\nLowLimit=$NODEID\r\n"
                        "HighLimit=0\r\n\r\n"));
    EXPECT_NE(std::string::npos, text.find("DefaultValue=0xA\r\nPDOMapping=0x0\r\nLowLimit=0x1\r\n"
                                           "HighLimit=0x14\r\n\r\n"));
}

// The basic types without a number form of their own keep their texts; a negative hexadecimal text is
// written as the number it stands for.
TEST(EdsWriterTest, ValueTextsOfTheWiderTypesAreKept) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    AddIndex(run.dictionary, 0x2000, "manufacturer", true);
    AddEntry(run.dictionary, 0x2000, HeaderStructured, "Wide", 9, 0, "");
    AddEntry(run.dictionary, 0x2000, 1, "U64", 7, 0x1B, "rw", "0x1122334455667788", "0x0", "0x0", 1);
    AddEntry(run.dictionary, 0x2000, 2, "I64", 7, 0x15, "rw", "-1", "-5", "0x10");
    AddEntry(run.dictionary, 0x2000, 3, "Byte", 7, 2, "rw", "-0x80", "-0x80", "0x7F");
    AddEntry(run.dictionary, 0x2000, 4, "Flag", 7, 1, "rw", "1");
    AddEntry(run.dictionary, 0x2000, 5, "Octets", 7, 0x0A, "rw", "");
    AddEntry(run.dictionary, 0x2000, 6, "Own type", 7, 0x40, "rw", "0x0", "0x3", "0x1");
    const std::string text = run.Text("x.eds");
    for (const char* expected :
         {"DataType=0x001B\r\nAccessType=rw\r\nDefaultValue=0x1122334455667788\r\nPDOMapping=0x1\r\n\r\n",
          "DefaultValue=-1\r\nPDOMapping=0x0\r\nLowLimit=-5\r\nHighLimit=0x10\r\n\r\n",
          "DefaultValue=-128\r\nPDOMapping=0x0\r\nLowLimit=-128\r\nHighLimit=127\r\n\r\n",
          "DataType=0x0001\r\nAccessType=rw\r\nDefaultValue=0x1\r\nPDOMapping=0x0\r\n\r\n",
          "DataType=0x000A\r\nAccessType=rw\r\nDefaultValue=\r\nPDOMapping=0x0\r\n\r\n",
          "DataType=0x0040\r\nAccessType=rw\r\nDefaultValue=0x0\r\nPDOMapping=0x0\r\nLowLimit=0x3\r\n"
          "HighLimit=0x1\r\n\r\n"}) {
        EXPECT_NE(std::string::npos, text.find(expected)) << expected;
    }
}

TEST(EdsWriterTest, LineBreaksInTextsCannotStartNewLines) {
    ExportRun run;
    FillGoldenDocument(run);
    run.fileInfo.Description = "two\r\nlines";
    run.dictionary.CommentLines().back().text = "last\n[1000]\nParameterName=forged";
    run.dictionary.GetIndexAt(0)->subindices[0]->name = "Device\rType";
    // Breaks further in than the first eight bytes, beside tabs and 8-bit letters that are kept.
    run.deviceInfo.VendorName = "Vendor\tName \xC4\xD6\xDC of some length\r";
    run.deviceInfo.OrderCode = "1234567890\n123456789";
    const std::string text = run.Text("x.eds");
    EXPECT_NE(std::string::npos, text.find("\r\nVendorName=Vendor\tName \xC4\xD6\xDC of some length \r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\nOrderCode=1234567890 123456789\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\nDescription=two  lines\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\nLine2=last [1000] ParameterName=forged\r\n\r\n"));
    EXPECT_NE(std::string::npos, text.find("[1000]\r\nParameterName=Device Type\r\n"));
}

TEST(EdsWriterTest, StrayHeaderEntriesAreNotWrittenAsSubindices) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    AddIndex(run.dictionary, 0x1018, "mandatory", true);
    AddEntry(run.dictionary, 0x1018, HeaderStructured, "Identity", 9, 0, "");
    AddEntry(run.dictionary, 0x1018, 0, "Count", 7, 5, "ro", "1");
    // Entry insertion would put any header entry in front; a damaged project can leave one behind.
    auto stray = std::make_unique<SubindexEntry>();
    stray->index = 0x1018;
    stray->subindex = HeaderSingle;
    stray->name = "Stray";
    run.dictionary.FindIndexForEntry(0x1018)->subindices.push_back(std::move(stray));
    const std::string text = run.Text("x.eds");
    EXPECT_NE(std::string::npos, text.find("[1018]\r\nSubNumber=0x1\r\n"));
    EXPECT_EQ(std::string::npos, text.find("Stray"));
}

TEST(EdsWriterTest, AnIndexWithoutEntriesIsLeftOut) {
    ExportRun run;
    AddIndex(run.dictionary, 0x1000, "mandatory", false);
    AddEntry(run.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    AddIndex(run.dictionary, 0x1001, "mandatory", false);
    const std::string text = run.Text("x.eds");
    EXPECT_NE(std::string::npos, text.find("SupportedObjects=1\r\n1=0x1000\r\n\r\n"));
    EXPECT_EQ(std::string::npos, text.find("[1001]"));
}

}  // namespace

// A key set a second time replaces the first value where it stands, as the profile-file layer does;
// each of the three ways a dictionary can make the writer do so is written through that layer.
TEST(EdsWriterTest, KeysSetTwiceAreReplacedWhereTheyStand) {
    ExportRun dummy;
    AddIndex(dummy.dictionary, 0x1000, "mandatory", false);
    AddEntry(dummy.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    dummy.deviceInfo.DummyUsage.dummyCount = 3;
    dummy.deviceInfo.DummyUsage.entries[0] = {5, 1};
    dummy.deviceInfo.DummyUsage.entries[1] = {2, 1};
    dummy.deviceInfo.DummyUsage.entries[2] = {5, 0};
    EXPECT_NE(std::string::npos,
              dummy.Text("x.eds").find("[DummyUsage]\r\nDummy0005=0\r\n\r\nDummy0002=1\r\n[Comments]"));

    ExportRun twice;
    AddIndex(twice.dictionary, 0x1000, "mandatory", false);
    AddEntry(twice.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0");
    for (const char* name : {"First", "Second"}) {
        auto index = std::make_unique<IndexEntry>();
        index->index = 0x2000;
        index->category = "manufacturer";
        index->headerSubindex = HeaderSingle;
        index->entryCount = 1;
        auto entry = std::make_unique<SubindexEntry>();
        entry->index = 0x2000;
        entry->subindex = HeaderSingle;
        entry->name = name;
        entry->objectType = 7;
        entry->dataType = std::string(name) == "First" ? 5 : 9;
        entry->accessType = "ro";
        entry->defaultValue = "1";
        index->subindices.push_back(std::move(entry));
        twice.dictionary.InsertIndex(std::move(index));
    }
    EXPECT_NE(std::string::npos,
              twice.Text("x.eds").find(
                  "SupportedObjects=2\r\n1=0x2000\r\n2=0x2000\r\n\r\n[2000]\r\n"
                  "ParameterName=Second\r\nObjectType=0x7\r\nDataType=0x0009\r\n"
                  "AccessType=ro\r\nDefaultValue=1\r\nPDOMapping=0x0\r\n\r\n[OptionalObjects]"));

    ExportRun subindex;
    AddIndex(subindex.dictionary, 0x1018, "mandatory", true);
    AddEntry(subindex.dictionary, 0x1018, HeaderStructured, "Identity", 9, 0, "");
    AddEntry(subindex.dictionary, 0x1018, 1, "Vendor", 7, 7, "ro", "0x10", "1", "2");
    AddEntry(subindex.dictionary, 0x1018, 1, "Product", 7, 7, "ro", "0x20");
    const std::string text = subindex.Text("x.eds");
    EXPECT_NE(std::string::npos,
              text.find("[1018]\r\nSubNumber=0x2\r\nParameterName=Identity\r\nObjectType=0x9\r\n"
                        "\r\n[1018sub1]\r\nParameterName=Product\r\nObjectType=0x7\r\n"
                        "DataType=0x0007\r\nAccessType=ro\r\nDefaultValue=0x20\r\n"
                        "PDOMapping=0x0\r\n\r\nLowLimit=0x1\r\nHighLimit=0x2\r\n\r\n"
                        "[ManufacturerObjects]"));
}
