#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "bench/LargeDictionary.h"
#include "document/CQuillmarkDoc.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"
#include "platform/ConsolePlatform.h"

namespace {

// The largest project the format holds in indices: 255 RECORD indices with a header and 19
// subindices each.
void FillLargeDictionary(ObjectDictionary& dictionary) {
    FillRecordIndices(dictionary, 255, 20);
}

void BM_SaveProjectToMemory(benchmark::State& state) {
    ObjectDictionary dictionary;
    FillLargeDictionary(dictionary);
    const DeviceInfoSection deviceInfo;
    const FileInfoSection fileInfo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo));
    }
}
BENCHMARK(BM_SaveProjectToMemory)->Unit(benchmark::kMicrosecond);

void BM_LoadProjectFromMemory(benchmark::State& state) {
    ObjectDictionary source;
    FillLargeDictionary(source);
    const std::string bytes = ProjectFileWriter().Write(source, DeviceInfoSection{}, FileInfoSection{});
    for (auto _ : state) {
        ObjectDictionary dictionary;
        DeviceInfoSection deviceInfo;
        FileInfoSection fileInfo;
        ProjectFileReader().Load(bytes, dictionary, deviceInfo, fileInfo);
        benchmark::DoNotOptimize(dictionary.GetIndexCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadProjectFromMemory)->Unit(benchmark::kMicrosecond);

// The document's whole save and open, through the disk.
void BM_SaveAndOpenProjectFile(benchmark::State& state) {
    ConsolePlatform platform(std::cerr);
    CQuillmarkDoc doc(platform);
    FillLargeDictionary(doc.GetDictionary());
    const std::string path = (std::filesystem::temp_directory_path() / "qm_bench_project.prj").string();
    CQuillmarkDoc reader(platform);
    for (auto _ : state) {
        doc.SaveProjectFile(path);
        reader.OpenProjectFile(path);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAndOpenProjectFile)->Unit(benchmark::kMicrosecond);

}  // namespace
