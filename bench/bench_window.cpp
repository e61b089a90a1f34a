// Ramulo's window on long lists, against the bare work it cannot avoid, in
// one run. Run by hand (see the README):
//     build-bench/bench/bench_window --benchmark_repetitions=5
//     build-bench/bench/bench_window --benchmark_filter=Create
//     build-bench/bench/bench_window --memory 100000 [same]
// Each figure is printed as the median of the repetitions, then as a ratio to
// its bare loop.

#include "app/form1.h"
#include "editor/namelist.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/real_services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

namespace {

// No box stops a benchmark: every question is answered OK.
class SilentMessages : public ramulo::MessageBoxes {
public:
    Answer show(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
};

std::unique_ptr<Form1> window() {
    ramulo::Services services;
    services.messages = std::make_shared<SilentMessages>();
    auto w = std::make_unique<Form1>(services);
    w->livepreview->setValue(0);
    return w;
}

QString names(int count) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Dossier numéro %1").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QByteArray systemName(const QString& path) {
    return QFile::encodeName(path);
}

// Refresh: the preview button over 100,000 distinct names, an empty destination.
void BM_Refresh_Bare(benchmark::State& state) {
    QTemporaryDir destination;
    const QString folder = ramulo::displayPath(destination.path());
    const QString text = names(100'000);
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        for (const QString& line : ramulo::splitLines(text))
            found += ::stat(systemName(ramulo::joinPath(folder, line)).constData(), &st) == 0;
        benchmark::DoNotOptimize(found);
    }
}
void BM_Refresh_Window(benchmark::State& state) {
    QTemporaryDir destination;
    auto w = window();
    w->Dir1->setPath(destination.path());
    // Two lists in turn, so that every preview reads a changed editor.
    const QString lists[] = {names(100'000), names(100'000).replace(u'D', u'd')};
    for (auto _ : state) {
        state.PauseTiming();
        w->Text1->setText(lists[state.iterations() % 2]);
        state.ResumeTiming();
        w->Command2->click();
        benchmark::DoNotOptimize(w->rtb1->model()->rowCount());
    }
}

// Creation: 10,000 folders, each run into a fresh, empty folder, which is
// removed afterwards; the disk settles before the next run. The time taken,
// and the processor time of the whole program meanwhile (all threads, system
// included), which waits on the disk do not count.
constexpr int kCreated = 10'000;
struct Took {
    double wall = 0, cpu = 0; // seconds
    Took& operator+=(const Took& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto s = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return s(usage.ru_utime) + s(usage.ru_stime);
}
Took timed(const std::function<void()>& work) {
    const double cpu = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            cpuSeconds() - cpu};
}
template <typename Make> Took timedCreation(Make make, int topFolders = kCreated) {
    QTemporaryDir destination;
    const QString folder = ramulo::displayPath(destination.path());
    const Took took = make(folder);
    if (QDir(folder).count() != uint(topFolders) + 2)
        std::fprintf(stderr, "not every folder was made\n");
    destination.remove();
    ::sync();
    return took;
}
Took bareCreation(const QString& text) {
    return timedCreation([&](const QString& folder) {
        return timed([&] {
            for (const QString& line : ramulo::splitLines(text))
                ::mkdir(systemName(ramulo::joinPath(folder, line)).constData(), 0777);
        });
    });
}
Took windowCreation(Form1& w, int topFolders = kCreated) {
    return timedCreation(
        [&](const QString& folder) {
            w.Dir1->setPath(folder);
            w.Command2->click(); // the create button opens on a clean preview
            return timed([&] { w.Command3->click(); });
        },
        topFolders);
}
// Both in turn, each going first every other time: the ratio of the sums,
// under the counters `name` and `cpu_name`. Timed apart, the two loops drift
// with the disk's moods by a factor of two.
void paired(benchmark::State& state, const std::function<Took()>& bareRun,
            const std::function<Took()>& windowRun, const std::string& name) {
    Took bare, mine;
    for (auto _ : state) {
        const bool bareFirst = state.iterations() % 2 == 0;
        if (bareFirst)
            bare += bareRun();
        const Took once = windowRun();
        mine += once;
        if (!bareFirst)
            bare += bareRun();
        state.SetIterationTime(once.wall);
    }
    state.counters[name] = mine.wall / bare.wall;
    state.counters["cpu_" + name] = mine.cpu / bare.cpu;
}
void BM_Create_Paired(benchmark::State& state) {
    auto w = window();
    const QString text = names(kCreated);
    w->Text1->setText(text);
    paired(
        state, [&] { return bareCreation(text); }, [&] { return windowCreation(*w); }, "ratio");
}

// Trees: two-level paths, "Dossier i/Sous j", for `first` first levels and
// `each` paths under each, with the tree entry of the forbidden characters.
QStringList treePaths(int first, int each) {
    QStringList lines;
    lines.reserve(first * each);
    for (int i = 0; i < first; ++i)
        for (int j = 0; j < each; ++j)
            lines << QStringLiteral("Dossier %1/Sous %2").arg(i).arg(j);
    return lines;
}
std::unique_ptr<Form1> treeWindow() {
    auto w = window();
    w->Combo3->setCurrentIndex(4);
    return w;
}

// The preview of 100,000 paths whose 1,000 first levels exist, against a bare
// stat loop over the same full paths.
struct TreeDestination {
    QTemporaryDir destination;
    QString folder = ramulo::displayPath(destination.path());
    TreeDestination() {
        for (int i = 0; i < 1000; ++i)
            QDir(folder).mkdir(QStringLiteral("Dossier %1").arg(i));
    }
};
void BM_TreeRefresh_Bare(benchmark::State& state) {
    TreeDestination d;
    const QString text = treePaths(1000, 100).join(QStringLiteral("\r\n"));
    for (auto _ : state) {
        int found = 0;
        struct stat st;
        for (const QString& line : ramulo::splitLines(text))
            found += ::stat(systemName(ramulo::joinPath(d.folder, line)).constData(), &st) == 0;
        benchmark::DoNotOptimize(found);
    }
}
void BM_TreeRefresh_Window(benchmark::State& state) {
    TreeDestination d;
    auto w = treeWindow();
    w->Dir1->setPath(d.folder);
    const QString list = treePaths(1000, 100).join(QStringLiteral("\r\n"));
    const QString lists[] = {list, QString(list).replace(u'S', u's')};
    for (auto _ : state) {
        state.PauseTiming();
        w->Text1->setText(lists[state.iterations() % 2]);
        state.ResumeTiming();
        w->Command2->click();
        if (w->rtb1->model()->rowCount() != 100'000 || !w->Command3->isEnabled())
            state.SkipWithError("the preview was not clean");
    }
}

// The creation of 100 x 100 paths, against a bare loop that makes each level
// with mkdir where stat finds nothing; paired as the flat creation is.
Took bareTreeCreation(const QStringList& paths) {
    return timedCreation(
        [&](const QString& folder) {
            return timed([&] {
                struct stat st;
                for (const QString& path : paths) {
                    const QString upper = ramulo::joinPath(folder, path.section(u'/', 0, 0));
                    for (const QString& level : {upper, ramulo::joinPath(folder, path)})
                        if (::stat(systemName(level).constData(), &st) != 0)
                            ::mkdir(systemName(level).constData(), 0777);
                }
            });
        },
        100);
}
void BM_TreeCreate_Paired(benchmark::State& state) {
    auto w = treeWindow();
    const QStringList paths = treePaths(100, 100);
    w->Text1->setText(paths.join(QStringLiteral("\r\n")));
    paired(
        state, [&] { return bareTreeCreation(paths); }, [&] { return windowCreation(*w, 100); },
        "tree_ratio");
}

// Generation: the "séquence" button with a count of 100,000, no automatic preview.
void BM_Generate_Bare(benchmark::State& state) {
    QPlainTextEdit editor;
    for (auto _ : state) {
        QStringList lines;
        lines.reserve(100'000);
        for (int i = 1; i <= 100'000; ++i)
            lines << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        editor.setPlainText(lines.join(QStringLiteral("\r\n")));
        benchmark::DoNotOptimize(editor.blockCount());
        state.PauseTiming();
        editor.clear();
        state.ResumeTiming();
    }
}
void BM_Generate_Window(benchmark::State& state) {
    auto w = window();
    w->Text3->setText(QStringLiteral("100000"));
    for (auto _ : state) {
        state.PauseTiming();
        w->Option1[1]->click(); // the other mode, so that "séquence" is a change
        w->Text1->setText(QString());
        state.ResumeTiming();
        w->Option1[0]->click();
        if (w->Text1->blockCount() != 100'000)
            state.SkipWithError("the list was not generated");
    }
}

// Preset loading: a 100,000-line preset.
struct Preset {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("Grand.txt"));
    Preset() {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(names(100'000).toUtf8());
    }
};
void BM_Preset_Bare(benchmark::State& state) {
    Preset preset;
    QPlainTextEdit editor;
    for (auto _ : state) {
        QFile file(preset.path);
        file.open(QIODevice::ReadOnly);
        editor.setPlainText(QString::fromUtf8(file.readAll()));
        benchmark::DoNotOptimize(editor.blockCount());
        state.PauseTiming();
        editor.clear();
        state.ResumeTiming();
    }
}
void BM_Preset_Window(benchmark::State& state) {
    Preset preset;
    auto w = window();
    w->File1->setFolders({preset.folder.path()});
    for (auto _ : state) {
        state.PauseTiming();
        w->File1->clearSelection();
        w->File1->setCurrentRow(-1);
        w->Text1->setText(QString());
        state.ResumeTiming();
        w->File1->setCurrentRow(0);
        if (w->Text1->blockCount() != 100'000)
            state.SkipWithError("the preset was not loaded");
    }
}

// One key typed into the prefix box, automatic preview on.
void BM_Key(benchmark::State& state) {
    QTemporaryDir destination;
    auto w = window();
    w->Dir1->setPath(destination.path());
    w->Text1->setText(names(static_cast<int>(state.range(0))));
    w->prefcheck->setValue(1);
    w->livepreview->setValue(1);
    for (auto _ : state) {
        QTest::keyClick(w->preftext, Qt::Key_X);
        state.PauseTiming();
        w->preftext->setText(QStringLiteral("pre_"));
        state.ResumeTiming();
    }
}

// The figures of the preview at the limit, each against its bare loop timed
// right after it in the same run: the median of five, in milliseconds.
double median(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}
double medianMs(const std::function<void()>& work, const std::function<void()>& before = {}) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        if (before)
            before();
        times.push_back(timed(work).wall * 1000);
    }
    return median(times);
}
// What the preview cannot avoid: splitting the text and asking the system about each path.
double bareMs(const QString& folder, const QString& text) {
    return medianMs([&] {
        int found = 0;
        struct stat st;
        for (const QString& line : ramulo::splitLines(text))
            found += ::stat(systemName(folder + u'/' + line).constData(), &st) == 0;
        benchmark::DoNotOptimize(found);
    });
}
void printFigure(const char* figure, double mine, double bare) {
    std::printf("%-34s %8.1f ms %8.1f ms %6.2f\n", figure, mine, bare, mine / bare);
}
QString clientPaths() {
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        for (int j = 0; j < 100; ++j)
            lines << QStringLiteral("Client %1/Dossier %2")
                         .arg(i, 4, 10, QLatin1Char('0'))
                         .arg(j, 3, 10, QLatin1Char('0'));
    return lines.join(QStringLiteral("\r\n"));
}
// Only the figures whose name holds `only`, when it is given.
int figures(const char* only) {
    const auto wanted = [only](const char* figure) {
        return !only || std::strstr(figure, only);
    };
    std::printf("%-34s %11s %11s %6s\n", "figure", "window", "bare", "ratio");
    for (const int count : {10'000, 100'000}) {
        if (!wanted(count == 10'000 ? "key10" : "key100 flat"))
            continue;
        QTemporaryDir destination;
        auto w = window();
        w->Dir1->setPath(destination.path());
        const QString text = names(count);
        w->Text1->setText(text);
        w->prefcheck->setValue(1);
        w->livepreview->setValue(1);
        const double key = medianMs([&] { QTest::keyClick(w->preftext, Qt::Key_X); });
        printFigure(count == 10'000 ? "one key, 10,000 names" : "one key, 100,000 names", key,
                    bareMs(w->Dir1->path(), text));
        if (count == 10'000)
            continue;
        w->livepreview->setValue(0);
        const double click = medianMs([&] { QTest::mouseClick(w->Command2, Qt::LeftButton); });
        printFigure("preview, 100,000 names", click, bareMs(w->Dir1->path(), text));
    }
    if (wanted("tree")) {
        QTemporaryDir destination;
        for (int i = 0; i < 1000; ++i)
            QDir(destination.path())
                .mkdir(QStringLiteral("Client %1").arg(i, 4, 10, QLatin1Char('0')));
        auto w = treeWindow();
        w->Dir1->setPath(destination.path());
        const QString text = clientPaths();
        w->Text1->setText(text);
        const double same = medianMs([&] { QTest::mouseClick(w->Command2, Qt::LeftButton); });
        if (!w->Command3->isEnabled())
            std::printf("the tree's preview was not clean\n");
        printFigure("preview, 100,000 paths", same, bareMs(w->Dir1->path(), text));
        const QString lists[] = {QString(text).replace(u'D', u'd'), text};
        int turn = 0;
        const double changed = medianMs([&] { QTest::mouseClick(w->Command2, Qt::LeftButton); },
                                        [&] { w->Text1->setText(lists[turn++ % 2]); });
        printFigure("preview, 100,000 paths, new text", changed, bareMs(w->Dir1->path(), text));
    }
    return 0;
}

// The longest time the window's event loop did not turn while the work ran.
double longestFreezeMs(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticks.start(5);
    work();
    return double(std::max(longest, clock.elapsed() - last));
}
// A million names generated then previewed, and 100,000 generated and made.
int freezes() {
    QTemporaryDir destination;
    auto w = window();
    w->Dir1->setPath(destination.path());
    w->livepreview->setValue(1);
    w->prefcheck->setValue(1);
    const auto report = [](const char* what, double ms) {
        std::printf("%-44s longest freeze %6.0f ms\n", what, ms);
    };
    report("a million names generated, previewed",
           longestFreezeMs([&] { w->Text3->setText(QStringLiteral("1000000")); }));
    report("the preview button, a million names",
           longestFreezeMs([&] { QTest::mouseClick(w->Command2, Qt::LeftButton); }));
    report("a million names, one key in the prefix box",
           longestFreezeMs([&] { QTest::keyClick(w->preftext, Qt::Key_X); }));
    w->Text3->setText(QStringLiteral("100000"));
    report("100,000 folders made",
           longestFreezeMs([&] { QTest::mouseClick(w->Command3, Qt::LeftButton); }));
    std::printf("%lld folders in the destination\n",
                static_cast<long long>(QDir(destination.path()).count()) - 2);
    return 0;
}

// The median of each benchmark's repetitions, kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medianMs;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median" ||
                (run.run_type == Run::RT_Iteration && !medianMs.count(run.run_name.function_name)))
                medianMs[run.run_name.function_name +
                         (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] =
                    run.GetAdjustedRealTime();
        for (const Run& run : runs)
            if (run.aggregate_name == "median" || run.run_type == Run::RT_Iteration)
                for (const auto& [name, counter] : run.counters)
                    counters[name] = counter;
    }
    std::map<std::string, double> counters; // the paired creation's ratios
};

// Peak memory, in its own process: the names loaded and previewed; with
// `same`, one name on every line, each line repeating all those above.
int peakMemory(int count, bool same) {
    QTemporaryDir destination;
    auto w = window();
    w->Dir1->setPath(destination.path());
    w->Text1->setText(same ? QStringList(count, QStringLiteral("Dossier")).join("\r\n")
                           : names(count));
    const auto stage = [](const char* what) {
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS") || line.startsWith("VmHWM"))
                std::printf("%s: %s\n", what, line.simplified().constData());
    };
    stage("loaded");
    w->Command2->click();
    stage("previewed");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d names loaded and previewed: peak %.0f MB\n", w->rtb1->model()->rowCount(),
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

} // namespace

BENCHMARK(BM_Refresh_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refresh_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Preset_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Preset_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Key)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRefresh_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeRefresh_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeCreate_Paired)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
// Last: the disk keeps the host busy for a while after it, which slows whatever runs next.
BENCHMARK(BM_Create_Paired)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ramulo::returnLargeBlocks(); // as the program does
    QApplication app(argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--freezes")
        return freezes();
    if (argc >= 2 && QByteArray(argv[1]) == "--figures")
        return figures(argc > 2 ? argv[2] : nullptr);
    if (argc >= 3 && QByteArray(argv[1]) == "--memory")
        return peakMemory(QByteArray(argv[2]).toInt(), argc > 3 && QByteArray(argv[3]) == "same");
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ms = [&](const char* name) {
        return reporter.medianMs[name];
    };
    std::printf("\nfigure                 window      bare   ratio\n");
    for (const char* figure : {"Refresh", "Generate", "Preset", "TreeRefresh"}) {
        const std::string bare = std::string("BM_") + figure + "_Bare";
        const std::string mine = std::string("BM_") + figure + "_Window";
        if (ms(bare.c_str()) > 0 && ms(mine.c_str()) > 0)
            std::printf("%-16s %9.1f ms %6.1f ms %6.2f\n", figure, ms(mine.c_str()),
                        ms(bare.c_str()), ms(mine.c_str()) / ms(bare.c_str()));
    }
    if (reporter.counters.count("ratio"))
        std::printf("%-16s %28.2f (processor time: %.2f)\n", "Create", reporter.counters["ratio"],
                    reporter.counters["cpu_ratio"]);
    if (reporter.counters.count("tree_ratio"))
        std::printf("%-16s %28.2f (processor time: %.2f)\n", "TreeCreate",
                    reporter.counters["tree_ratio"], reporter.counters["cpu_tree_ratio"]);
    for (const char* key : {"BM_Key/10000", "BM_Key/100000"})
        if (ms(key) > 0)
            std::printf("%-16s %9.1f ms, %.2f bare existence loops\n", key + 3, ms(key),
                        ms("BM_Refresh_Bare") > 0 ? ms(key) / ms("BM_Refresh_Bare") : 0.0);
    return 0;
}
