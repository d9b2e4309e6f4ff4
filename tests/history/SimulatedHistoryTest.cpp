// The simulator's long measurements, as the history's benchmark and trials
// use them: the logger's files, day by day in local time, repeatable.
#include "HistoryTestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace HistoryTest;

namespace {

const QString Berlin = QStringLiteral("Europe/Berlin");

QByteArray simulate(const QString& dir, const QString& seed)
{
    QProcess sim;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), Berlin);
    sim.setProcessEnvironment(env);
    sim.start(QStringLiteral(VELTRA_BINARY_DIR "/tools/evaluator-sim"),
              {QStringLiteral("--history"), dir, QStringLiteral("--from"), QStringLiteral("2026-10-24"),
               QStringLiteral("--days"), QStringLiteral("3"), QStringLiteral("--every-seconds"), QStringLiteral("60"),
               QStringLiteral("--sensors"), QStringLiteral("2"), QStringLiteral("--gap-days"), QStringLiteral("2"),
               QStringLiteral("--lost"), QStringLiteral("30"), QStringLiteral("--seed"), seed});
    EXPECT_TRUE(sim.waitForFinished(60000));
    EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().constData();
    QFile day(dir + QLatin1Char('/') + fileName(QDate(2026, 10, 25)));
    return day.open(QIODevice::ReadOnly) ? day.readAll() : QByteArray();
}

TEST(SimulatedHistory, DailyFilesInLocalTimeWithGapsLossesAndTheirHeaders)
{
    QTemporaryDir dir;
    const QByteArray autumn = simulate(dir.path(), QStringLiteral("7"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{fileName(QDate(2026, 10, 24)), fileName(QDate(2026, 10, 25))}));
    EXPECT_TRUE(autumn.startsWith("#10-25-2026 00:00:00 Measure Started at Main_Engine !\r\n"
                                  "#10-25-2026 00:00:00 lbl_S1 Sensor1\r\n"));
    // 25 hours of minutes less the 30 silent ones, two sensors.
    EXPECT_EQ(autumn.count(" :00"), 25 * 60 - 30);
    EXPECT_EQ(autumn.count(" :01"), 25 * 60 - 30);
    EXPECT_EQ(autumn.count("Evaluator not connected at Main_Engine !"), 1);
    // Once, after the loss: the day's header follows the day before's
    // measurement, which the logger does not report as a new connection.
    EXPECT_EQ(autumn.count("Evaluator connected at Main_Engine !"), 1);
    EXPECT_EQ(autumn.count("#10-25-2026 02:30:00 :00"), 2);

    QTemporaryDir again, other;
    EXPECT_EQ(simulate(again.path(), QStringLiteral("7")), autumn);
    EXPECT_NE(simulate(other.path(), QStringLiteral("8")), autumn);

    Reference reference(QTimeZone(Berlin.toLatin1()));
    reference.addFile(dir.filePath(fileName(QDate(2026, 10, 24))));
    reference.addFile(dir.filePath(fileName(QDate(2026, 10, 25))));
    QTemporaryDir store;
    const QDate from(2026, 10, 24), to(2026, 10, 25);
    const ToolRun run = tool(
        exportArguments(dir.path(), from, to, QStringLiteral("1h"), store.filePath(QStringLiteral("s"))), Berlin);
    EXPECT_EQ(reference.compare(run.out, QStringLiteral("1h"), from, to), QString());
}

} // namespace
