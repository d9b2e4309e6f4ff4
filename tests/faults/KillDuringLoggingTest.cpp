// The real logger killed (kill -9) at random moments while it logs the
// simulator's numbered lines at full rate: whatever it wrote stays whole,
// in order, and without a gap inside one run.
#include "LogLineChecks.h"

#include "support/ProgramProcess.h"

#include <QDate>
#include <QTest>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace {

// VELTRA_KILL_TRIALS overrides the number of trials (for long runs by hand).
int trialCount()
{
    const int asked = qEnvironmentVariableIntValue("VELTRA_KILL_TRIALS");
    return asked > 0 ? asked : 36;
}

struct Findings {
    int lines = 0;
    int dataLines = 0;
    int damaged = 0;
    int runs = 0;
    QStringList faults;
};

// Runs start with the start text; data lines are ":80SEQ," and a number
// that goes up by one inside a run and never goes back across runs.
Findings check(const QByteArray& file)
{
    Findings f;
    const QList<QByteArray> lines = wholeLines(file, &f.damaged);
    f.lines = int(lines.size());
    qint64 previous = 0;
    bool runStarted = false;
    for (const QByteArray& line : lines) {
        const QByteArray text = lineText(line);
        if (text == "Measure Started at Main_Engine !") {
            ++f.runs;
            runStarted = false;
            continue;
        }
        if (!text.startsWith(":80SEQ,"))
            continue;
        bool ok = false;
        const qint64 number = text.mid(7).toLongLong(&ok);
        ++f.dataLines;
        if (!ok || text.size() != 17)
            f.faults << QStringLiteral("bad number: ") + QString::fromLatin1(line);
        else if (runStarted && number != previous + 1)
            f.faults << QStringLiteral("after %1 comes %2").arg(previous).arg(number);
        else if (!runStarted && number <= previous)
            f.faults << QStringLiteral("run %1 goes back to %2").arg(f.runs).arg(number);
        previous = number;
        runStarted = true;
    }
    return f;
}

} // namespace

TEST(KillDuringLogging, EveryLineStaysWholeInOrderAndWithoutGaps)
{
    ProgramHome home;
    ASSERT_TRUE(home.isValid());
    home.writeConfig(home.defaultConfig(true));
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--rate"), QStringLiteral("20000")}));
    const QString logfile = home.logfile(QDate::currentDate());

    std::mt19937 random(std::random_device{}());
    const int trials = trialCount();
    for (int trial = 0; trial < trials; ++trial) {
        const qint64 before = readFileBytes(logfile).size();
        LoggerProcess logger;
        ASSERT_TRUE(logger.start(home, home.offscreenEnvironment()));
        // Logging has begun once the file grew past this run's header.
        ASSERT_TRUE(waitUntil([&] { return readFileBytes(logfile).size() > before + 1000; }, 20000))
            << "trial " << trial << ": " << logger.output().toStdString();
        QTest::qWait(std::uniform_int_distribution<int>(0, 400)(random));
        logger.kill();
    }

    const Findings f = check(readFileBytes(logfile));
    std::cout << "kill -9 trials: " << trials << ", lines checked: " << f.lines << " (" << f.dataLines
              << " data lines), damaged lines: " << f.damaged << std::endl;
    EXPECT_EQ(f.damaged, 0);
    EXPECT_EQ(f.runs, trials);
    EXPECT_EQ(f.faults, QStringList());
    EXPECT_GT(f.dataLines, trials * 10);
}
