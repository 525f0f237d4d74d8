#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "document/CQuillmarkDoc.h"
#include "document/ProjectFileReader.h"
#include "document/ProjectFileWriter.h"
#include "model/NameTables.h"
#include "platform/ConsolePlatform.h"

namespace {

// The largest project the format holds in indices: 255 RECORD indices with a header and 19
// subindices each.
void FillLargeDictionary(ObjectDictionary& dictionary) {
    for (unsigned n = 0; n < 255; ++n) {
        auto index = std::make_unique<IndexEntry>();
        index->index = static_cast<std::uint16_t>(0x2000 + n);
        index->headerSubindex = HeaderStructured;
        index->entryCount = 20;
        index->category = "manufacturer";
        for (unsigned s = 0; s < 20; ++s) {
            auto entry = std::make_unique<SubindexEntry>();
            entry->index = index->index;
            entry->subindex = s == 0 ? HeaderStructured : static_cast<std::uint16_t>(s - 1);
            entry->objectType = s == 0 ? ObjectCode::Record : ObjectCode::Var;
            entry->dataType = s == 0 ? 0 : DataTypeCode::Uint32;
            entry->accessType = "rw";
            entry->defaultValue = "0x12345678";
            entry->lowLimit = "0x0";
            entry->highLimit = "0xFFFFFFFF";
            entry->name = "Parameter number " + std::to_string(s);
            index->subindices.push_back(std::move(entry));
        }
        dictionary.InsertIndex(std::move(index));
    }
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
