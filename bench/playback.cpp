// Loading data logfiles of 10 MB, 100 MB and 1 GB, parsed and plotted into the
// strip chart on one thread, as File › "Load" does it (yields included), and
// a 20 MB file of empty lines against a record file of the same size.
// The files are written once by the evaluator simulator (or, without it, by
// a generator here) and kept in /tmp/veltra-bench; each is read through once
// before timing so the file cache is warm.
#include "bench/support/BenchLogfiles.h"
#include "bench/support/OffscreenBenchmarkMain.h"
#include "display/MainControls.h"
#include "chart/StripChartWidget.h"
#include "link/MeasurementState.h"
#include "config/ConfigValues.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"
#include "playback/LogfileReader.h"
#include "playback/PlaybackController.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace BenchLogfiles;

class OneAnswerDialog final : public IFileDialog {
public:
    QString path;
    QString getOpenFileName(const QString&, const QString&) override { return path; }
    QString getSaveFileName(const QString&, const QString&) override { return path; }
};

class SilentMessageBox final : public IMessageBox {
public:
    void show(const QString&, const QString&, MessageIcon) override {}
};

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void setCounters(benchmark::State& state, const QString& path, int64_t lines)
{
    const double bytes = double(QFileInfo(path).size());
    state.counters["lines/s"] = benchmark::Counter(double(lines), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes/s"] = benchmark::Counter(bytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["lines"] = double(lines);
    state.counters["peakRSS_MB"] = peakRssMegabytes();
}

// Resident memory now (the peak says nothing about what a load keeps).
double currentRssMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(getpagesize()) / (1024.0 * 1024.0) : 0;
}

// A file of nothing but empty lines: each is an event list line.
QString emptyLinesFileOf(int megabytes)
{
    QDir().mkpath(CacheDir);
    const QString path = CacheDir + QStringLiteral("/empty-lines-%1M.vlg").arg(megabytes);
    const qint64 bytes = qint64(megabytes) * 1000000;
    if (QFileInfo(path).size() == bytes)
        return path;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QByteArray block;
        for (int i = 0; i < (1 << 19); ++i)
            block += "\r\n";
        for (qint64 written = 0; written < bytes; written += block.size())
            f.write(block.constData(), std::min<qint64>(block.size(), bytes - written));
    }
    return path;
}

// One File › "Load" into the real chart, event list and progress bar, shown
// as on the window; the window is gone again when it returns. Memory is
// measured after the load, before the window goes.
void loadIntoChart(benchmark::State& state, const QString& path, bool allValues, int64_t* rows, double* rssGrowth)
{
    state.PauseTiming();
    auto chart = std::make_unique<StripChartWidget>();
    chart->resize(1200, 400);
    chart->show();
    MainControls c;
    QWidget root;
    c.iStripChartX1 = chart.get();
    c.Txt_event = new QPlainTextEdit(&root);
    c.Txt_event->setReadOnly(true);
    for (int s = 1; s <= 6; ++s) {
        c.CheckShow[s] = new QCheckBox(&root);
        c.CheckShow[s]->setChecked(true);
    }
    for (int v = 1; v <= 5; ++v) {
        c.CheckChartDisplay[v] = new QCheckBox(&root);
        c.CheckChartDisplay[v]->setChecked(allValues || v == 2 || v == 4);
        c.OptionDisplayGauge[v] = new QRadioButton(&root);
    }
    MeasurementState measurement;
    ConfigValues config;
    PlaybackState playback;
    OneAnswerDialog dialog;
    dialog.path = path;
    SilentMessageBox messages;
    PlaybackController controller(c, measurement, config, playback, dialog, messages, nullptr, nullptr);
    QProgressBar bar; // as in the status bar: updated at every yield
    bar.show();
    controller.setProgressBar(&bar);
    const double rssBefore = currentRssMegabytes();
    state.ResumeTiming();

    controller.MenueFileLoad_Click();
    QCoreApplication::processEvents(); // the first paint of the loaded chart

    state.PauseTiming();
    *rssGrowth = currentRssMegabytes() - rssBefore;
    *rows = chart->RowCount();
    chart.reset();
    state.ResumeTiming();
}

// The whole of File › "Load" of a record file of range(0) MB; range(1) is
// the number of values charted: 2 (the window's default) or 5.
void BM_LoadIntoChart(benchmark::State& state)
{
    const QString path = logfileOf(int(state.range(0)));
    const int64_t lines = warmAndCountLines(path);
    int64_t rows = 0;
    double rssGrowth = 0;
    for (auto _ : state)
        loadIntoChart(state, path, state.range(1) == 5, &rows, &rssGrowth);
    setCounters(state, path, lines);
    state.counters["rows"] = double(rows);
    state.counters["rssGrowth_MB"] = rssGrowth;
}

// The same load of a file of range(0) MB of empty lines.
void BM_LoadEmptyLines(benchmark::State& state)
{
    const QString path = emptyLinesFileOf(int(state.range(0)));
    const int64_t lines = warmAndCountLines(path);
    int64_t rows = 0;
    double rssGrowth = 0;
    for (auto _ : state)
        loadIntoChart(state, path, false, &rows, &rssGrowth);
    setCounters(state, path, lines);
    state.counters["rssGrowth_MB"] = rssGrowth;
}

// The reader alone, into a sink that only counts: the parsing share.
class CountingSink final : public ILogfileSink {
public:
    void infoLine(QByteArrayView) override { ++infos; }
    void parameterRecord(const Record::Parameter&) override {}
    void plotRow(const PlotRow& row) override
    {
        if (rows++ == 0)
            firstX = row.x;
        checksum += row.value[1] + row.value[4];
        xSum += row.x - firstX;
    }
    bool stopRequested() override { return false; }
    void yieldNow(int64_t) override {}
    int64_t infos = 0, rows = 0;
    double checksum = 0, firstX = 0, xSum = 0;
};

void BM_ReadOnly(benchmark::State& state)
{
    const QString path = logfileOf(int(state.range(0)));
    const int64_t lines = warmAndCountLines(path);
    CountingSink last;
    for (auto _ : state) {
        CountingSink sink;
        LogfileReader reader;
        reader.readFile(path, sink);
        benchmark::DoNotOptimize(static_cast<const int64_t&>(sink.rows));
        last = sink;
    }
    setCounters(state, path, lines);
    // What was read, to tell a faster reader that reads differently.
    state.counters["rows"] = double(last.rows);
    state.counters["value_sum"] = last.checksum;
    state.counters["x_sum"] = last.xSum;
}

} // namespace

BENCHMARK(BM_ReadOnly)->Arg(10)->Arg(100)->Arg(1000)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadIntoChart)->Args({10, 2})->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadIntoChart)->Args({20, 2})->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadEmptyLines)->Arg(20)->Arg(60)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadIntoChart)->Args({100, 2})->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadIntoChart)->Args({1000, 2})->Args({1000, 5})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return runBenchmarksOffscreen(argc, argv);
}
