// File › History… in the real main window (its chart, gauges, lamps and
// event list, laid out maximized on a 1280 x 800 screen) over the data set
// of the history benchmark (support/HistoryBenchSet.h), its summaries built:
// the whole range on screen, from OK to the last paint; one zoom or pan step
// at each level, from the gesture to the end of its paint; a step that reads
// the records of two daily files; and the share of a core that keeping
// today's summaries up to date takes while measuring.
//
//   VELTRA_HISTORY_BENCH=year build/bench/bench_history_window
//       --benchmark_enable_random_interleaving=true --benchmark_repetitions=5
#include "bench/support/HistoryBenchSet.h"
#include "bench/support/ProcessMemory.h"
#include "bench/support/RealMainWindow.h"
#include "history/HistoryBuilder.h"
#include "history/ForecastWatcher.h"
#include "history/HistoryFollower.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"
#include "chart/StripChartTime.h"
#include "core/LogLine.h"
#include "playback/HistoryChartSource.h"
#include "playback/HistoryController.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <limits>
#include <string>
#include <sys/resource.h>

namespace {

const HistoryBenchSet Set = HistoryBenchSet::chosen();
const QString Installation = QStringLiteral("Main_Engine");

// The summaries of the whole set, in the store a window opens beside them.
bool summariesBuilt()
{
    static const bool built = [] {
        if (!Set.make())
            return false;
        HistoryBuilder builder({SummaryStore::defaultPath(Set.dir()), Set.dir(), Installation, false, 2});
        const BuildResult result = builder.buildAll(LogfileCatalog(Set.dir()).files(Installation));
        return result.complete() && result.fileErrors.isEmpty();
    }();
    return built;
}

HistoryChoice wholeSet()
{
    HistoryChoice choice;
    choice.folder = Set.dir();
    choice.installation = Installation;
    choice.days = {Set.from, Set.to()};
    choice.values[2] = choice.values[4] = true;
    for (int s = 1; s <= 6; ++s)
        choice.sensors[s] = true;
    return choice;
}

// Runs the window's events until the chart has nothing more to paint and
// the building of summaries has ended.
void settle(RealMainWindow& w)
{
    QElapsedTimer waited;
    waited.start();
    while ((w.chart->redrawPending() || w.window->history()->building()) && !waited.hasExpired(60000))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
}

void BM_HistoryWholeRangeInRealWindow(benchmark::State& state)
{
    if (!summariesBuilt()) {
        state.SkipWithError("no data set");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        {
            RealMainWindow w;
            openRealMainWindow(w);
            state.ResumeTiming();
            w.window->history()->open(wholeSet());
            settle(w);
            state.PauseTiming();
            state.counters["rows"] = double(w.chart->shownRows().rowCount());
        }
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = statusMegabytes("VmHWM:");
}

RealMainWindow& windowWithTheSet()
{
    static RealMainWindow* w = [] {
        auto* made = new RealMainWindow;
        openRealMainWindow(*made);
        made->window->history()->open(wholeSet());
        settle(*made);
        return made;
    }();
    return *w;
}

void key(StripChartWidget& chart, int code)
{
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
    QCoreApplication::sendEvent(&chart, &event);
}

void paintOut(StripChartWidget& chart)
{
    while (chart.redrawPending())
        QCoreApplication::processEvents();
}

// Zoom steps in and out by turns and pan steps left and right by turns, at
// a level: 0 the whole set, then a month, a day and an hour (records) in
// its middle.
void BM_HistoryStepInRealWindow(benchmark::State& state)
{
    if (!summariesBuilt()) {
        state.SkipWithError("no data set");
        return;
    }
    RealMainWindow& w = windowWithTheSet();
    StripChartWidget& chart = *w.chart;
    chart.ShowAllRows();
    static const int StepsIn[] = {0, 12, 27, 40};
    for (int i = 0; i < StepsIn[state.range(0)]; ++i)
        wheel(chart, 120);
    paintOut(chart);
    int turn = 0;
    for (auto _ : state) {
        switch (turn++ % 4) {
        case 0: wheel(chart, 120); break;
        case 1: wheel(chart, -120); break;
        case 2: key(chart, Qt::Key_Left); break;
        default: key(chart, Qt::Key_Right); break;
        }
        paintOut(chart);
    }
    auto* source = w.window->history()->source();
    state.counters["span_hours"] = chart.XAxisSpan() * 24.0;
    state.counters["records"] = source && source->showsRecords() ? 1 : 0;
    state.counters["peak_MB"] = statusMegabytes("VmHWM:");
}

// A view of two hours across midnight, the records read before forgotten:
// each pan step reads the records of two daily files.
void BM_HistoryRecordsStepInRealWindow(benchmark::State& state)
{
    if (!summariesBuilt()) {
        state.SkipWithError("no data set");
        return;
    }
    RealMainWindow& w = windowWithTheSet();
    StripChartWidget& chart = *w.chart;
    HistoryChartSource& source = *w.window->history()->source();
    const double midnight =
        chartDaysFromInstant(QDateTime(Set.from.addDays(Set.days / 2), QTime(0, 0)).toSecsSinceEpoch());
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        chart.showRange(midnight - 1.0 / 24.0, midnight + 1.0 / 24.0);
        paintOut(chart);
        source.invalidate(0, std::numeric_limits<int64_t>::max() / 2);
        state.ResumeTiming();
        key(chart, turn++ % 2 ? Qt::Key_Left : Qt::Key_Right);
        paintOut(chart);
    }
    state.counters["records"] = source.showsRecords() ? 1 : 0;
    state.counters["peak_MB"] = statusMegabytes("VmHWM:");
}

// CPU time (all threads) of bringing today's summaries up to date after a
// minute of lines, as the follower does once a minute while measuring; the
// share of a core is that over the minute.
void BM_TodayFollowedWhileMeasuring(benchmark::State& state)
{
    if (!Set.make()) {
        state.SkipWithError("no data set");
        return;
    }
    QTemporaryDir folder;
    const QList<LogfileInfo> files = LogfileCatalog(Set.dir()).files(Installation);
    QFile day(files.at(files.size() / 2).path);
    day.open(QIODevice::ReadOnly);
    const QByteArray all = day.readAll();
    const QString today = LogLine::logfileName(folder.path() + QLatin1Char('/'), LogLine::fileDate(QDateTime::currentDateTime()),
                                               Installation);
    // The day's lines up to noon, then a minute more for each update.
    qsizetype written = all.indexOf('\n', all.size() / 2) + 1;
    QFile out(today);
    out.open(QIODevice::WriteOnly);
    out.write(all.left(written));
    out.flush();
    const qsizetype perMinute = all.size() / 1440;
    SystemClock clock;
    HistoryFollower follower(clock);
    follower.follow(folder.path() + QLatin1Char('/'), Installation, false);
    QSignalSpy updated(&follower, &HistoryFollower::updated);
    follower.updateNow();
    updated.wait(60000);
    double cpu = 0;
    for (auto _ : state) {
        const qsizetype end = all.indexOf('\n', std::min(written + perMinute, all.size() - 1)) + 1;
        out.write(all.mid(written, end - written));
        out.flush();
        written = end;
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        updated.clear();
        follower.updateNow();
        updated.wait(60000);
        getrusage(RUSAGE_SELF, &after);
        const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        cpu += seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
    }
    state.counters["cpu_ms_per_minute"] = cpu * 1000.0 / double(state.iterations());
    state.counters["core_share_percent"] = cpu / double(state.iterations()) / 60.0 * 100.0;
}

// The live window's forecast once a minute: the logfiles of its window
// checked (all summarised already), the forecasts of 30 series worked out on
// the background thread; CPU time of all threads.
void BM_LiveForecastEachMinute(benchmark::State& state)
{
    if (!summariesBuilt()) {
        state.SkipWithError("no data set");
        return;
    }
    FakeClock clock(QDateTime(Set.to(), QTime(23, 0)));
    ForecastWatcher watcher(clock);
    QSignalSpy updated(&watcher, &ForecastWatcher::updated);
    double cpu = 0;
    for (auto _ : state) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        watcher.update(Set.dir(), Installation, false, std::nullopt, 30);
        updated.wait(60000);
        getrusage(RUSAGE_SELF, &after);
        const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        cpu += seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
    }
    state.counters["cpu_ms_per_minute"] = cpu * 1000.0 / double(state.iterations());
    state.counters["core_share_percent"] = cpu / double(state.iterations()) / 60.0 * 100.0;
    state.counters["forecasts"] = double(watcher.latest().size());
}

} // namespace

BENCHMARK(BM_HistoryWholeRangeInRealWindow)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HistoryStepInRealWindow)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HistoryRecordsStepInRealWindow)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LiveForecastEachMinute)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TodayFollowedWhileMeasuring)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// The small set's run in CI checks what the benchmarks measure: the whole
// range drawn from the hour summaries, an hour of it from the records.
bool windowShowsTheSet()
{
    if (!summariesBuilt()) {
        std::fprintf(stderr, "history window bench: no data set or no summaries\n");
        return false;
    }
    RealMainWindow& w = windowWithTheSet();
    HistoryChartSource* source = w.window->history()->source();
    const bool whole = source && w.chart->shownRows().rowCount() > 0 && !source->showsRecords();
    const double middle = chartDaysFromInstant(QDateTime(Set.from.addDays(Set.days / 2), QTime(12, 0)).toSecsSinceEpoch());
    w.chart->showRange(middle, middle + 1.0 / 24.0);
    paintOut(*w.chart);
    const bool hour = source && source->showsRecords() && w.chart->shownRows().rowCount() > 0;
    w.chart->ShowAllRows();
    paintOut(*w.chart);
    if (!whole || !hour)
        std::fprintf(stderr, "history window bench: the whole range %s, an hour %s\n", whole ? "shows" : "is empty",
                     hour ? "shows records" : "shows no records");
    return whole && hour;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv) || !windowShowsTheSet())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
