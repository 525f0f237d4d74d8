#include <gtest/gtest.h>

#include <random>

#include "EdsTestSupport.h"
#include "eds/EdsResult.h"

namespace {

// Damaged copies of the example file: bytes changed, lines dropped or doubled, the file cut short.
// Whatever the damage, the import ends with one of its codes and leaves a consistent dictionary.
std::string Mutate(const std::string& source, std::mt19937& random) {
    std::string text = source;
    const int edits = 1 + static_cast<int>(random() % 8);
    const char noise[] = {'[', ']', '=', ';', '\n', '\r', ' ', '0', 'x', 'F', '-', '\0', '\xff'};
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const std::size_t at = random() % text.size();
        switch (random() % 5) {
            case 0:
                text[at] = noise[random() % sizeof noise];
                break;
            case 1:
                text.erase(at, random() % 200);
                break;
            case 2:
                text.insert(at, text.substr(random() % text.size(), random() % 300));
                break;
            case 3:
                text.resize(at);
                break;
            default:
                text.insert(at, 1, noise[random() % sizeof noise]);
                break;
        }
    }
    return text;
}

TEST(MutatedInputTest, DamagedFilesNeverBreakTheImporter) {
    const std::string source = ReadFileBytes(std::string(QM_EXAMPLES_DIR) + "/io_device.eds");
    ASSERT_FALSE(source.empty());
    std::mt19937 random(20261207);
    int imported = 0;
    for (int round = 0; round < 300; ++round) {
        ImportRun run;
        run.platform.AllowUnexpectedMessages();
        const EdsImportResult result = run.Import(Mutate(source, random));
        SCOPED_TRACE(round);
        EXPECT_TRUE(result == EdsImportResult::Success ||
                    (result >= EdsImportResult::InvalidFileInfo &&
                     result <= EdsImportResult::UnsupportedDataType &&
                     result != EdsImportResult::InvalidComments && result != EdsImportResult::Refused))
            << static_cast<int>(result);
        imported += result == EdsImportResult::Success ? 1 : 0;
        std::uint16_t previous = 0;
        for (std::uint16_t i = 0; i < run.dictionary.GetIndexCount(); ++i) {
            const IndexEntry& index = *run.dictionary.GetIndexAt(i);
            EXPECT_EQ(index.entryCount, index.subindices.size());
            EXPECT_FALSE(index.subindices.empty());
            EXPECT_LT(previous, index.index);
            previous = index.index;
        }
    }
    EXPECT_GT(imported, 0);
}

}  // namespace
