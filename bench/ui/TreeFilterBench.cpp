#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>

#include "bench/LargeDictionary.h"
#include "bench/SyntheticDevice.h"
#include "document/CQuillmarkDoc.h"
#include "eds/CEdsWriter.h"
#include "eds/EdsResult.h"
#include "platform/ConsolePlatform.h"
#include "ui/app/CMainFrame.h"
#include "ui/tree_pane/CLeftPaneView.h"
#include "ui/tree_pane/CTreeFilterBar.h"
#include "ui/tree_pane/TreeFilter.h"

namespace {

constexpr unsigned IndexCount = 2000;
constexpr unsigned SubindicesPerIndex = 5;

const char* const Names[] = {"Transmit PDO Mapping", "Receive PDO Parameter", "Analogue Input",
                             "Digital Output Block", "Motor Current Limit",   "Encoder Resolution"};

// 2,000 RECORD indices, each with a header and five named subindices: 12,000 tree nodes.
void FillDictionary(ObjectDictionary& dictionary) {
    FillRecordIndices(dictionary, IndexCount, SubindicesPerIndex + 1, [](unsigned index, unsigned entry) {
        return std::string(Names[(index + entry) % 6]) + " " + std::to_string(index % 97 + entry);
    });
}

// Typing a word letter by letter and taking it back again, as a user narrows and widens the tree.
const QStringList& Keystrokes() {
    static const QStringList strokes = [] {
        const QString word = QStringLiteral("current 4");
        QStringList list;
        for (qsizetype i = 1; i <= word.size(); ++i) {
            list << word.left(i);
        }
        for (qsizetype i = word.size() - 1; i >= 0; --i) {
            list << word.left(i);
        }
        return list;
    }();
    return strokes;
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The rule alone: matching every index of the dictionary against one filter text.
void BM_MatchRuleOverDictionary(benchmark::State& state) {
    ObjectDictionary dictionary;
    FillDictionary(dictionary);
    const TreeFilter filter("current 4");
    for (auto _ : state) {
        int shown = 0;
        for (std::uint16_t position = 0; position < dictionary.GetIndexCount(); ++position) {
            shown += filter.Match(*dictionary.GetIndexAt(position)).visible ? 1 : 0;
        }
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_MatchRuleOverDictionary)->Unit(benchmark::kMillisecond);

// One keystroke in the shown editor's filter field, until the window has laid out and painted the
// narrowed tree.
void BM_FilterKeystrokeInTheEditor(benchmark::State& state) {
    ConsolePlatform platform(std::cerr);
    CQuillmarkDoc document(platform);
    CMainFrame frame(document, platform);
    document.OnNewDocument();
    FillDictionary(document.GetDictionary());
    frame.LeftPane()->BuildSkeleton("bench.eds");
    frame.LeftPane()->FillDictionary();
    frame.show();
    frame.FilterBar()->Open();
    QApplication::processEvents();

    QLineEdit* edit = frame.FilterBar()->Edit();
    qsizetype stroke = 0;
    for (auto _ : state) {
        edit->setText(Keystrokes()[stroke]);
        stroke = (stroke + 1) % Keystrokes().size();
        QApplication::processEvents();
    }
    state.counters["indices"] = IndexCount;
    // The average hides the strokes that show or hide most of the tree; the slowest one is the figure
    // a user feels.
    double worst = 0;
    for (const QString& text : Keystrokes()) {
        const double start = ThreadCpuMs();
        edit->setText(text);
        QApplication::processEvents();
        worst = std::max(worst, ThreadCpuMs() - start);
    }
    state.counters["worstKeystrokeCpuMs"] = worst;
}
BENCHMARK(BM_FilterKeystrokeInTheEditor)->Unit(benchmark::kMillisecond);

// The editor opening an EDS of `count` indices of 20 subindices, as the command line or a drop opens
// it: import, tree filled, window painted once. Building and closing the window are not timed.
void BM_OpenAndPaint(benchmark::State& state) {
    synthetic::Document source;
    synthetic::FillDocument(source, static_cast<int>(state.range(0)));
    ConsolePlatform platform(std::cerr);
    const std::string path = (std::filesystem::temp_directory_path() / "qm_bench_open.eds").string();
    if (CEdsWriter(path, source.dictionary, source.fileInfo, source.deviceInfo, platform).WriteFile() !=
        EdsExportResult::Success) {
        state.SkipWithError("could not write the input file");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<CQuillmarkDoc>(platform);
        auto frame = std::make_unique<CMainFrame>(*document, platform);
        document->OnNewDocument();
        frame->FinishStartup();
        frame->resize(CMainFrame::DefaultWidth, CMainFrame::DefaultHeight);
        frame->show();
        QApplication::processEvents();
        state.ResumeTiming();

        frame->LeftPane()->OpenFileDirectly(path, false);
        QApplication::processEvents();
        benchmark::DoNotOptimize(frame->grab());

        state.PauseTiming();
        frame.reset();
        document.reset();
        state.ResumeTiming();
    }
    state.counters["indices"] = static_cast<double>(state.range(0));
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenAndPaint)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

// The widgets need an application object that outlives every benchmark and goes before Qt's own
// globals do, so this program has a main of its own.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
