#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "eds/CEdsWriter.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "model/ObjectDictionary.h"
#include "platform/ConsolePlatform.h"

// What the profiles of a whole `quillmark-cli convert` of a 2,000-index file (42,000 sections, 6 MB;
// bench/whole_process.sh makes it) showed, counted with callgrind and sampled with perf:
// - Before: 1,109 million instructions, 13,100 page faults, 41 MB peak. The import took 546 million: a
//   key list allocated per section, a case-insensitive compare that folded every byte, a hash look-up
//   whenever the reader moved to the next section, vsnprintf for every section name it asked for. The
//   export took 539 million: a ProfileFile of the whole file was built, each SetString looking up its
//   section and key, then copied out by ToBytes; vsnprintf for every number was 27% of the process.
// - After: 506 million instructions, 7,500 page faults, 26 MB. The import takes 376 million (parsing
//   117, the reader's eight or so look-ups per section 132, the rest building the dictionary), the
//   export 137 million, written straight into one reserved text.
// - What is left is mostly memory: page faults are a quarter of the process time (the file's 6 MB,
//   its 5.4 MB of key positions, the dictionary's 11 MB, the exported text's 6 MB). Prefetching the
//   section index while parsing gained nothing measurable and was left out.
namespace {

constexpr int SubindicesPerIndex = 20;

struct Document {
    ObjectDictionary dictionary;
    FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
};

void AddEntry(IndexEntry& index, std::uint16_t subindex, std::string name, std::uint8_t objectType,
              std::uint8_t dataType, std::string def, std::string low, std::string high) {
    auto entry = std::make_unique<SubindexEntry>();
    entry->index = index.index;
    entry->subindex = subindex;
    entry->name = std::move(name);
    entry->objectType = objectType;
    entry->dataType = dataType;
    entry->accessType = "rw";
    entry->defaultValue = std::move(def);
    entry->lowLimit = std::move(low);
    entry->highLimit = std::move(high);
    index.subindices.push_back(std::move(entry));
    ++index.entryCount;
}

IndexEntry& AddIndex(ObjectDictionary& dictionary, std::uint16_t number, const char* category) {
    auto index = std::make_unique<IndexEntry>();
    index->index = number;
    index->category = category;
    index->headerSubindex = HeaderStructured;
    index->kindMarker = KindStructured;
    IndexEntry& stored = *index;
    dictionary.InsertIndex(std::move(index));
    return stored;
}

// Device type, an optional record and `count` manufacturer records of 20 subindices of mixed types.
void FillDocument(Document& doc, int count) {
    doc.fileInfo.FileName = "synthetic.eds";
    doc.deviceInfo.VendorName = "Bench";
    doc.deviceInfo.DummyUsage.dummyCount = 1;
    doc.deviceInfo.DummyUsage.entries[0] = {1, 0};
    doc.dictionary.CommentLines().push_back({"synthetic", 1});
    auto device = std::make_unique<IndexEntry>();
    device->index = 0x1000;
    device->category = "mandatory";
    device->headerSubindex = HeaderSingle;
    doc.dictionary.InsertIndex(std::move(device));
    AddEntry(*doc.dictionary.GetIndexAt(0), HeaderSingle, "Device Type", 7, 7, "0x191", "", "");
    IndexEntry& pdo = AddIndex(doc.dictionary, 0x1400, "optional");
    AddEntry(pdo, HeaderStructured, "RPDO", 9, 0, "", "", "");
    AddEntry(pdo, 0, "Count", 7, 5, "2", "", "");
    for (int i = 0; i < count; ++i) {
        const auto number = static_cast<std::uint16_t>(0x2000 + i);
        IndexEntry& index = AddIndex(doc.dictionary, number, "manufacturer");
        AddEntry(index, HeaderStructured, "Record " + std::to_string(i), 9, 0, "", "", "");
        AddEntry(index, 0, "Number of entries", 7, 5, std::to_string(SubindicesPerIndex - 1), "", "");
        for (int s = 1; s < SubindicesPerIndex; ++s) {
            const auto sub = static_cast<std::uint16_t>(s);
            switch (s % 4) {
                case 0:
                    AddEntry(index, sub, "Unsigned value", 7, 7, std::to_string(s * 1000), "0", "100000");
                    break;
                case 1:
                    AddEntry(index, sub, "Signed value", 7, 3, std::to_string(-s), "-500", "500");
                    break;
                case 2:
                    AddEntry(index, sub, "Real value", 7, 8, "1.25", "", "");
                    break;
                default:
                    AddEntry(index, sub, "Text value", 7, 9, "text of subindex " + std::to_string(s), "", "");
                    break;
            }
        }
    }
}

std::string BenchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_Export(benchmark::State& state) {
    Document doc;
    FillDocument(doc, static_cast<int>(state.range(0)));
    ConsolePlatform platform(std::cerr);
    const std::string path = BenchPath("qm_bench_export.eds");
    for ([[maybe_unused]] auto _ : state) {
        CEdsWriter writer(path, doc.dictionary, doc.fileInfo, doc.deviceInfo, platform);
        if (writer.WriteFile() != EdsExportResult::Success) {
            state.SkipWithError("export failed");
            break;
        }
    }
    state.counters["entries"] = static_cast<double>(state.range(0) * SubindicesPerIndex);
    std::remove(path.c_str());
}

void BM_Import(benchmark::State& state) {
    Document source;
    FillDocument(source, static_cast<int>(state.range(0)));
    ConsolePlatform platform(std::cerr);
    const std::string path = BenchPath("qm_bench_import.eds");
    {
        CEdsWriter writer(path, source.dictionary, source.fileInfo, source.deviceInfo, platform);
        if (writer.WriteFile() != EdsExportResult::Success) {
            state.SkipWithError("could not write the input file");
            return;
        }
    }
    for ([[maybe_unused]] auto _ : state) {
        Document doc;
        CFileScan scan(path, doc.dictionary, doc.fileInfo, doc.deviceInfo, platform);
        if (scan.ReadFile() != EdsImportResult::Success) {
            state.SkipWithError("import failed");
            break;
        }
        benchmark::DoNotOptimize(doc.dictionary.GetIndexCount());
    }
    state.counters["entries"] = static_cast<double>(state.range(0) * SubindicesPerIndex);
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_Import)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
