// The logger kept running by its systemd user unit (or, without a systemd
// user instance, by the unit's own restart rule run by the test): killed
// with kill -9 at random moments while it logs, it is back and logging
// within 10 s every time, each gap is recorded in both files, and nothing
// written before the kill is lost. Asked to end by the system (SIGTERM, as
// a logout or a shutdown ends it), it ends normally and stays ended.
#include "LogLineChecks.h"

#include "core/Events.h"
#include "platform/RunMarker.h"
#include "support/KeptLogger.h"
#include "support/ProgramProcess.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <random>

namespace {

const QByteArray EndedText = "Logger ended unexpectedly at ";
const QByteArray BackText = "Logger running again at Main_Engine !";
const QByteArray StartText = "Measure Started at Main_Engine !";

// VELTRA_RESTART_TRIALS overrides the number of trials (for long runs by hand).
int trialCount()
{
    const int asked = qEnvironmentVariableIntValue("VELTRA_RESTART_TRIALS");
    return asked > 0 ? asked : 20;
}

QDateTime stampOf(const QByteArray& line)
{
    return QDateTime::fromString(QString::fromLatin1(line.mid(1, 19)), QStringLiteral("MM-dd-yyyy HH:mm:ss"));
}

class KeptRunningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        startedAt = QDateTime::currentDateTime();
        home.writeConfig(home.defaultConfig(true));
        ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--rate"), QStringLiteral("200")}));
        kept = keepLoggerRunning(home, home.offscreenEnvironment());
        std::cout << "Kept running by " << kept->how().toStdString() << std::endl;
        ASSERT_TRUE(kept->start());
        ASSERT_TRUE(waitUntil([&] { return dataLineAfter(0); }, 20000)) << "no data line";
    }

    QString logfile() const { return home.logfile(QDate::currentDate()); }
    // A whole data line after `offset`, after the "running again" line when
    // `afterComeBack`.
    bool dataLineAfter(qint64 offset, bool afterComeBack = false) const
    {
        const QByteArray file = readFileBytes(logfile());
        if (afterComeBack && (offset = file.indexOf(BackText, offset)) < 0)
            return false;
        const qsizetype data = file.indexOf(" :80SEQ,", offset);
        return data >= 0 && file.indexOf("\r\n", data) >= 0;
    }

    ProgramHome home;
    SimulatorProcess sim;
    std::unique_ptr<KeptLogger> kept;
    QDateTime startedAt;
};

// To the second, as the files write times.
QDateTime second(const QDateTime& t)
{
    return t.addMSecs(-t.time().msec());
}

struct Trial {
    qint64 backMs = 0;
    QDateTime killedAt;
    qint64 lastSignBeforeKillMs = -1; // from the file, once checked
};

// Every run after the first begins with the gap's two lines, then the start
// header; the gap runs from the killed run's last sign of life (after the
// kill before it) to the line's own time (after the kill). (The order of the
// data lines across kills is KillDuringLogging's.)
QStringList checkGaps(const QList<QByteArray>& lines, std::vector<Trial>& trials, const QDateTime& firstStart)
{
    QStringList faults;
    size_t gaps = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray text = lineText(lines[i]);
        if (text.startsWith(EndedText)) {
            const std::optional<QDateTime> end = Events::loggerEndedAt(QString::fromLatin1(text));
            const QDateTime runFrom = second(gaps == 0 ? firstStart : trials[gaps - 1].killedAt);
            const bool whole = end && i + 2 < lines.size() && lineText(lines[i + 1]) == BackText
                && lineText(lines[i + 2]) == StartText;
            if (!whole)
                faults << QStringLiteral("gap %1 not recorded whole at line %2").arg(gaps).arg(i);
            else if (gaps >= trials.size() || *end < runFrom || *end > trials[gaps].killedAt
                     || stampOf(lines[i]) < second(trials[gaps].killedAt))
                faults << QStringLiteral("gap %1 does not cover its kill: %2")
                              .arg(gaps)
                              .arg(QString::fromLatin1(lines[i]));
            else
                trials[gaps].lastSignBeforeKillMs = end->msecsTo(trials[gaps].killedAt);
            ++gaps;
        }
    }
    if (gaps != trials.size())
        faults << QStringLiteral("%1 gaps recorded for %2 kills").arg(gaps).arg(trials.size());
    return faults;
}

} // namespace

TEST_F(KeptRunningTest, KilledLoggerIsBackAndLoggingWithinTenSecondsAndEveryGapIsRecorded)
{
    std::mt19937 random(std::random_device{}());
    std::vector<Trial> trials;
    for (int trial = 0; trial < trialCount(); ++trial) {
        QTest::qWait(std::uniform_int_distribution<int>(100, 2500)(random));
        const qint64 pid = kept->pid();
        ASSERT_NE(pid, 0) << "trial " << trial;
        ::kill(pid_t(pid), SIGKILL);
        QElapsedTimer back;
        back.start();
        const QDateTime killedAt = QDateTime::currentDateTime();
        ASSERT_TRUE(waitUntil([&] { return processGone(pid); }, 5000));
        const QByteArray written = readFileBytes(logfile());
        const QByteArray events = readFileBytes(home.eventfile());
        ASSERT_TRUE(waitUntil([&] { return dataLineAfter(written.size(), true); }, 30000)) << "trial " << trial;
        trials.push_back({back.elapsed(), killedAt});
        EXPECT_LT(trials.back().backMs, 10000) << "trial " << trial;
        EXPECT_TRUE(readFileBytes(logfile()).startsWith(written)) << "trial " << trial;
        EXPECT_TRUE(readFileBytes(home.eventfile()).startsWith(events)) << "trial " << trial;
    }

    int damaged = 0;
    const QList<QByteArray> lines = wholeLines(readFileBytes(logfile()), &damaged);
    EXPECT_EQ(damaged, 0);
    const QStringList faults = checkGaps(lines, trials, startedAt);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(readFileBytes(home.eventfile()).count(EndedText), qsizetype(trials.size()));

    std::vector<qint64> backs;
    qint64 lastSign = 0;
    for (const Trial& t : trials) {
        backs.push_back(t.backMs);
        lastSign = std::max(lastSign, t.lastSignBeforeKillMs);
    }
    std::sort(backs.begin(), backs.end());
    std::cout << "kill -9 trials: " << trials.size() << ", back and logging after: median " << backs[backs.size() / 2]
              << " ms, worst " << backs.back() << " ms; recorded end at most " << lastSign
              << " ms before the kill" << std::endl;
}

TEST_F(KeptRunningTest, EndAskedForByTheSystemIsNormalAndNotRestarted)
{
    const qint64 pid = kept->pid();
    ASSERT_NE(pid, 0);
    ::kill(pid_t(pid), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return kept->endedForGood(); }, 15000));
    EXPECT_TRUE(readFileBytes(logfile()).endsWith(" Measure Stopped\r\n"));
    EXPECT_FALSE(QFile::exists(home.filePath(RunMarker::FileName)));
}
