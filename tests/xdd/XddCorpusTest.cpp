#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "EdsTestSupport.h"
#include "XddTestSupport.h"
#include "document/ContentEncoding.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"
#include "xdd/CXddScan.h"
#include "xdd/CXddWriter.h"

namespace {

// A copy of the dictionary without the entries `drop` names; an index left without its value entry, or
// a structure left with its header only, goes as the EDS import lets it go.
void CopyWithout(const ObjectDictionary& from, ObjectDictionary& to,
                 const std::function<bool(const SubindexEntry&)>& drop) {
    for (std::uint16_t i = 0; i < from.GetIndexCount(); ++i) {
        std::unique_ptr<IndexEntry> index = from.GetIndexAt(i)->Clone();
        // A structure's header holds no value; a VAR's only entry does.
        std::erase_if(index->subindices,
                      [&](const auto& entry) { return entry->subindex != HeaderStructured && drop(*entry); });
        index->entryCount = static_cast<std::uint16_t>(index->subindices.size());
        const bool structured = index->headerSubindex == HeaderStructured;
        if (index->subindices.size() >= (structured ? 2u : 1u)) {
            to.InsertIndex(std::move(index));
        }
    }
}

// The dictionary with every text in UTF-8, as an XDD holds it.
void CopyAsUtf8(const ObjectDictionary& from, TextEncoding encoding, ObjectDictionary& to) {
    CopyWithout(from, to, [](const SubindexEntry&) { return false; });
    for (std::uint16_t i = 0; i < to.GetIndexCount(); ++i) {
        for (auto& entry : to.GetIndexAt(i)->subindices) {
            for (std::string* text : {&entry->name, &entry->accessType, &entry->defaultValue,
                                      &entry->lowLimit, &entry->highLimit}) {
                *text = TextToUtf8(*text, encoding);
            }
        }
    }
}

const std::string DemoEds = std::string(QM_CORPUS_DIR) + "/CANopenDemo__demoDevice.eds";
const std::string DemoXdd = std::string(QM_XDD_CORPUS_DIR) + "/CANopenDemo__demoDevice.xdd";

// The demo device's XDD and EDS, written by one editor, give one dictionary: every index, subindex,
// name, type, access, mapping, default and limit.
TEST(XddCorpus, DemoXddAndDemoEdsGiveTheSameDictionary) {
    ImportRun eds;
    eds.mode = ImportMode::Lenient;
    eds.platform.AllowUnexpectedMessages();
    ASSERT_EQ(EdsImportResult::Success, eds.ImportPath(DemoEds));
    XddRun xdd;
    ASSERT_EQ(XddImportResult::Success, xdd.ReadPath(DemoXdd));
    EXPECT_EQ(eds.dictionary.GetIndexCount(), 47);
    // 0x1280 is in the XDD too, switched off with the stack's own property CO_disabled.
    EXPECT_EQ(xdd.dictionary.GetIndexCount(), 47);
    EXPECT_EQ(nullptr, xdd.Find(0x1280));

    // The XML editor writes a DOMAIN's parameter as BITSTRING, the form of every byte string, and gives
    // the object no dataType of its own: the file says OCTET_STRING, and so does the import.
    const SubindexEntry* domain = xdd.Entry(0x2122, HeaderSingle);
    ASSERT_NE(nullptr, domain);
    EXPECT_EQ(0x0A, domain->dataType);
    ObjectDictionary comparable;
    CopyWithout(xdd.dictionary, comparable, [](const SubindexEntry& entry) { return entry.index == 0x2122; });
    ObjectDictionary edsComparable;
    CopyWithout(eds.dictionary, edsComparable,
                [](const SubindexEntry& entry) { return entry.index == 0x2122; });
    EXPECT_EQ("", EntryByEntryDifference(edsComparable, comparable));

    // The sections, as far as the two formats hold the same.
    EXPECT_EQ(eds.deviceInfo.VendorName, xdd.deviceInfo.VendorName);
    EXPECT_EQ(eds.deviceInfo.ProductNumber, xdd.deviceInfo.ProductNumber);
    EXPECT_EQ(eds.deviceInfo.DummyUsage, xdd.deviceInfo.DummyUsage);
    EXPECT_EQ(eds.deviceInfo.Baudrate_800, xdd.deviceInfo.Baudrate_800);
    EXPECT_EQ(eds.deviceInfo.LSS_Supported, xdd.deviceInfo.LSS_Supported);
    EXPECT_EQ(eds.deviceInfo.Granularity, xdd.deviceInfo.Granularity);
    EXPECT_EQ(eds.fileInfo.Description, xdd.fileInfo.Description);
    EXPECT_EQ(eds.fileInfo.CreationDate, xdd.fileInfo.CreationDate);
    EXPECT_EQ(eds.fileInfo.ModificationTime, xdd.fileInfo.ModificationTime);
    EXPECT_EQ(eds.fileInfo.CreatedBy, xdd.fileInfo.CreatedBy);
}

// EDS -> XDD -> EDS keeps the dictionary and the sections of every corpus file, as the standard import
// reads it where it does and as the lenient one (which keeps every data type) reads it. The XDD step
// keeps every text exactly (in UTF-8); the EDS step writes numbers in its own form, as any EDS export
// does.
TEST(XddCorpus, EveryCorpusEdsSurvivesEdsToXddToEds) {
    int converted = 0;
    for (const auto& [file, mode] : [] {
             std::vector<std::pair<std::string, ImportMode>> runs;
             for (const std::string& file : EdsFilesIn(QM_CORPUS_DIR)) {
                 runs.emplace_back(file, ImportMode::Standard);
                 runs.emplace_back(file, ImportMode::Lenient);
             }
             return runs;
         }()) {
        SCOPED_TRACE(file + (mode == ImportMode::Lenient ? " (lenient)" : ""));
        ImportRun first;
        first.mode = mode;
        first.platform.AllowUnexpectedMessages();
        if (first.ImportPath(file) != EdsImportResult::Success) {
            continue;
        }
        const TextEncoding encoding = ContentTextEncoding(first.dictionary, first.fileInfo, first.deviceInfo);
        XddRun xdd;
        const std::string xddPath = xdd.dir.File("converted.xdd");
        ASSERT_EQ(EdsExportResult::Success, CXddWriter(xddPath, first.dictionary, first.fileInfo,
                                                       first.deviceInfo, encoding, first.platform)
                                                .WriteFile());
        ASSERT_EQ(XddImportResult::Success, xdd.ReadPath(xddPath));
        ObjectDictionary expected;
        CopyAsUtf8(first.dictionary, encoding, expected);
        EXPECT_EQ("", EntryByEntryDifference(expected, xdd.dictionary));

        ImportRun last;
        last.mode = first.mode;
        last.platform.AllowUnexpectedMessages();
        const std::string edsPath = last.dir.File("back.eds");
        ASSERT_EQ(
            EdsExportResult::Success,
            CEdsWriter(edsPath, xdd.dictionary, xdd.fileInfo, xdd.deviceInfo, xdd.platform).WriteFile());
        ASSERT_EQ(EdsImportResult::Success, last.ImportPath(edsPath));
        ObjectDictionary lastUtf8;
        CopyAsUtf8(last.dictionary, TextEncoding::Utf8, lastUtf8);
        EXPECT_EQ("", ExportedValueDifference(expected, lastUtf8));

        FileInfoSection fileInfo = first.fileInfo;
        fileInfo.FileName = "back.eds";
        for (std::string* text : {&fileInfo.EDSVersion, &fileInfo.Description, &fileInfo.CreationTime,
                                  &fileInfo.CreationDate, &fileInfo.CreatedBy, &fileInfo.ModificationTime,
                                  &fileInfo.ModificationDate, &fileInfo.ModifiedBy}) {
            *text = TextToUtf8(*text, encoding);
        }
        EXPECT_EQ(fileInfo, last.fileInfo);
        DeviceInfoSection deviceInfo = first.deviceInfo;
        deviceInfo.NrOfRxPdo = last.deviceInfo.NrOfRxPdo;
        deviceInfo.NrOfTxPdo = last.deviceInfo.NrOfTxPdo;
        for (std::string* text : {&deviceInfo.VendorName, &deviceInfo.ProductName, &deviceInfo.OrderCode}) {
            *text = TextToUtf8(*text, encoding);
        }
        EXPECT_EQ(deviceInfo, last.deviceInfo);
        ++converted;
    }
    EXPECT_EQ(22 + 38, converted);  // the files the standard import reads, and all of them leniently
}

}  // namespace
