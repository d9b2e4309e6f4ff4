// Strip chart speed and size: painting a full live day and a long playback,
// a live tick with a full day in the chart, adding rows, memory per row, and
// moving the cursor.
#include "bench/support/OffscreenBenchmarkMain.h"
#include "chart/StripChartWidget.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 46000.0; // a day in 2025
constexpr int kWidth = 1920;
constexpr int kHeight = 800;
constexpr int64_t kLiveDayRows = 345600; // four rows a second
constexpr int64_t kPlaybackRows = 22000000;

double residentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb * 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

struct Built {
    std::unique_ptr<StripChartWidget> chart;
    double rssDelta = 0;
};

Built buildLiveDay()
{
    const double before = residentBytes();
    Built built;
    built.chart = std::make_unique<StripChartWidget>();
    StripChartWidget& chart = *built.chart;
    chart.resize(kWidth, kHeight);
    for (int c = 0; c < 30; ++c)
        chart.AddChannel(QStringLiteral("Value %1").arg(c), 0x00FF00u + uint32_t(c) * 0x070301u, c % 5, c % 5 == 0 ? 2 : 1);
    for (int c = 0; c < 30; ++c)
        chart.SetChannelVisible(c, c < 10);
    chart.SetBufferSize(kLiveDayRows);
    chart.SetAutoRowDrop(true);
    chart.SetYAxisRange(-30, 150);
    chart.SetXAxisSpan(1.0);
    for (int64_t i = 0; i < kLiveDayRows; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + double(i) * kSecond / 4);
        for (int c = 0; c < 30; ++c)
            chart.SetChannelValue(c, -1, 5.0 * c + 10.0 * std::sin(double(i) * 0.0007 + c) + double((i * 7919 + c) % 13));
        chart.EndRow();
    }
    built.rssDelta = residentBytes() - before;
    return built;
}

// One sensor per row with two of its values, the way playback plots a file.
Built buildPlayback(int64_t rows)
{
    const double before = residentBytes();
    Built built;
    built.chart = std::make_unique<StripChartWidget>();
    StripChartWidget& chart = *built.chart;
    chart.resize(kWidth, kHeight);
    chart.AddChannel(QStringLiteral("Value  12"), 0x00FF00, 1, 1);
    chart.AddChannel(QStringLiteral("Value  14"), 0xFFFF00, 3, 1);
    chart.SetRowDropTarget(21000000);
    chart.SetBufferSize(22500000);
    chart.ReserveRows(22000000);
    chart.SetYAxisRange(-30, 150);
    chart.SetXAxisSpan(double(rows) * kSecond);
    for (int64_t i = 0; i < rows; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + double(i) * kSecond);
        chart.SetChannelValue(0, -1, 60.0 + 20.0 * std::sin(double(i) * 1e-4) + double(i % 7));
        chart.SetChannelValue(1, -1, 100.0 + double(i % 11));
        chart.EndRow();
    }
    built.rssDelta = residentBytes() - before;
    return built;
}

Built& liveDay()
{
    static Built built = buildLiveDay();
    return built;
}

Built& playback(int64_t rows)
{
    static Built small = buildPlayback(100000);
    static std::unique_ptr<Built> large;
    if (rows == 100000)
        return small;
    if (!large)
        large = std::make_unique<Built>(buildPlayback(kPlaybackRows));
    return *large;
}

void reportMemory(benchmark::State& state, const Built& built, int64_t rows)
{
    state.counters["store_MB"] = double(built.chart->store().memoryBytes()) / 1e6;
    state.counters["rss_delta_MB"] = built.rssDelta / 1e6;
    state.counters["bytes_per_row"] = double(built.chart->store().memoryBytes()) / double(rows);
}

void BM_MemoryLiveDay(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(liveDay().chart->RowCount());
    reportMemory(state, liveDay(), kLiveDayRows);
}

void BM_MemoryPlayback22M(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(playback(kPlaybackRows).chart->RowCount());
    reportMemory(state, playback(kPlaybackRows), kPlaybackRows);
}

void paint(benchmark::State& state, StripChartWidget& chart)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        chart.paintChart(painter, QRectF(0, 0, kWidth, kHeight));
    }
}

// range(0) of the 30 channels shown.
void BM_PaintLiveDay(benchmark::State& state)
{
    StripChartWidget& chart = *liveDay().chart;
    for (int c = 0; c < 30; ++c)
        chart.SetChannelVisible(c, c < state.range(0));
    paint(state, chart);
}

// range(0) rows, of which 1/range(1) in view (the newest).
void BM_PaintPlayback(benchmark::State& state)
{
    StripChartWidget& chart = *playback(state.range(0)).chart;
    chart.SetXAxisSpan(double(state.range(0)) * kSecond / double(state.range(1)));
    paint(state, chart);
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// One display tick with a full day of 30 channels in the chart: a row as the
// display cycle adds it, then what the paint event after it does, at the
// window's chart size or another (range(0) x range(1)), with the view's span
// range(2) minutes. Counts the process's CPU time per tick and the share of
// a core that a tick every 250 ms costs.
void BM_LiveTick(benchmark::State& state)
{
    StripChartWidget& chart = *liveDay().chart;
    for (int c = 0; c < 30; ++c)
        chart.SetChannelVisible(c, true);
    chart.resize(int(state.range(0)), int(state.range(1)));
    chart.SetXAxisSpan(double(state.range(2)) / 1440.0);
    QImage screen(chart.size(), QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        chart.paintFrame(painter, chart.rect());
    }
    static int64_t row = kLiveDayRows;
    int64_t repainted = 0;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        chart.BeginRow();
        chart.AddRowAt(kStart + double(row) * kSecond / 4);
        for (int c = 0; c < 30; ++c)
            chart.SetChannelValue(c, -1, 5.0 * c + 10.0 * std::sin(double(row) * 0.0007 + c) + double((row * 7919 + c) % 13));
        chart.EndRow();
        ++row;
        const QRegion changed = chart.refreshCache();
        QPainter painter(&screen);
        painter.setClipRegion(changed);
        chart.paintFrame(painter, changed);
        for (const QRect& r : changed)
            repainted += int64_t(r.width()) * r.height();
    }
    const double cpuPerTick = (processCpuSeconds() - cpuBefore) / double(state.iterations());
    state.counters["cpu_us_per_tick"] = cpuPerTick * 1e6;
    state.counters["core_percent"] = cpuPerTick / 0.25 * 100.0;
    state.counters["pixels_per_tick"] = double(repainted) / double(state.iterations());
    chart.resize(kWidth, kHeight);
}

void BM_AddRow30Values(benchmark::State& state)
{
    StripChartWidget chart;
    for (int c = 0; c < 30; ++c)
        chart.AddChannel(QStringLiteral("Value %1").arg(c), 0x00FF00, c % 5, 1);
    chart.SetBufferSize(kLiveDayRows);
    chart.SetAutoRowDrop(true);
    int64_t i = 0;
    for (auto _ : state) {
        chart.BeginRow();
        chart.AddRowAt(kStart + double(i) * kSecond / 4);
        for (int c = 0; c < 30; ++c)
            chart.SetChannelValue(c, -1, double(c + (i & 63)));
        chart.EndRow();
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

// Rows as a playback load hands them over: batches of 4096, each row one of
// six sensors with values 2 and 4 in that sensor's two of twelve channels.
void BM_AddPlaybackRowBatch(benchmark::State& state)
{
    StripChartWidget chart;
    for (int c = 0; c < 12; ++c)
        chart.AddChannel(QStringLiteral("Value %1").arg(c), 0x00FF00, c % 2 == 0 ? 1 : 3, 1);
    chart.SetAutoRowDrop(true);
    chart.SetBufferSize(state.range(0));
    chart.SetRowDropTarget(state.range(0) * 14 / 15);
    constexpr size_t kBatch = 4096;
    std::vector<double> xs(kBatch), values(2 * kBatch);
    std::vector<int> channels(2 * kBatch);
    int64_t row = 0;
    for (auto _ : state) {
        for (size_t r = 0; r < kBatch; ++r, ++row) {
            const int sensor = int(row % 6);
            xs[r] = kStart + double(row) * kSecond / 6;
            channels[2 * r] = 2 * sensor;
            channels[2 * r + 1] = 2 * sensor + 1;
            values[2 * r] = 60.0 + double((row * 7) % 23);
            values[2 * r + 1] = 100.0 + double(row % 11);
        }
        chart.AddRowsAt(xs.data(), kBatch, channels.data(), values.data(), 2);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kBatch));
}

void BM_CursorMove(benchmark::State& state)
{
    StripChartWidget& chart = *liveDay().chart;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        chart.paintFrame(painter, chart.rect()); // fills the cache once, as the first paint on screen does
    }
    const QRectF plot = chart.plotRect();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(plot.left() + plot.width() * (0.1 + 0.8 * double(step++ % 100) / 100.0), plot.center().y());
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &press);
        // What the paint event after a cursor move does: Qt clips it to the
        // area the move asked to repaint.
        QPainter painter(&image);
        painter.setClipRect(chart.cursorRepaintArea());
        chart.paintFrame(painter, chart.cursorRepaintArea());
    }
}

} // namespace

BENCHMARK(BM_MemoryLiveDay)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryPlayback22M)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintLiveDay)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlayback)
    ->ArgsProduct({{100000, kPlaybackRows}, {1, 16, 256}})
    ->Unit(benchmark::kMillisecond);
// 681 x 451: the chart of the window maximized on 1280 x 800 (bench_window
// prints it); spans of 2 minutes, 1 hour and 6 hours, as the window offers.
BENCHMARK(BM_LiveTick)
    ->ArgsProduct({{681}, {451}, {2, 60, 360}})
    ->Args({kWidth, kHeight, 360})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddRow30Values)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_AddPlaybackRowBatch)->Arg(22500000)->Arg(300000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarksOffscreen(argc, argv);
}
