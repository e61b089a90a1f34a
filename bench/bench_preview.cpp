// How long a preview of a long list takes, against the bare work it cannot
// avoid: splitting the editor's text and asking the file system about every
// name. Run by hand:  build-bench/bench/bench_preview

#include "app/form1.h"
#include "editor/namelist.h"
#include "editor/transform.h"
#include "output/report.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/real_services.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kNames = 100'000;

QString editorText() {
    QStringList lines;
    lines.reserve(kNames);
    for (int i = 0; i < kNames; ++i)
        lines << QStringLiteral("Dossier numéro %1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

// The floor: split the text and ask the file system once per name.
void BM_Baseline_SplitAndStat(benchmark::State& state) {
    QTemporaryDir destination;
    const QString folder = ramulo::displayPath(destination.path());
    const QString text = editorText();
    ramulo::RealFileSystem files;
    for (auto _ : state) {
        int found = 0;
        for (const QString& line : ramulo::splitLines(text))
            found += files.folderExists(ramulo::joinPath(folder, line));
        benchmark::DoNotOptimize(found);
    }
}

// The pure report: transformation with every option on, the existence test
// and the duplicate check.
void BM_Report(benchmark::State& state) {
    QTemporaryDir destination;
    const QString folder = ramulo::displayPath(destination.path());
    const QString text = editorText();
    ramulo::RealFileSystem files;
    const ramulo::AddsSettings settings{true,
                                        "pre_",
                                        true,
                                        "_suff",
                                        ramulo::ForbiddenMode::Space,
                                        ramulo::SwapMode::SpaceToUnderscore};
    for (auto _ : state) {
        const auto report = ramulo::buildPreview(
            ramulo::splitLines(text),
            {ramulo::NameChain{settings, ramulo::CaseMode::Proper}, folder,
             [&](const QString& f, const QStringList& names) { return files.entriesIn(f, names); },
             files.nameRules(folder)});
        benchmark::DoNotOptimize(report.count);
    }
}

// The whole preview as the user starts it: the window reads the editor,
// fills the preview pane and the status bar.
void BM_WindowPreview(benchmark::State& state) {
    QTemporaryDir destination;
    Form1 window;
    window.livepreview->setValue(0);
    window.Dir1->setPath(destination.path());
    window.prefcheck->setValue(1);
    window.suffcheck->setValue(1);
    window.Combo1->setCurrentIndex(3);
    window.Text1->setText(editorText());
    for (auto _ : state) {
        window.Command2->click();
        benchmark::DoNotOptimize(window.rtb1->model()->rowCount());
    }
}

// Filling the editor with the whole list at once, as the name sources do.
void BM_EditorFill(benchmark::State& state) {
    Form1 window;
    window.livepreview->setValue(0);
    const QString text = editorText();
    for (auto _ : state) {
        window.Text1->setText(text);
        benchmark::DoNotOptimize(window.Text1->blockCount());
        state.PauseTiming(); // the editor holding the text already would make it a comparison
        window.Text1->setText(QString());
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Baseline_SplitAndStat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorFill)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
