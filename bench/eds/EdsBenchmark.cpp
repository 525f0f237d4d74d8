#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "bench/SyntheticDevice.h"
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

using synthetic::Document;
using synthetic::FillDocument;
using synthetic::SubindicesPerIndex;

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
