#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "bench/SyntheticDevice.h"
#include "eds/CEdsWriter.h"
#include "eds/CFileScan.h"
#include "eds/EdsResult.h"
#include "platform/ConsolePlatform.h"
#include "xdd/CXddScan.h"
#include "xdd/CXddWriter.h"

// The XDD import of a device against the EDS import of the same device: the synthetic EDS of
// 2,000 records of 20 subindices is imported, written as an XDD, and both files are read again and
// again. The target is an XDD import within twice the EDS import's time.
namespace {

using synthetic::Document;

// The synthetic EDS and the XDD written from its import, on disk for the readers.
struct Files {
    std::string eds;
    std::string xdd;
};

Files WriteFiles(int count, ConsolePlatform& platform) {
    const auto folder = std::filesystem::temp_directory_path();
    Files files{(folder / "qm_bench_device.eds").string(), (folder / "qm_bench_device.xdd").string()};
    Document source;
    synthetic::FillDocument(source, count);
    CEdsWriter(files.eds, source.dictionary, source.fileInfo, source.deviceInfo, platform).WriteFile();
    Document imported;
    CFileScan(files.eds, imported.dictionary, imported.fileInfo, imported.deviceInfo, platform).ReadFile();
    CXddWriter(files.xdd, imported.dictionary, imported.fileInfo, imported.deviceInfo,
               TextEncoding::Windows1252, platform)
        .WriteFile();
    return files;
}

template <typename Reader>
void Import(benchmark::State& state, bool xdd) {
    ConsolePlatform platform(std::cerr);
    const Files files = WriteFiles(static_cast<int>(state.range(0)), platform);
    const std::string& path = xdd ? files.xdd : files.eds;
    for ([[maybe_unused]] auto _ : state) {
        Document doc;
        if (Reader(path, doc.dictionary, doc.fileInfo, doc.deviceInfo, platform).ReadFile() !=
            EdsImportResult::Success) {
            state.SkipWithError("import failed");
            break;
        }
        benchmark::DoNotOptimize(doc.dictionary.GetIndexCount());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::remove(files.eds.c_str());
    std::remove(files.xdd.c_str());
}

void BM_EdsImport(benchmark::State& state) {
    Import<CFileScan>(state, false);
}

void BM_XddImport(benchmark::State& state) {
    Import<CXddScan>(state, true);
}

void BM_XddExport(benchmark::State& state) {
    Document doc;
    synthetic::FillDocument(doc, static_cast<int>(state.range(0)));
    ConsolePlatform platform(std::cerr);
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(CXddWriter("bench.xdd", doc.dictionary, doc.fileInfo, doc.deviceInfo,
                                            TextEncoding::Windows1252, platform)
                                     .BuildText());
    }
}

}  // namespace

BENCHMARK(BM_EdsImport)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XddImport)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XddExport)->Arg(2000)->Unit(benchmark::kMillisecond);
