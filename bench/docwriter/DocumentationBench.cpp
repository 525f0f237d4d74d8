#include <benchmark/benchmark.h>

#include "bench/LargeDictionary.h"
#include "check/DictionaryCheck.h"
#include "docwriter/DocumentationWriter.h"

namespace {

// The 2,000 x 20 device with its 128 PDOs, documented as the command does it: the check, then the
// whole document in memory. Target: under 200 ms in either format.
void BM_Document2000Indices(benchmark::State& state) {
    const auto format = static_cast<DocumentationFormat>(state.range(0));
    ObjectDictionary dictionary;
    FillPdoDevice(dictionary);
    const FileInfoSection fileInfo;
    DeviceInfoSection deviceInfo;
    deviceInfo.ProductName = "Synthetic device";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<Finding> findings = CheckDictionary(dictionary, deviceInfo);
        const std::string document = WriteDocumentation(
            {fileInfo, deviceInfo, dictionary, TextEncoding::Windows1252, "big.eds", findings}, format);
        bytes = document.size();
        benchmark::DoNotOptimize(document.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetLabel(format == DocumentationFormat::Markdown ? "markdown" : "html");
}
BENCHMARK(BM_Document2000Indices)
    ->Arg(static_cast<int>(DocumentationFormat::Markdown))
    ->Arg(static_cast<int>(DocumentationFormat::Html))
    ->Unit(benchmark::kMillisecond);

}  // namespace
