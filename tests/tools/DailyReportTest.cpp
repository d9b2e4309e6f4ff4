// The reports the real logger writes by itself into LOGDIR/reports: the day
// just over, soon after its midnight (the clock moved by faketime to just
// before it), and the days missed while the logger was off, at its start.
#include "report/ReportWriter.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QStringList reportsConfig(const ProgramHome& home, bool autostart)
{
    QStringList config = home.defaultConfig(autostart);
    config.replaceInStrings(QStringLiteral("DAILYREPORTS=0"), QStringLiteral("DAILYREPORTS=1"));
    return config;
}

QString reportOf(const ProgramHome& home, const QDate& from, const QDate& to)
{
    return home.logDir() + QStringLiteral("/reports/") + ReportFiles::fileName(QStringLiteral("Main_Engine"), from, to);
}

QString textOf(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

TEST(DailyReport, TheDayJustOverIsReportedSoonAfterItsMidnight)
{
    if (!fakeTimeInstalled())
        GTEST_SKIP() << "faketime is not installed";
    ProgramHome home;
    home.writeConfig(reportsConfig(home, true));
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(home.serialLink()));
    // 10 s before the next midnight, the clock running on from there.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    const qint64 offset = now.secsTo(midnight) - 10;
    QProcessEnvironment env = withFakeTime(home.offscreenEnvironment());
    env.insert(QStringLiteral("FAKETIME"), QStringLiteral("+%1").arg(offset));
    LoggerProcess logger;
    ASSERT_TRUE(logger.start(home, env));
    const QString report = reportOf(home, now.date(), now.date());
    // The day's logfile is there before midnight; its report after it, at
    // the next minute's look.
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(home.logfile(now.date())); }, 8000)) << logger.output().toStdString();
    EXPECT_FALSE(QFile::exists(report));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(report); }, 120000)) << logger.output().toStdString();
    const QString text = textOf(report);
    EXPECT_TRUE(text.contains(QStringLiteral("Main_Engine")));
    EXPECT_TRUE(text.contains(now.date().toString(Qt::ISODate)));
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(home.logfile(midnight.date())); }, 10000))
        << "logging went on into the new day";
}

TEST(DailyReport, DaysMissedWhileTheLoggerWasOffAreReportedAtItsStart)
{
    ProgramHome home;
    const QDate today = QDate::currentDate();
    ASSERT_EQ(QProcess::execute(builtProgram(QStringLiteral("tools/evaluator-sim")),
                                {QStringLiteral("--history"), home.logDir(), QStringLiteral("--from"),
                                 today.addDays(-3).toString(Qt::ISODate), QStringLiteral("--days"),
                                 QStringLiteral("2"), QStringLiteral("--every-seconds"), QStringLiteral("60")}),
              0);
    home.writeConfig(reportsConfig(home, false));
    LoggerProcess logger;
    ASSERT_TRUE(logger.start(home, home.offscreenEnvironment()));
    for (int back : {3, 2})
        EXPECT_TRUE(waitUntil([&] { return QFile::exists(reportOf(home, today.addDays(-back), today.addDays(-back))); },
                              60000))
            << back << " days back\n" << logger.output().toStdString();
    // Yesterday had no logfile, so no report.
    EXPECT_FALSE(QFile::exists(reportOf(home, today.addDays(-1), today.addDays(-1))));
}
