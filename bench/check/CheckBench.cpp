#include <benchmark/benchmark.h>

#include "bench/LargeDictionary.h"
#include "check/DictionaryCheck.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"

namespace {

void BM_Check2000Indices(benchmark::State& state) {
    ObjectDictionary dictionary;
    FillPdoDevice(dictionary);
    DeviceInfoSection deviceInfo;
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = CheckDictionary(dictionary, deviceInfo).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["indices"] = dictionary.GetIndexCount();
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_Check2000Indices)->Unit(benchmark::kMillisecond);

}  // namespace
