// File › "Load" of a data logfile in the real main window, with its gauges,
// lamps and event list, laid out maximized on a 1280 x 800 screen: from the
// file dialog's OK to the last paint of the loaded chart. Beside it the
// project's own parse-only pass over the same file, the floor a load cannot
// go below. Files come from bench/support/BenchLogfiles.h.
#include "bench/support/BenchLogfiles.h"
#include "bench/support/OffscreenBenchmarkMain.h"
#include "bench/support/ProcessMemory.h"
#include "bench/support/RealMainWindow.h"
#include "playback/LogfileReader.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <string>

namespace {

using namespace BenchLogfiles;

void BM_LoadInRealWindow(benchmark::State& state)
{
    const QString path = logfileOf(int(state.range(0)));
    const int64_t lines = warmAndCountLines(path);
    double peakGrowth = 0;
    QSize chartSize;
    int64_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            RealMainWindow w;
            openRealMainWindow(w);
            chartSize = w.chart->size();
            w.files.answers.push_back(path);
            malloc_trim(0); // what an earlier repetition freed is not counted as kept
            const double before = statusMegabytes("VmRSS:");
            resetPeakMemory();
            state.ResumeTiming();

            w.window->controls().MenueFileLoad->trigger();
            QElapsedTimer waited;
            waited.start();
            while (w.chart->redrawPending() && !waited.hasExpired(10000))
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
            QCoreApplication::processEvents(); // the paint asked for last

            state.PauseTiming();
            peakGrowth = statusMegabytes("VmHWM:") - before;
            rows = w.chart->RowCount();
        }
        state.ResumeTiming();
    }
    const double megabytes = double(QFileInfo(path).size()) / 1e6;
    state.counters["lines"] = double(lines);
    state.counters["rows"] = double(rows);
    state.counters["peak_growth_MB"] = peakGrowth * 1.048576;
    state.counters["peak_per_file_size"] = peakGrowth * 1.048576 / megabytes;
    state.counters["chart_width"] = chartSize.width();
    state.counters["chart_height"] = chartSize.height();
}

// The reader alone into a sink that keeps nothing.
class DiscardingSink final : public ILogfileSink {
public:
    void infoLine(QByteArrayView line) override { bytes += line.size(); }
    void parameterRecord(const Record::Parameter&) override {}
    void plotRow(const PlotRow& row) override { sum += row.x + row.value[1]; }
    bool stopRequested() override { return false; }
    void yieldNow(int64_t) override {}
    double sum = 0;
    int64_t bytes = 0;
};

void BM_ParseOnly(benchmark::State& state)
{
    const QString path = logfileOf(int(state.range(0)));
    warmAndCountLines(path);
    for (auto _ : state) {
        DiscardingSink sink;
        LogfileReader reader;
        reader.readFile(path, sink);
        benchmark::DoNotOptimize(sink.sum);
    }
}

// The real window with a 2.3 GB logfile (22 M rows) loaded, kept for every
// zoom benchmark.
RealMainWindow& windowWithGigabyteFile()
{
    static RealMainWindow* w = [] {
        auto* made = new RealMainWindow;
        openRealMainWindow(*made);
        made->files.answers.push_back(logfileOf(2300));
        made->window->controls().MenueFileLoad->trigger();
        while (made->chart->redrawPending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        return made;
    }();
    return *w;
}

// One wheel step at the widest zoom (range(0) 0: the whole 32 days) or the
// narrowest (1: ten seconds), from the wheel event to the end of its paint;
// steps go in and out by turns so the level stays.
void BM_ZoomStepInRealWindow(benchmark::State& state)
{
    RealMainWindow& w = windowWithGigabyteFile();
    StripChartWidget& chart = *w.chart;
    chart.ShowAllRows();
    if (state.range(0) == 1) {
        for (int i = 0; i < 80; ++i)
            wheel(chart, 120);
    }
    QCoreApplication::processEvents();
    int turn = state.range(0) == 1 ? -120 : 120;
    for (auto _ : state) {
        wheel(chart, turn);
        turn = -turn;
        while (chart.redrawPending())
            QCoreApplication::processEvents();
    }
    state.counters["rows"] = double(chart.RowCount());
    state.counters["span_hours"] = chart.XAxisSpan() * 24.0;
    state.counters["chart_width"] = chart.width();
}

} // namespace

BENCHMARK(BM_ZoomStepInRealWindow)->Arg(0)->Arg(1)->Repetitions(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadInRealWindow)->Arg(20)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseOnly)->Arg(20)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return runBenchmarksOffscreen(argc, argv);
}
