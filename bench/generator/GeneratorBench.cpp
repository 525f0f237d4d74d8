#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "generator/CSourceGenerator.h"
#include "model/ObjectDictionary.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

// What the profile of a whole `quillmark-cli generate` of a 2,000-index file showed (callgrind): the
// generation itself took 283 million instructions, half of them in FormatLine, which built a string per
// line and another per number, and 80 million in the designators, which searched the removal set for
// every character. With one reused line buffer, numbers formatted on the stack and a removal table it
// takes 187 million: formatting 85, designators 49 (24 of them IsCIdentifier's walk over the keyword
// list), the rest converting values and writing. The import before it is the larger part of the process.
namespace {

// Answers nothing interactive; the files go to the disk.
class BenchPlatform : public Platform {
public:
    MsgResult MessageBox(const std::string&, const std::string&, MsgButtons, MsgIcon, bool) override {
        return MsgResult::Ok;
    }
    std::optional<std::string> ChooseFile(const FileChooserRequest&) override { return std::nullopt; }
    LocalTime GetLocalTime() override { return LocalTime{6, 12, 2026, 9, 0, 0}; }
    void ReportFileError(FileOperation, const std::string&, const std::string&) override {}
    FileSystem& Files() override { return m_disk; }

private:
    DiskFileSystem m_disk;
};

std::unique_ptr<SubindexEntry> Entry(std::uint16_t index, std::uint16_t subindex, std::uint8_t dataType,
                                     const std::string& value) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index;
    entry->subindex = subindex;
    entry->name = "Entry number ";
    entry->name.append(std::to_string(subindex)).append(" (value)");
    entry->objectType = 0x07;
    entry->dataType = dataType;
    entry->accessType.assign(subindex % 3 == 0 ? "ro" : "rw", 2);
    entry->defaultValue = value;
    if (subindex % 4 == 0) {
        entry->lowLimit.push_back('1');
        entry->highLimit.assign(4, '9');
    }
    return entry;
}

// 2,000 records of 20 subindices each: communication, manufacturer and device area, with the PDO
// pairs of the communication area.
void FillDictionary(ObjectDictionary& dictionary) {
    const std::uint8_t types[] = {0x05, 0x06, 0x07, 0x03, 0x08, 0x09};
    std::uint16_t number = 0x1000;
    for (int i = 0; i < 2000; ++i) {
        if (i == 600) {
            number = 0x2000;
        } else if (i == 1300) {
            number = 0x6000;
        }
        auto record = std::make_unique<IndexEntry>();
        record->index = number;
        record->headerSubindex = HeaderStructured;
        record->storage = "RAM";
        if (i % 50 == 0) {
            record->callbackName = "UserCallback";
            record->callbackName.append(std::to_string(i));
        }
        record->entryCount = 21;
        dictionary.InsertIndex(std::move(record));
        auto header = Entry(number, HeaderStructured, 0, "");
        header->objectType = 0x09;
        dictionary.InsertEntry(std::move(header));
        for (std::uint16_t sub = 0; sub < 20; ++sub) {
            const std::uint8_t type = sub == 0 ? 0x05 : types[sub % 6];
            dictionary.InsertEntry(
                Entry(number, sub, type, type == 0x09 ? "text value" : std::to_string(sub + i)));
        }
        ++number;
    }
}

void BM_Generate2000x20(benchmark::State& state) {
    ObjectDictionary dictionary;
    FillDictionary(dictionary);
    BenchPlatform platform;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillmark-generator-bench";
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "objdict.c").string();
    for (auto _ : state) {
        CSourceGenerator generator(dictionary, platform);
        const GenerationResult result = generator.GenerateFiles(source);
        if (result != GenOk) {
            state.SkipWithError("generation failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Generate2000x20)->Unit(benchmark::kMillisecond);

}  // namespace
