#include <benchmark/benchmark.h>

#include "bench/LargeDictionary.h"
#include "document/UndoHistory.h"

namespace {

struct LargeDocument {
    // 2,000 RECORD indices with a header and five subindices each.
    LargeDocument() { FillRecordIndices(dictionary, 2000, 6); }
    LiveContent Live() const { return {dictionary, deviceInfo, fileInfo, name}; }

    ObjectDictionary dictionary;
    DeviceInfoSection deviceInfo;
    FileInfoSection fileInfo;
    ProjectName name;
};

// The first step copies everything.
void BM_FirstSnapshot(benchmark::State& state) {
    const LargeDocument document;
    std::size_t bytes = 0;
    for (auto _ : state) {
        UndoHistory history;
        history.Record({"Edit index 0x2000", {}, {}, false}, document.Live());
        bytes = history.MemoryUsed();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FirstSnapshot)->Unit(benchmark::kMillisecond);

// Every later step shares the indices that did not change: here one index changes per step.
void BM_RecordOneChangedIndex(benchmark::State& state) {
    LargeDocument document;
    UndoHistory history;
    history.Record({"first", {}, {}, false}, document.Live());
    const std::size_t first = history.MemoryUsed();
    std::uint16_t position = 0;
    for (auto _ : state) {
        document.dictionary.GetIndexAt(position)->Header()->name += "x";
        position = static_cast<std::uint16_t>((position + 1) % 2000);
        history.Record({"Edit index", {}, {}, false}, document.Live());
    }
    state.counters["bytesPerStep"] =
        static_cast<double>(history.MemoryUsed() - first) / static_cast<double>(history.UndoCount() - 1);
}
BENCHMARK(BM_RecordOneChangedIndex)->Unit(benchmark::kMillisecond)->Iterations(99);

// Undo and redo each copy the live content aside and rebuild the other from its snapshot.
void BM_UndoAndRedo(benchmark::State& state) {
    LargeDocument document;
    UndoHistory history;
    history.Record({"Edit index 0x2000", {}, {}, false}, document.Live());
    document.dictionary.GetIndexAt(0)->Header()->name = "changed";
    for (auto _ : state) {
        RestoredContent before = history.Undo(document.Live());
        RestoredContent after =
            history.Redo({*before.dictionary, *before.deviceInfo, *before.fileInfo, before.name});
        benchmark::DoNotOptimize(after.dictionary->GetIndexCount());
    }
}
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMillisecond);

}  // namespace
