#include <gtest/gtest.h>

#include "EdsTestSupport.h"
#include "XddTestSupport.h"
#include "eds/EdsResult.h"
#include "xdd/CXddScan.h"
#include "xdd/CXddWriter.h"
#include "xdd/XddFormat.h"

namespace {

// EDS texts become xsd:date and xsd:time where they are in a form of the EDS; the others stay as they are.
TEST(XddFormat, ConvertsFileDatesAndTimes) {
    const std::pair<const char*, const char*> toXsd[] = {
        {"11-28-2020", "2020-11-28"}, {"4:49PM", "16:49:00"},
        {"12:37PM", "12:37:00"},      {"12:05AM", "00:05:00"},
        {"04:49PM", "16:49:00"},      {"1-5-2020", "1-5-2020"},
        {"13:00PM", "13:00PM"},       {"", ""},
        {"4:49pm", "16:49:00"},       {"noon", "noon"},
        {"17:24:43", "17:24:43"},
    };
    for (const auto& [eds, xsd] : toXsd) {
        const bool isDate = std::string(eds).find('-') != std::string::npos;
        EXPECT_EQ(xsd, isDate ? XsdDateOfEds(eds) : XsdTimeOfEds(eds)) << eds;
    }
    EXPECT_EQ("4:49PM", EdsTimeOfXsd("16:49:28.7926800+01:00"));
    EXPECT_EQ("12:37PM", EdsTimeOfXsd("12:37:54Z"));
    EXPECT_EQ("25:00", EdsTimeOfXsd("25:00"));
    EXPECT_EQ("11-28-2020", EdsDateOfXsd("2020-11-28"));
    EXPECT_EQ("2020-11-28Z", EdsDateOfXsd("2020-11-28Z"));
}

struct Written {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path;
    std::string text;
};

// A document with what an EDS import can give, and texts that need escaping.
void FillSource(ImportRun& source) {
    source.fileInfo = {"ignored.eds", 3,    4,         "4.0",        "Desc <&>",      "04:49pm",
                       "02-03-2026",  "Me", "2:00 PM", "03-04-2026", "You \"quoted\""};
    DeviceInfoSection& d = source.deviceInfo;
    d.VendorName = "Vendor";
    d.VendorNumber = 0xFFFFFFF0u;
    d.ProductName = "Product\tTab";
    d.ProductNumber = 0x80000000u;
    d.RevisionNumber = 17;
    d.OrderCode = "Order";
    d.Baudrate_10 = d.Baudrate_125 = d.Baudrate_1000 = 1;
    d.SimpleBootUpMaster = d.SimpleBootUpSlave = 1;
    d.DynamicChannelsSupported = 2;
    d.GroupMessaging = 1;
    d.LSS_Supported = 1;
    d.Granularity = 8;
    d.DummyUsage.dummyCount = 3;
    d.DummyUsage.entries[0] = {1, 0};
    d.DummyUsage.entries[1] = {3, 1};
    d.DummyUsage.entries[2] = {7, 1};
    source.dictionary.CommentLines() = {{"one", 1}, {"", 2}, {"three & <four>", 3}};
    AddIndex(source.dictionary, 0x1000, "mandatory", false);
    AddEntry(source.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0x191");
    AddIndex(source.dictionary, 0x1017, "mandatory", false).callbackName = "HbpCbConfigHeartbeat";
    AddEntry(source.dictionary, 0x1017, HeaderSingle, "Heartbeat", 7, 6, "rw", "", "", "0x0", 1);
    AddIndex(source.dictionary, 0x1400, "optional", true).callbackName = "PdoCbConfigCommu";
    AddEntry(source.dictionary, 0x1400, HeaderStructured, "RPDO", 9, 0, "");
    AddEntry(source.dictionary, 0x1400, 0, "Count", 7, 5, "ro", "2");
    AddEntry(source.dictionary, 0x1400, 1, "COB-ID", 7, 7, "rw", "$NODEID+0x200", "0x0", "0x7FF");
    AddIndex(source.dictionary, 0x2000, "optional", false);
    AddEntry(source.dictionary, 0x2000, HeaderSingle, "Real \"x\" < 1", 7, 8, "rww", "1.5", "-2.5", "2.5", 1);
    AddIndex(source.dictionary, 0x6000, "manufacturer", true);
    AddEntry(source.dictionary, 0x6000, HeaderStructured, "Array", 8, 0, "");
    AddEntry(source.dictionary, 0x6000, 0, "Count", 7, 5, "const", "0x1A");
    AddEntry(source.dictionary, 0x6000, 0x1A, "Text", 7, 9, "ro", "  spaced & 'quoted'  ");
}

// Everything the writer writes reads back as it was held: the texts exactly, the sections but for the
// file name (the written file's) and the PDO counts (counted from the dictionary, as the EDS export
// does).
TEST(XddWriter, WrittenFileReadsBackTheSame) {
    ImportRun source;
    FillSource(source);
    XddRun back;
    const std::string path = back.dir.File("out.xdd");
    CXddWriter writer(path, source.dictionary, source.fileInfo, source.deviceInfo, TextEncoding::Windows1252,
                      source.platform);
    ASSERT_EQ(EdsExportResult::Success, writer.WriteFile());
    const std::string text = ReadFileBytes(path);
    EXPECT_EQ(0u, text.find("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<ISO15745ProfileContainer "
                            "xmlns=\"http://www.canopen.org/xml/1.1\""));
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ASSERT_EQ('\r', text[at - 1]) << "every line ends in CR LF";
    }
    EXPECT_NE(std::string::npos, text.find(" fileCreationTime=\"16:49:00\" "));
    ASSERT_EQ(XddImportResult::Success, back.ReadPath(path));
    EXPECT_EQ("", EntryByEntryDifference(source.dictionary, back.dictionary));
    EXPECT_EQ(source.dictionary.CommentLines(), back.dictionary.CommentLines());
    FileInfoSection fileInfo = source.fileInfo;
    fileInfo.FileName = "out.xdd";
    EXPECT_EQ(fileInfo, back.fileInfo);
    DeviceInfoSection deviceInfo = source.deviceInfo;
    deviceInfo.NrOfRxPdo = 1;
    deviceInfo.NrOfTxPdo = 0;
    EXPECT_EQ(deviceInfo, back.deviceInfo);
    EXPECT_EQ(writer.BuildText(), text);
}

// A Windows-1252 document is written as UTF-8; a UTF-8 one as it is.
TEST(XddWriter, WritesUtf8WhateverTheDocumentsEncoding) {
    ImportRun source;
    AddIndex(source.dictionary, 0x1000, "mandatory", false);
    AddEntry(source.dictionary, 0x1000, HeaderSingle,
             "Temperatur \xB0"
             "C",
             7, 7, "ro", "0");
    const std::string cp1252 = CXddWriter("a.xdd", source.dictionary, source.fileInfo, source.deviceInfo,
                                          TextEncoding::Windows1252, source.platform)
                                   .BuildText();
    EXPECT_NE(std::string::npos, cp1252.find("name=\"Temperatur \xC2\xB0"
                                             "C\""));
    source.dictionary.GetIndexAt(0)->subindices[0]->name =
        "Temperatur \xC2\xB0"
        "C";
    EXPECT_EQ(cp1252, CXddWriter("a.xdd", source.dictionary, source.fileInfo, source.deviceInfo,
                                 TextEncoding::Utf8, source.platform)
                          .BuildText());
}

// A failed write leaves the previous file as it was.
TEST(XddWriter, FailedWriteKeepsThePreviousFile) {
    ImportRun source;
    FillSource(source);
    FaultyFileSystem files;
    source.platform.SetFiles(&files);
    const std::string path = source.dir.File("kept.xdd");
    WriteFileBytes(path, "previous");
    files.FailWritesAfter(100);
    EXPECT_EQ(EdsExportResult::WriteFailed, CXddWriter(path, source.dictionary, source.fileInfo,
                                                       source.deviceInfo, TextEncoding::Utf8, source.platform)
                                                .WriteFile());
    EXPECT_EQ("previous", ReadFileBytes(path));
}

}  // namespace
