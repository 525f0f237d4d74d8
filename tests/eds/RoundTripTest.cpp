#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>
#include <vector>

#include "EdsTestSupport.h"
#include "ParallelMode.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"
#include "platform/Platform.h"

namespace {

std::string Repair(const std::string& path, const std::string& repair) {
    return "Lenient import of " + path + ":\n" + repair;
}

EdsExportResult Export(ImportRun& from, const std::string& path) {
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

// Export -> import -> export -> import, each import in the mode of the first: the first import may
// hold texts the writer normalises ("10" becomes "0xA"), the second must equal the third exactly. The
// exported file needs no repair but those a lenient import makes for any file the writer writes (an
// empty VendorName, no dummy entries).
void ExpectRoundTrip(ImportRun& first) {
    ImportRun second;
    second.mode = first.mode;
    const std::string path = second.dir.File("exported.eds");
    ASSERT_EQ(EdsExportResult::Success, Export(first, path));
    second.platform.AllowUnexpectedMessages(first.mode == ImportMode::Lenient);
    ASSERT_EQ(EdsImportResult::Success, second.ImportPath(path));
    for (const RecordedMessage& message : second.platform.Messages()) {
        EXPECT_TRUE(message.text == Repair(path, "VendorName missing: left empty") ||
                    message.text == Repair(path, "DummyUsage missing: no dummy entries") ||
                    message.text == Repair(path, "Dummy0001 missing: the other Dummy entries read"))
            << message.text;
    }
    EXPECT_EQ("", ExportedValueDifference(first.dictionary, second.dictionary));
    ExpectSameSections(first, second, "exported.eds");

    ImportRun third;
    third.mode = first.mode;
    third.platform.AllowUnexpectedMessages();
    const std::string again = third.dir.File("exported.eds");
    {
        // Written in two halves at once, as a large dictionary is, the file is the same.
        const ScopedParallelMode halves(ParallelWork::Mode::Always);
        ASSERT_EQ(EdsExportResult::Success, Export(second, again));
    }
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
    const std::set<EdsImportResult> refusals = {EdsImportResult::EmptyPath,
                                                EdsImportResult::CannotOpen,
                                                EdsImportResult::FileTooLarge,
                                                EdsImportResult::InvalidFileInfo,
                                                EdsImportResult::InvalidDeviceInfo,
                                                EdsImportResult::InvalidDummyUsage,
                                                EdsImportResult::InvalidObjectList,
                                                EdsImportResult::MissingSection,
                                                EdsImportResult::SubindexCountMismatch,
                                                EdsImportResult::UnsupportedDataType,
                                                EdsImportResult::OutOfMemory};
    int imported = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ImportRun run;
        run.platform.AllowUnexpectedMessages();
        const EdsImportResult result = run.ImportPath(file);
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
                EXPECT_EQ(section(result == EdsImportResult::InvalidFileInfo     ? "FileInfo"
                                  : result == EdsImportResult::InvalidDeviceInfo ? "DeviceInfo"
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
                EXPECT_EQ(1u, refusals.count(result)) << static_cast<int>(result);
                EXPECT_FALSE(messages.empty());
                break;
        }
        std::printf("%-45s %d (%zu messages, %u indices)\n", FileNamePart(file).c_str(),
                    static_cast<int>(result), messages.size(), run.dictionary.GetIndexCount());
    }
    EXPECT_GE(imported, 15);
}

// What each corpus file gives, by the standard import and by the lenient one: the result, the number of
// message boxes and the number of indices read. The standard figures are those the import has always
// given. The lenient import reads every file with 11, also the two without any object list, keeping
// what the standard one leaves out (entries of every data type, sections in no list, subindex sections
// beyond SubNumber), and its export reads back the same in lenient mode.
// The rows name the import results alone.
using enum EdsImportResult;

struct CorpusCase {
    const char* file;
    EdsImportResult result;
    int messages;
    int indices;
    int lenientMessages;
    int lenientIndices;
};

const CorpusCase Corpus[] = {
    {"AMflux__Epos4_70_15.eds", Success, 20, 164, 0, 164},
    {"CANOPEN-SDK__ZeroErr_Driver_V1.5.eds", Success, 0, 92, 1, 94},
    {"CANOPEN-SDK__elmo.dcf", Success, 22, 162, 0, 166},
    {"CANopenDemo__demoDevice.eds", Success, 6, 46, 0, 47},
    {"CANopenNode__DS301_profile.eds", InvalidDeviceInfo, 1, 0, 1, 33},
    {"CANopenNode__IO.eds", Success, 5, 59, 0, 60},
    {"CRF__EverestXCR.eds", Success, 2, 211, 0, 212},
    {"CanFestival__DS401_Slave_Gui.eds", Success, 1, 37, 0, 38},
    {"Xeryon__xeryon_xla_5_eds.eds", Success, 0, 67, 0, 67},
    {"axotec__G2_canopen.eds", Success, 1, 58, 0, 59},
    {"axotec__JN2100_V2.5.4.eds", Success, 0, 60, 0, 60},
    {"can2mqtt__esphome.eds", InvalidObjectList, 0, 0, 7, 8},
    {"canopen-rpi__node.eds", InvalidDummyUsage, 1, 0, 2, 16},
    {"eds-dcf-net__full_features.dcf", InvalidDummyUsage, 1, 0, 2, 7},
    {"eds-dcf-net__max_subnumber.eds", InvalidObjectList, 0, 0, 4, 1},
    {"eds-dcf-net__modular_device.dcf", InvalidDummyUsage, 1, 0, 3, 3},
    {"gocanopen__base.eds", Success, 0, 33, 2, 57},
    {"kacanopen-ITVRoC__simco.eds", Success, 4, 338, 0, 338},
    {"kacanopen__301.eds", InvalidObjectList, 0, 0, 28, 19},
    {"kacanopen__401.eds", InvalidDeviceInfo, 1, 0, 1, 96},
    {"kacanopen__605.3150.51-V-EK-2-60.eds", Success, 0, 75, 0, 75},
    {"kacanopen__605.3150.67-B-EK-2-60.eds", Success, 0, 111, 0, 111},
    {"kacanopen__epos2_347717.eds", Success, 2, 155, 0, 157},
    {"lely-core__co-sdev.dcf", InvalidFileInfo, 1, 0, 2, 28},
    {"lely-core__co-sync.dcf", InvalidFileInfo, 1, 0, 3, 6},
    {"lely-core__coapp-fiber-master.dcf", InvalidFileInfo, 1, 0, 2, 24},
    {"lely-core__coctl.dcf", InvalidFileInfo, 1, 0, 2, 45},
    {"odemis__FocusTracker.eds", InvalidFileInfo, 1, 0, 1, 20},
    {"odemis__TMCM-1240_CANopen_V322.dcf", Success, 3, 134, 0, 134},
    {"python-canopen__cog.eds", Success, 0, 73, 0, 73},
    {"python-canopen__datatypes.eds", UnsupportedDataType, 14, 10, 0, 24},
    {"python-canopen__e35.eds", InvalidObjectList, 2, 106, 3, 211},
    {"python-canopen__sample.eds", Success, 1, 6, 3, 40},
    {"ros_canopen__ISD860.dcf", Success, 0, 81, 0, 81},
    {"ros_canopen__ISD860.eds", Success, 0, 81, 0, 81},
    {"ros_canopen__cia402_slave.eds", Success, 0, 189, 0, 189},
    {"ros_canopen__prbt_0_1.dcf", Success, 2, 94, 1, 94},
    {"ros_canopen__simple.eds", InvalidFileInfo, 1, 0, 1, 18},
};

// Corpus entries whose file leaves a value out or writes it in a form of its own, as the import reads
// them and as the export writes them back: an absent ObjectType is a VAR, an absent string default is
// empty, a negative hexadecimal default is the negative number, the last index of a range is taken.
struct MeaningCase {
    const char* file;
    ImportMode mode;
    unsigned index;
    unsigned subindex;
    unsigned objectType;
    const char* defaultValue;
    const char* exported;  // the section of the entry in the export, from its ParameterName on
};

const MeaningCase Meanings[] = {
    {"CANOPEN-SDK__elmo.dcf", ImportMode::Standard, 0x1008, HeaderSingle, 7, "",
     "ObjectType=0x7\r\nDataType=0x0009\r\nAccessType=const\r\nDefaultValue=\r\nPDOMapping=0x0\r\n"},
    {"kacanopen__epos2_347717.eds", ImportMode::Standard, 0x2101, 1, 7, "30",
     "[2101sub1]\r\nParameterName=Standstill Window\r\nObjectType=0x7\r\nDataType=0x0006\r\n"},
    {"lely-core__co-sdev.dcf", ImportMode::Lenient, 0x1000, HeaderSingle, 7, "0x01020304",
     "[1000]\r\nParameterName=Device type\r\nObjectType=0x7\r\nDataType=0x0007\r\n"},
    {"canopen-rpi__node.eds", ImportMode::Lenient, 0x2002, HeaderSingle, 7, "-0x80",
     "[2002]\r\nParameterName=INTEGER8 Min\r\nObjectType=0x7\r\nDataType=0x0002\r\nAccessType=rw\r\n"
     "DefaultValue=-128\r\n"},
};

TEST(RoundTripTest, CorpusValuesAreReadAsTheFileMeansThem) {
    for (const MeaningCase& c : Meanings) {
        SCOPED_TRACE(c.file);
        ImportRun run;
        run.mode = c.mode;
        run.platform.AllowUnexpectedMessages();
        ASSERT_EQ(EdsImportResult::Success, run.ImportPath(std::string(QM_CORPUS_DIR) + "/" + c.file));
        const IndexEntry* index = run.Find(c.index);
        ASSERT_NE(nullptr, index);
        const auto found = std::find_if(index->subindices.begin(), index->subindices.end(),
                                        [&](const auto& e) { return e->subindex == c.subindex; });
        ASSERT_NE(index->subindices.end(), found);
        const SubindexEntry* entry = found->get();
        EXPECT_EQ(c.objectType, entry->objectType);
        EXPECT_EQ(c.defaultValue, entry->defaultValue);
        const std::string path = run.dir.File("exported.eds");
        ASSERT_EQ(EdsExportResult::Success, Export(run, path));
        EXPECT_NE(std::string::npos, ReadFileBytes(path).find(c.exported)) << c.exported;
    }
}

// A large object list is read in two halves at once. Read that way, also where it is short, a file gives
// the same result, message boxes in the same order, dictionary and report.
void ExpectSameInHalves(const ImportRun& whole, EdsImportResult wholeResult, const std::string& file) {
    ImportRun halves;
    halves.mode = whole.mode;
    halves.platform.AllowUnexpectedMessages();
    {
        const ScopedParallelMode parallel(ParallelWork::Mode::Always);
        EXPECT_EQ(wholeResult, halves.ImportPath(file));
    }
    EXPECT_EQ("", DictionaryDifference(whole.dictionary, halves.dictionary));
    ASSERT_EQ(whole.platform.Messages().size(), halves.platform.Messages().size());
    for (std::size_t i = 0; i < whole.platform.Messages().size(); ++i) {
        EXPECT_EQ(whole.platform.Messages()[i].text, halves.platform.Messages()[i].text);
    }
    const auto records = [](const ImportReport& report) {
        std::vector<std::tuple<ImportRecordKind, unsigned, unsigned, std::uint32_t, std::string, bool>> rows;
        for (const ImportRecord& r : report.records) {
            rows.emplace_back(r.kind, r.index, r.subindex, r.line, r.name, r.kept);
        }
        return rows;
    };
    EXPECT_EQ(records(whole.report), records(halves.report));
    EXPECT_EQ(whole.report.entryLines, halves.report.entryLines);
    EXPECT_EQ(whole.report.absentValues, halves.report.absentValues);
    EXPECT_EQ(whole.report.leftOut, halves.report.leftOut);
}

TEST(RoundTripTest, CorpusFilesGiveTheirKnownResults) {
    ASSERT_EQ(std::size(Corpus), EdsFilesIn(QM_CORPUS_DIR).size());
    for (const CorpusCase& c : Corpus) {
        const std::string file = std::string(QM_CORPUS_DIR) + "/" + c.file;
        SCOPED_TRACE(file);
        ImportRun standard;
        standard.platform.AllowUnexpectedMessages();
        const EdsImportResult standardResult = standard.ImportPath(file);
        EXPECT_EQ(c.result, standardResult);
        EXPECT_EQ(c.messages, standard.platform.Messages().size());
        EXPECT_EQ(c.indices, standard.dictionary.GetIndexCount());
        ExpectSameInHalves(standard, standardResult, file);

        ImportRun lenient;
        lenient.mode = ImportMode::Lenient;
        lenient.platform.AllowUnexpectedMessages();
        const EdsImportResult result = lenient.ImportPath(file);
        EXPECT_EQ(c.lenientIndices != 0 ? EdsImportResult::Success : EdsImportResult::InvalidObjectList,
                  result);
        EXPECT_EQ(c.lenientMessages, lenient.platform.Messages().size());
        EXPECT_EQ(c.lenientIndices, lenient.dictionary.GetIndexCount());
        ExpectSameInHalves(lenient, result, file);
        if (result == EdsImportResult::Success) {
            ExpectRoundTrip(lenient);
        }
    }
}

}  // namespace
