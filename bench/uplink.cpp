// The plant uplink against a local mosquitto: a one-day backlog (520,000
// lines) drained after an outage, and publishing while the writer appends
// 15,000 lines a second, with the user-interface thread's longest stall.
// Repetitions are interleaved (--benchmark_enable_random_interleaving);
// min and median come with every result.
#include "bench/support/OffscreenBenchmarkMain.h"

#include "core/LogLine.h"
#include "core/IClock.h"
#include "platform/MosquittoClient.h"
#include "uplink/UplinkPublisher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int OneDay = 520000;

// Binds a loopback socket to port (0: any free one); the port, or 0.
int bindLoopback(int port, bool keepConnecting)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(uint16_t(port));
    socklen_t length = sizeof a;
    int result = 0;
    if (keepConnecting)
        result = ::connect(fd, reinterpret_cast<sockaddr*>(&a), length) == 0 ? port : 0;
    else if (::bind(fd, reinterpret_cast<sockaddr*>(&a), length) == 0
             && ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0)
        result = ntohs(a.sin_port);
    ::close(fd);
    return result;
}

// Debian's mosquitto on a free loopback port, anonymous, for the whole run.
class Broker {
public:
    Broker()
    {
        port_ = bindLoopback(0, false);
        QFile conf(dir_.filePath(QStringLiteral("mosquitto.conf")));
        conf.open(QIODevice::WriteOnly);
        conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\nuser root\n").arg(port_).toUtf8());
        conf.close();
        process_.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), conf.fileName()});
        for (int i = 0; i < 100 && bindLoopback(port_, true) == 0; ++i)
            QThread::msleep(50);
    }
    ~Broker()
    {
        process_.kill();
        process_.waitForFinished();
    }
    int port() const { return port_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

Broker& broker()
{
    static Broker b;
    return b;
}

QByteArray numberedLines(int from, int count)
{
    QByteArray bytes;
    bytes.reserve(count * 60);
    for (int i = from; i < from + count; ++i)
        bytes += "#02-11-2026 10:34:25 :001E0226001900C800EB00" + QByteArray::number(i % 10000).rightJustified(4, '0')
            + "000000000000\r\n";
    return bytes;
}

struct Run {
    QTemporaryDir home;
    SystemClock clock;
    MosquittoClient client;
    UplinkPublisher publisher{client, clock, home.path()};
    QString logfile;

    Run()
    {
        QDir(home.path()).mkpath(QStringLiteral("logs"));
        logfile = home.path() + QStringLiteral("/logs/")
            + LogLine::logfileName(QString(), LogLine::fileDate(clock.now()), QStringLiteral("Main_Engine"));
    }
    void append(const QByteArray& bytes) const
    {
        QFile f(logfile);
        f.open(QIODevice::Append);
        f.write(bytes);
    }
    void start()
    {
        UplinkSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = broker().port();
        publisher.configure(s, home.path() + QStringLiteral("/logs/"), QStringLiteral("Main_Engine"));
    }
    bool done() const { return publisher.acknowledged().offset == QFileInfo(logfile).size(); }
};

// How late a 5 ms timer of the user-interface thread fires, at worst.
class StallProbe {
public:
    StallProbe()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            worst_ = std::max(worst_, since_.restart() - 5);
        });
        since_.start();
        timer_.start();
    }
    qint64 worstMilliseconds() const { return worst_; }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 worst_ = 0;
};

void addStatistics(benchmark::internal::Benchmark* b)
{
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

void BM_DrainOneDayBacklog(benchmark::State& state)
{
    for (auto _ : state) {
        Run run;
        run.append(numberedLines(0, OneDay));
        StallProbe probe;
        QElapsedTimer time;
        time.start();
        run.start();
        while (!run.done())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(time.nsecsElapsed() / 1e9);
        state.counters["lines_per_s"] = OneDay / (time.nsecsElapsed() / 1e9);
        state.counters["worst_stall_ms"] = double(probe.worstMilliseconds());
    }
}

// The writer appends at 16,000 lines a second for 4 s (in steps of the
// 10 ms timer, as many lines as are due); the rate counts until the last
// line is acknowledged, tail_ms is how long that took after the writer's
// last line.
void BM_SustainedPublishing(benchmark::State& state)
{
    constexpr int Rate = 16000;
    constexpr int Total = Rate * 4;
    for (auto _ : state) {
        Run run;
        run.start();
        while (run.publisher.state().mode != UplinkState::Mode::Connected)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        StallProbe probe;
        QElapsedTimer time;
        time.start();
        int written = 0;
        qint64 writerDone = 0;
        QTimer writer;
        writer.setInterval(10);
        QObject::connect(&writer, &QTimer::timeout, [&] {
            const int due = std::min<int>(Total, int(time.elapsed() * Rate / 1000));
            if (due > written)
                run.append(numberedLines(written, due - written));
            written = due;
            if (written == Total && !writerDone)
                writerDone = time.elapsed();
        });
        writer.start();
        while (written < Total || !run.done())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double seconds = time.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        state.counters["lines_per_s"] = Total / seconds;
        state.counters["tail_ms"] = double(time.elapsed() - writerDone);
        state.counters["worst_stall_ms"] = double(probe.worstMilliseconds());
    }
}

} // namespace

BENCHMARK(BM_DrainOneDayBacklog)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(addStatistics);
BENCHMARK(BM_SustainedPublishing)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(addStatistics);

int main(int argc, char** argv)
{
    return runBenchmarksOffscreen(argc, argv);
}
