#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "EdsTestSupport.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"

namespace {

int Export(ImportRun& from, const std::string& path) {
    CEdsWriter writer(path, from.dictionary, from.fileInfo, from.deviceInfo, from.platform);
    return writer.WriteFile();
}

// The records as the importer gives them back after an export: the file name is the written file's,
// the PDO counts are the writer's, and the object counters are only ever set by the writer.
void ExpectSameSections(const ImportRun& before, const ImportRun& after, const std::string& exportedName) {
    FileInfoSection fileInfo = before.fileInfo;
    fileInfo.FileName = exportedName;
    EXPECT_EQ(fileInfo, after.fileInfo);
    DeviceInfoSection deviceInfo = before.deviceInfo;
    deviceInfo.NrOfRxPdo = after.deviceInfo.NrOfRxPdo;
    deviceInfo.NrOfTxPdo = after.deviceInfo.NrOfTxPdo;
    deviceInfo.optionalCount = deviceInfo.mandatoryCount = deviceInfo.manufacturerCount = 0;
    EXPECT_EQ(deviceInfo, after.deviceInfo);
}

// Export -> import -> export -> import: the first import may hold texts the writer normalises
// ("10" becomes "0xA"), the second must equal the third exactly.
void ExpectRoundTrip(ImportRun& first) {
    ImportRun second;
    const std::string path = second.dir.File("exported.eds");
    ASSERT_EQ(EdsExportResult::Success, Export(first, path));
    ASSERT_EQ(EdsImportResult::Success, second.ImportPath(path));
    EXPECT_TRUE(second.platform.Messages().empty());
    EXPECT_EQ("", ExportedValueDifference(first.dictionary, second.dictionary));
    ExpectSameSections(first, second, "exported.eds");

    ImportRun third;
    const std::string again = third.dir.File("exported.eds");
    ASSERT_EQ(EdsExportResult::Success, Export(second, again));
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(again));
    ASSERT_EQ(EdsImportResult::Success, third.ImportPath(again));
    EXPECT_EQ("", DictionaryDifference(second.dictionary, third.dictionary));
    EXPECT_EQ(second.fileInfo, third.fileInfo);
    DeviceInfoSection counted = second.deviceInfo;
    counted.optionalCount = counted.mandatoryCount = counted.manufacturerCount = 0;
    EXPECT_EQ(counted, third.deviceInfo);
}

TEST(RoundTripTest, ExportedRecordsReadBackTheSame) {
    ImportRun source;
    FileInfoSection& f = source.fileInfo;
    f = {"ignored.eds", 3, 4, "4.0", "Desc", "1:00PM", "02-03-2026", "Me", "2:00PM", "03-04-2026", "You"};
    DeviceInfoSection& d = source.deviceInfo;
    d.VendorName = "Vendor";
    d.VendorNumber = 0xFFFFFFF0u;
    d.ProductName = "Product";
    d.ProductNumber = 0x80000000u;
    d.RevisionNumber = 17;
    d.OrderCode = "Order";
    d.Baudrate_10 = d.Baudrate_125 = d.Baudrate_1000 = 1;
    d.SimpleBootUpMaster = 1;
    d.Granularity = 0;
    d.DynamicChannelsSupported = 1;
    d.GroupMessaging = 1;
    d.LSS_Supported = 1;
    d.NrOfRxPdo = 7;
    d.DummyUsage.dummyCount = 3;
    d.DummyUsage.entries[0] = {1, 0};
    d.DummyUsage.entries[1] = {3, 1};
    d.DummyUsage.entries[2] = {7, 1};
    source.dictionary.CommentLines() = {{"one", 0}, {"two", 1}, {"three", 2}};
    AddIndex(source.dictionary, 0x1000, "mandatory", false);
    AddEntry(source.dictionary, 0x1000, HeaderSingle, "Device Type", 7, 7, "ro", "0x191");
    AddIndex(source.dictionary, 0x1400, "optional", true).callbackName = "PdoCbConfigCommu";
    AddEntry(source.dictionary, 0x1400, HeaderStructured, "RPDO", 9, 0, "");
    AddEntry(source.dictionary, 0x1400, 0, "Count", 7, 5, "ro", "2");
    AddEntry(source.dictionary, 0x1400, 1, "COB-ID", 7, 7, "rw", "0x200");

    ImportRun back;
    const std::string path = back.dir.File("out.eds");
    ASSERT_EQ(EdsExportResult::Success, Export(source, path));
    ASSERT_EQ(EdsImportResult::Success, back.ImportPath(path));
    EXPECT_EQ(1, source.deviceInfo.NrOfRxPdo);
    ExpectSameSections(source, back, "out.eds");
    const std::vector<CommentLine> lines = {{"one", 1}, {"two", 2}, {"three", 3}};
    EXPECT_EQ(lines, back.dictionary.CommentLines());
    EXPECT_EQ("", ExportedValueDifference(source.dictionary, back.dictionary));
    EXPECT_EQ("PdoCbConfigCommu", back.dictionary.GetIndexAt(1)->callbackName);
}

TEST(RoundTripTest, ExampleDeviceImportsAndExports) {
    ImportRun run;
    ASSERT_EQ(EdsImportResult::Success, run.ImportPath(std::string(QM_EXAMPLES_DIR) + "/io_device.eds"));
    EXPECT_TRUE(run.platform.Messages().empty());
    EXPECT_EQ(30, run.dictionary.GetIndexCount());
    EXPECT_EQ(3u, run.dictionary.CommentLines().size());
    EXPECT_EQ(7, run.deviceInfo.DummyUsage.dummyCount);
    for (std::uint16_t i = 0; i < run.dictionary.GetIndexCount(); ++i) {
        const IndexEntry& index = *run.dictionary.GetIndexAt(i);
        EXPECT_EQ(index.entryCount, index.subindices.size());
    }
    ExpectRoundTrip(run);
}

// Every real-world file either imports or is refused with its code; none crashes. The messages the
// reader shows for a refusal are the ones of its code.
TEST(RoundTripTest, CorpusImportsOrIsRefused) {
    const std::vector<std::string> files = EdsFilesIn(QM_CORPUS_DIR);
    ASSERT_GE(files.size(), 38u);
    const std::set<int> refusals = {13, 14, 15, 16, 17, 18, 20, 22, 23, 24, 25};
    int imported = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ImportRun run;
        run.platform.AllowUnexpectedMessages();
        const int result = run.ImportPath(file);
        const auto& messages = run.platform.Messages();
        const auto section = [&](const char* name) {
            return "The selected file " + file + " is invalid!\nInvalid " + name + " section!";
        };
        switch (result) {
            case EdsImportResult::Success:
                ++imported;
                for (std::uint16_t i = 0; i < run.dictionary.GetIndexCount(); ++i) {
                    const IndexEntry& index = *run.dictionary.GetIndexAt(i);
                    EXPECT_EQ(index.entryCount, index.subindices.size());
                }
                ExpectRoundTrip(run);
                break;
            case EdsImportResult::InvalidFileInfo:
            case EdsImportResult::InvalidDeviceInfo:
            case EdsImportResult::InvalidDummyUsage:
                ASSERT_EQ(1u, messages.size());
                EXPECT_EQ(section(result == 16   ? "FileInfo"
                                  : result == 17 ? "DeviceInfo"
                                                 : "DummyUsage"),
                          messages[0].text);
                EXPECT_EQ("Read EDS file", messages[0].caption);
                break;
            case EdsImportResult::InvalidObjectList:
                // Silent itself; earlier indices of the file may have shown their own messages.
                if (run.dictionary.GetIndexCount() == 0) {
                    EXPECT_TRUE(messages.empty());
                }
                break;
            default:
                EXPECT_EQ(1u, refusals.count(result)) << result;
                EXPECT_FALSE(messages.empty());
                break;
        }
        std::printf("%-45s %d (%zu messages, %u indices)\n", std::filesystem::path(file).filename().c_str(),
                    result, messages.size(), run.dictionary.GetIndexCount());
    }
    EXPECT_GE(imported, 15);
}

}  // namespace
