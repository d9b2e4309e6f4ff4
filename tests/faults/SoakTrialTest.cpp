// Thirty midnights unattended, in minutes: the real logger takes numbered
// lines beside the evaluator's records at more than the fastest serial rate
// over a pseudo-terminal, publishes them to a real broker, follows the day
// in its history summaries and writes its daily reports, while faketime
// moves its wall clock (not the monotonic one) to shortly before each next
// midnight in turn. At every midnight its resident memory, descriptors and
// threads are written down once the day just over is reported; at the end
// every numbered line is in exactly one daily file, in order, every line
// reached the broker, and each day over is summarised whole.
//
// VELTRA_SOAK_MIDNIGHTS sets how many midnights are crossed (3 unless set;
// 30 for the full trial, about eight minutes).
#include "LogLineChecks.h"
#include "UplinkTally.h"
#include "history/SummaryStore.h"
#include "report/DueReports.h"
#include "report/ReportWriter.h"
#include "support/BrokerProcess.h"
#include "support/MqttSubscriber.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <csignal>
#include <cstdio>

namespace {

// Before the first midnight: time to start and measure. In the full trial
// the first day runs two and a half real minutes, so that what the logger
// does every minute (today's summaries, the forecast) has run before the
// first look, as it has by the end of a real first day; the short form has
// no room for that and leaves the memory goal to the full trial.
constexpr int ShortFirstLeadSeconds = 10;
constexpr int FullFirstLeadSeconds = 150;
constexpr int FullTrialMidnights = 10;
constexpr int LeadSeconds = 6;       // before each later one
constexpr int SettleMs = 1000;       // after a midnight's report, before the process is looked at

int midnightsToCross()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("VELTRA_SOAK_MIDNIGHTS", &ok);
    return ok && n >= 2 ? n : 3;
}

// The logger's wall clock: the real one moved by an offset in a file that
// faketime reads again every second.
class MovedClock {
public:
    explicit MovedClock(QString file) : file_(std::move(file)) {}

    // Moves the clock to `lead` seconds before the midnight that begins `day`.
    void setBefore(const QDate& day, int lead)
    {
        offset_ = QDateTime::currentDateTime().secsTo(QDateTime(day, QTime(0, 0))) - lead;
        QFile f(file_);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(QByteArray("+") + QByteArray::number(offset_));
    }
    QDate today() const { return QDateTime::currentDateTime().addSecs(offset_).date(); }

    QProcessEnvironment environment(QProcessEnvironment env) const
    {
        env = withFakeTime(env);
        env.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), file_);
        env.insert(QStringLiteral("FAKETIME_CACHE_DURATION"), QStringLiteral("1"));
        return env;
    }

private:
    QString file_;
    qint64 offset_ = 0;
};

struct Sample {
    qint64 rssKb = 0;
    int fds = 0;
    int threads = 0;
};

Sample sampleOf(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    Sample s;
    for (const QByteArray& line : readFileBytes(proc + QStringLiteral("status")).split('\n'))
        if (line.startsWith("VmRSS:"))
            s.rssKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
    const auto entries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System;
    s.fds = int(QDir(proc + QStringLiteral("fd")).entryList(entries).size());
    s.threads = int(QDir(proc + QStringLiteral("task")).entryList(entries).size());
    return s;
}

struct Sequence {
    qint64 numbered = 0;
    qint64 last = 0;
    qint64 repeatedOrBehind = 0;
    qint64 skipped = 0;
};

// Follows the numbers of the ":80SEQ," lines through the files in order.
void follow(Sequence& seq, const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines) {
        const QByteArray text = lineText(line);
        if (!text.startsWith(":80SEQ,"))
            continue;
        const qint64 n = text.mid(7).toLongLong();
        ++seq.numbered;
        if (n <= seq.last)
            ++seq.repeatedOrBehind;
        else
            seq.skipped += n - seq.last - 1;
        seq.last = std::max(seq.last, n);
    }
}

qint64 sensorRecords(const QList<QByteArray>& lines)
{
    qint64 n = 0;
    for (const QByteArray& line : lines) {
        const QByteArray text = lineText(line);
        n += text.size() == 37 && text.startsWith(":0") && text.at(2) >= '0' && text.at(2) <= '5' ? 1 : 0;
    }
    return n;
}

QStringList soakConfig(const ProgramHome& home, const BrokerProcess& broker)
{
    QStringList config = home.defaultConfig(true);
    config.replaceInStrings(QStringLiteral("DAILYREPORTS=0"), QStringLiteral("DAILYREPORTS=1"));
    return config << QStringLiteral("MQTT_HOST=127.0.0.1") << QStringLiteral("MQTT_PORT=%1").arg(broker.port())
                  << QStringLiteral("MQTT_USER=") + QLatin1String(BrokerProcess::User)
                  << QStringLiteral("MQTT_PASSWORD=") + QLatin1String(BrokerProcess::Password);
}

class SoakTrial : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fakeTimeInstalled())
            GTEST_SKIP() << "faketime is not installed";
        const QString missing = BrokerProcess::missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_TRUE(broker.start()) << broker.output().toStdString();
        ASSERT_TRUE(historian.start(broker.port(), QLatin1String(BrokerProcess::User),
                                    QLatin1String(BrokerProcess::Password)));
        home.writeConfig(soakConfig(home, broker));
        ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--rate"), QStringLiteral("200"),
                                                  QStringLiteral("--scenario"), QStringLiteral("normal")}));
        clock.setBefore(first, firstLead);
        startDay = clock.today();
        ASSERT_TRUE(logger.start(home, clock.environment(home.offscreenEnvironment())));
    }

    // Each midnight in turn, looked at once its work is done: the day just
    // over reported (its summaries come first).
    void crossMidnights()
    {
        for (int k = 0; k < midnights; ++k) {
            const QDate day = first.addDays(k);
            if (k > 0)
                clock.setBefore(day, LeadSeconds);
            const QString report = DueReports::folderOf(home.logDir()) + QLatin1Char('/')
                + ReportFiles::fileName(QStringLiteral("Main_Engine"), day.addDays(-1), day.addDays(-1));
            const int lead = k == 0 ? firstLead : LeadSeconds;
            ASSERT_TRUE(waitUntil([&] { return QFile::exists(home.logfile(day)) && QFile::exists(report); },
                                  lead * 1000 + 30000))
                << "midnight " << k + 1 << "\n" << logger.output().toStdString();
            waitUntil([] { return false; }, SettleMs);
            samples.push_back(sampleOf(logger.pid()));
            std::printf("midnight %2d  %s  RSS %6lld kB  descriptors %3d  threads %3d\n", k + 1,
                        qPrintable(day.toString(Qt::ISODate)), samples.back().rssKb, samples.back().fds,
                        samples.back().threads);
            std::fflush(stdout);
        }
        lastDay = first.addDays(midnights - 1);
    }

    // The broker has every line; lines the logger writes as it ends go out
    // at its next start.
    void expectEveryLinePublished()
    {
        qint64 logged = 0;
        qint64 lost = 0;
        for (QDate day = startDay; day <= lastDay; day = day.addDays(1)) {
            const QByteArray bytes = readFileBytes(home.logfile(day));
            Tally t;
            waitUntil(
                [&] {
                    t = tally(bytes, QFileInfo(home.logfile(day)).fileName(), historian.received());
                    return t.lost == 0;
                },
                30000);
            EXPECT_EQ(t.lost + t.outOfOrder + t.altered, 0) << day.toString(Qt::ISODate).toStdString();
            logged += t.logged;
            lost += t.lost;
        }
        std::printf("uplink: %lld lines logged, %lld lost\n", logged, lost);
    }

    // Every numbered line in exactly one daily file, in order, whole; each
    // day over is summarised to its end.
    void expectEveryDayWholeAndSummarised()
    {
        Sequence seq;
        SummaryStore store(SummaryStore::defaultPath(home.logDir()), home.logDir(), false);
        for (QDate day = startDay; day <= lastDay; day = day.addDays(1)) {
            SCOPED_TRACE(day.toString(Qt::ISODate).toStdString());
            const QString path = home.logfile(day);
            const QByteArray bytes = readFileBytes(path);
            int damaged = 0;
            const QList<QByteArray> lines = wholeLines(bytes, &damaged);
            EXPECT_EQ(damaged, 0);
            follow(seq, lines);
            if (day == lastDay)
                continue; // today: summarised within the minute
            const auto state = store.file(QStringLiteral("Main_Engine"), QFileInfo(path).fileName());
            ASSERT_TRUE(state.has_value());
            EXPECT_EQ(state->readOffset, bytes.size());
            EXPECT_EQ(state->records, sensorRecords(lines));
        }
        std::printf("numbered lines %lld (last %lld), repeated or behind %lld, skipped %lld\n", seq.numbered,
                    seq.last, seq.repeatedOrBehind, seq.skipped);
        EXPECT_EQ(seq.repeatedOrBehind, 0);
        EXPECT_EQ(seq.skipped, 0);
        EXPECT_EQ(seq.numbered, seq.last);
    }

    const int midnights = midnightsToCross();
    const int firstLead = midnights >= FullTrialMidnights ? FullFirstLeadSeconds : ShortFirstLeadSeconds;
    BrokerProcess broker;
    MqttSubscriber historian{QStringLiteral("historian"), false};
    ProgramHome home;
    SimulatorProcess sim;
    MovedClock clock{home.filePath(QStringLiteral("faketime.rc"))};
    LoggerProcess logger;
    const QDate first = QDate::currentDate().addDays(1);
    QDate startDay;
    QDate lastDay;
    std::vector<Sample> samples;
};

} // namespace

TEST_F(SoakTrial, MidnightsCrossedFlatWithEveryLineOnceInOrderPublishedAndSummarised)
{
    ASSERT_NO_FATAL_FAILURE(crossMidnights());
    sim.stop();
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(home.eventfile()).contains("Evaluator not connected"); },
                          30000));
    expectEveryLinePublished();
    ::kill(pid_t(logger.pid()), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return !logger.running(); }, 15000));
    EXPECT_TRUE(logger.exitedNormally());
    expectEveryDayWholeAndSummarised();
    if (midnights >= FullTrialMidnights) {
        EXPECT_LE(samples.back().rssKb - samples.front().rssKb, 5 * 1024) << "resident memory after the first day";
    }
    EXPECT_EQ(samples.back().fds, samples.front().fds);
    EXPECT_EQ(samples.back().threads, samples.front().threads);
}
