#include <gtest/gtest.h>

#include "document/Archive.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"

// Damaged project files the fuzzer produced: whatever they hold, opening either refuses them or
// settles on one file that saves the same every time.

namespace {

std::string Saved(const ObjectDictionary& dictionary) {
    return ProjectFileWriter().Write(dictionary, DeviceInfoSection{}, FileInfoSection{});
}

std::string LoadedAndSaved(const std::string& bytes) {
    ObjectDictionary dictionary;
    DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
    ProjectFileReader().Load(bytes, dictionary, deviceInfo, fileInfo);
    return Saved(dictionary);
}

std::unique_ptr<IndexEntry> VarIndex(std::uint16_t number) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    index->headerSubindex = HeaderSingle;
    index->entryCount = 1;
    return index;
}

std::unique_ptr<SubindexEntry> Entry(std::uint16_t index, std::uint16_t subindex, std::uint8_t dataType) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index;
    entry->subindex = subindex;
    entry->dataType = dataType;
    return entry;
}

}  // namespace

// A VAR index whose block also holds an ordinary subindex: that entry used to be put in front of the
// 0xFFFD header (only 0xFFFF was kept in front), so every load swapped the two and the index lost its
// header. Found by project_load_fuzzer (fuzz/regressions/project_load_fuzzer/var-index-with-a-subindex.prj).
TEST(DamagedProject, OrdinarySubindexStaysBehindTheSingleEntryHeader) {
    for (const bool headerFirst : {true, false}) {
        ObjectDictionary dictionary;
        auto index = VarIndex(0x1000);
        index->subindices.push_back(Entry(0x1000, headerFirst ? HeaderSingle : 0x6450, 7));
        index->subindices.push_back(Entry(0x1000, headerFirst ? 0x6450 : HeaderSingle, 7));
        dictionary.InsertIndex(std::move(index));

        ObjectDictionary loaded;
        DeviceInfoSection deviceInfo;
        FileInfoSection fileInfo;
        ProjectFileReader().Load(Saved(dictionary), loaded, deviceInfo, fileInfo);
        ASSERT_EQ(loaded.GetIndexCount(), 1);
        EXPECT_EQ(loaded.GetIndexAt(0)->Header()->subindex, HeaderSingle);
        const std::string once = Saved(loaded);
        EXPECT_EQ(LoadedAndSaved(once), once);
    }
}

// A damaged project whose index holds two header entries: each header entry would be put in front of
// the others, so every load would reverse them and every save would name another entry the header.
// The reader refuses such a file. Found by project_load_fuzzer
// (fuzz/regressions/project_load_fuzzer/index-with-three-header-entries.prj).
TEST(DamagedProject, ProjectWithTwoHeaderEntriesInOneIndexIsRefused) {
    ObjectDictionary dictionary;
    auto index = VarIndex(0x2000);
    for (std::uint8_t dataType : {0x05, 0x07}) {
        index->subindices.push_back(Entry(0x2000, HeaderSingle, dataType));
    }
    dictionary.InsertIndex(std::move(index));

    ObjectDictionary loaded;
    DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
    try {
        ProjectFileReader().Load(Saved(dictionary), loaded, deviceInfo, fileInfo);
        ADD_FAILURE() << "a project with two header entries in one index was read";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.GetKind(), ArchiveException::Kind::Generic);
    }
}
