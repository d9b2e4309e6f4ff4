// The history of a log folder: a plain single-threaded parse of every
// logfile (the yardstick), building the summaries from nothing on both
// cores, the real veltra-history's hour export with the summaries built, a
// raw read of two whole daily files, and peak memory. The data set is
// chosen by VELTRA_HISTORY_BENCH (see support/HistoryBenchSet.h); the small
// one is checked against an export worked out straight from the files
// first, and the run fails when they differ. A forecast of the whole set
// as one window.
//
//   VELTRA_HISTORY_BENCH=year build/bench/bench_history
//       --benchmark_enable_random_interleaving=true --benchmark_repetitions=3
#include "bench/support/HistoryBenchSet.h"
#include "bench/support/HistoryReference.h"
#include "core/FileBlocks.h"
#include "core/LineSplitter.h"
#include "core/LogTimeStamp.h"
#include "core/Record.h"
#include "history/Forecast.h"
#include "history/HistoryBuilder.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileCatalog.h"
#include "history/LogfileClock.h"
#include "history/RawReader.h"
#include "history/SummaryStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <ctime>
#include <sys/wait.h>

extern char** environ;

namespace {

const HistoryBenchSet Set = HistoryBenchSet::chosen();
const QString Installation = QStringLiteral("Main_Engine");

QList<LogfileInfo> allFiles()
{
    return LogfileCatalog(Set.dir()).files(Installation);
}

int64_t totalBytes()
{
    int64_t bytes = 0;
    for (const LogfileInfo& f : allFiles())
        bytes += f.size;
    return bytes;
}

// The project's own parse of every line, nothing else: lines split, time
// stamp read, sensor record parsed. Returns a sum of what it read.
int64_t plainParse(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int64_t sum = 0;
    std::string partial;
    const auto line = [&](const char* p, size_t length) {
        const LogTimeStamp::Fields f = LogTimeStamp::read(p, length);
        sum += f.sec;
        Record::Sensor s;
        if (length > 22 && p[21] == ':'
            && Record::parseSensor(QByteArrayView(p + 21, qsizetype(length - 21)), Record::Logfile, s))
            sum += s.value[1];
    };
    FileBlocks blocks(file, size_t(4) << 20, true);
    for (QByteArrayView block = blocks.next(); !block.isEmpty(); block = blocks.next()) {
        const char* p = block.data();
        const char* end = p + block.size();
        if (!partial.empty()) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            partial.append(p, size_t((nl ? nl : end) - p));
            if (!nl)
                continue;
            line(partial.data(), partial.size());
            partial.clear();
            p = nl + 1;
        }
        const char* rest = LineSplitter::split(p, end, [&](const char* start, const char* nl) {
            line(start, size_t(nl - start));
            return true;
        });
        partial.assign(rest, size_t(end - rest));
    }
    return sum;
}

void removeStore(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

BuildResult buildStore(const QString& path)
{
    HistoryBuilder builder({path, Set.dir(), Installation, false, 2});
    return builder.buildAll(allFiles());
}

// The high-water mark of resident memory (VmHWM) of a process, in MB.
double peakRssOf(const QString& pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// From now on the high-water mark counts afresh from what is resident now.
void restartPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Runs a program to its end, its output to /dev/null; its peak resident
// memory in MB through maxRss, sampled every 2 ms from /proc (the kernel's
// own count for a child spawned from this process starts at this process's
// peak). False when it did not end with 0.
bool runProgram(const QStringList& arguments, double* maxRss)
{
    std::vector<std::string> texts;
    for (const QString& a : arguments)
        texts.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    double peak = 0;
    const timespec pause{0, 2000000};
    while (waitpid(pid, &status, WNOHANG) == 0) {
        peak = std::max(peak, peakRssOf(QString::number(pid)));
        nanosleep(&pause, nullptr);
    }
    if (maxRss)
        *maxRss = peak;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QStringList exportArguments(const QString& store, const QString& every)
{
    return {HistoryBenchSet::builtProgram(QStringLiteral("veltra-history")), QStringLiteral("export"),
            QStringLiteral("--logdir"), Set.dir(), QStringLiteral("--installation"), Installation,
            QStringLiteral("--from"), Set.from.toString(Qt::ISODate), QStringLiteral("--to"),
            Set.to().toString(Qt::ISODate), QStringLiteral("--every"), every, QStringLiteral("--cache"), store};
}

void addStatistics(benchmark::internal::Benchmark* b)
{
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    b->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
}

void BM_PlainParse(benchmark::State& state)
{
    const QList<LogfileInfo> files = allFiles();
    for (auto _ : state)
        for (const LogfileInfo& f : files)
            benchmark::DoNotOptimize(plainParse(f.path));
    state.counters["MB/s"]
        = benchmark::Counter(double(totalBytes()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BuildFromNothing(benchmark::State& state)
{
    const QString path = Set.store() + QStringLiteral(".fresh");
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        removeStore(path);
        restartPeakRss();
        state.ResumeTiming();
        const BuildResult result = buildStore(path);
        if (!result.complete() || !result.fileErrors.isEmpty())
            state.SkipWithError(qPrintable(result.storeError + result.fileErrors.join(QLatin1Char(' '))));
        peak = std::max(peak, peakRssOf(QStringLiteral("self")));
    }
    state.counters["MB/s"]
        = benchmark::Counter(double(totalBytes()) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["store_percent"] = 100.0 * double(QFileInfo(path).size()) / double(totalBytes());
    state.counters["peakRSS_MB"] = peak; // this whole process, building
}

void BM_ExportHourWithSummaries(benchmark::State& state)
{
    double rss = 0;
    for (auto _ : state)
        if (!runProgram(exportArguments(Set.store(), QStringLiteral("1h")), &rss))
            state.SkipWithError("veltra-history export failed");
    state.counters["peakRSS_MB"] = rss;
}

// Two whole daily files from the middle of the set.
void BM_RawReadTwoDays(benchmark::State& state)
{
    SummaryStore store(Set.store(), Set.dir(), false);
    const LogfileCatalog catalog(Set.dir());
    RawReader reader(store, catalog, false);
    LogfileClock clock;
    const int64_t day = QDate(1970, 1, 1).daysTo(Set.from.addDays(Set.days / 2));
    std::vector<RawRecord> records;
    for (auto _ : state)
        if (!reader.read(Installation, clock.startOfDay(day), clock.startOfDay(day + 2), records))
            state.SkipWithError(qPrintable(reader.error()));
    state.counters["records"] = double(records.size());
}

// The chart's questions: the hour tier of the whole set, a day of minutes.
void BM_QueryBuckets(benchmark::State& state)
{
    SummaryStore store(Set.store(), Set.dir(), false);
    LogfileClock clock;
    const bool wholeSet = state.range(0) == 0;
    const int64_t first = QDate(1970, 1, 1).daysTo(wholeSet ? Set.from : Set.from.addDays(Set.days / 2));
    const int64_t from = clock.startOfDay(first);
    const int64_t to = clock.startOfDay(wholeSet ? first + Set.days : first + 1);
    std::vector<Bucket> buckets;
    for (auto _ : state)
        if (!store.buckets(Installation, wholeSet ? Tier::Hour : Tier::Minute, from, to, buckets))
            state.SkipWithError(qPrintable(store.error()));
    state.counters["buckets"] = double(buckets.size());
}

// A forecast of every sensor, value and level over the whole set as one
// window, as the window makes it once a minute on a worker thread.
void BM_ForecastWholeSet(benchmark::State& state)
{
    SummaryStore store(Set.store(), Set.dir(), false);
    LogfileClock clock;
    ForecastRequest request;
    request.installation = Installation;
    request.at = clock.startOfDay(QDate(1970, 1, 1).daysTo(Set.to()) + 1);
    request.windowDays = Set.days;
    request.parameters = LastParameterRecord::asOf(store.files(Installation), request.at);
    size_t levels = 0;
    for (auto _ : state) {
        const ForecastResult result = Forecast::run(store, request);
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
        levels = Forecast::next(result.levels).size();
    }
    state.counters["gauge_lines"] = double(levels);
}

// The real tool from nothing: building and exporting a year in one process.
void BM_ExportFromNothingPeakMemory(benchmark::State& state)
{
    const QString path = Set.store() + QStringLiteral(".cold");
    double rss = 0;
    for (auto _ : state) {
        state.PauseTiming();
        removeStore(path);
        state.ResumeTiming();
        if (!runProgram(exportArguments(path, QStringLiteral("1h")), &rss))
            state.SkipWithError("veltra-history export failed");
    }
    state.counters["peakRSS_MB"] = rss;
}

// The store's hour export against one worked out straight from the files.
bool exportIsRight()
{
    QProcess tool;
    QStringList arguments = exportArguments(Set.store(), QStringLiteral("1h"));
    tool.start(arguments.takeFirst(), arguments);
    if (!tool.waitForFinished(-1) || tool.exitCode() != 0) {
        std::fprintf(stderr, "history bench: export failed: %s\n", tool.readAllStandardError().constData());
        return false;
    }
    const QString difference = HistoryReference::compare(Set.dir(), tool.readAllStandardOutput());
    if (!difference.isEmpty())
        std::fprintf(stderr, "history bench: THE EXPORT IS WRONG: %s\n", qPrintable(difference));
    return difference.isEmpty();
}

} // namespace

BENCHMARK(BM_PlainParse)->Apply(addStatistics);
BENCHMARK(BM_BuildFromNothing)->Apply(addStatistics);
BENCHMARK(BM_ExportHourWithSummaries)->Apply(addStatistics);
BENCHMARK(BM_RawReadTwoDays)->Apply(addStatistics);
BENCHMARK(BM_QueryBuckets)->Arg(0)->Arg(1)->ArgName("dayOfMinutes")->Apply(addStatistics)->Iterations(20);
BENCHMARK(BM_ExportFromNothingPeakMemory)->Apply(addStatistics);
BENCHMARK(BM_ForecastWholeSet)->Apply(addStatistics)->Iterations(10);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv) || !Set.make())
        return 1;
    for (const LogfileInfo& f : allFiles())
        plainParse(f.path); // the files into the page cache
    const BuildResult built = buildStore(Set.store());
    if (!built.complete()) {
        std::fprintf(stderr, "history bench: %s\n", qPrintable(built.storeError));
        return 1;
    }
    if ((Set.name == QLatin1String("small") || qEnvironmentVariableIsSet("VELTRA_HISTORY_BENCH_CHECK"))
        && !exportIsRight())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeStore(Set.store() + QStringLiteral(".fresh"));
    removeStore(Set.store() + QStringLiteral(".cold"));
    return 0;
}
