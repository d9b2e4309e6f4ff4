// Which reports are written by themselves, and a reports folder that cannot
// be made: told once a day with path and reason, tried again the next day.
#include "report/DailyReports.h"
#include "report/ReportWriter.h"
#include "support/Fakes.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Installation = QStringLiteral("Main_Engine");

void touchLogfile(const QTemporaryDir& dir, const QDate& day)
{
    QFile f(dir.filePath(day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("VL_Main_Engine.vlg")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#03-07-2026 00:00:00 Measure Started at Main_Engine !\r\n");
}

} // namespace

TEST(DueReports, DaysAndTheWeekBeforeAMondayWithLogfilesAndNoReportOldestFirst)
{
    QTemporaryDir dir;
    const QDate tuesday(2026, 3, 10);
    for (const QDate& day : {QDate(2026, 1, 20), QDate(2026, 3, 7), QDate(2026, 3, 8), QDate(2026, 3, 10)})
        touchLogfile(dir, day);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("reports")));
    QFile done(DueReports::folderOf(dir.path()) + QLatin1Char('/')
               + ReportFiles::fileName(Installation, QDate(2026, 3, 7), QDate(2026, 3, 7)));
    ASSERT_TRUE(done.open(QIODevice::WriteOnly));

    const auto due = DueReports::asOf(dir.path(), Installation, tuesday);
    // 7 March is reported, 20 January too long ago, today not over.
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].from, QDate(2026, 3, 8));
    EXPECT_EQ(due[0].to, QDate(2026, 3, 8));
    EXPECT_EQ(due[1].from, QDate(2026, 3, 2));
    EXPECT_EQ(due[1].to, QDate(2026, 3, 8));
    EXPECT_TRUE(due[1].path.startsWith(DueReports::folderOf(dir.path())));
}

TEST(DailyReports, AFolderThatCannotBeMadeIsToldOnceADayWithPathAndReason)
{
    QTemporaryDir dir;
    touchLogfile(dir, QDate(2026, 3, 9));
    QFile blocker(dir.filePath(QStringLiteral("reports"))); // a file where the folder goes
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    FakeClock clock(QDateTime(QDate(2026, 3, 10), QTime(0, 1)));
    DailyReports reports(clock);
    QSignalSpy failed(&reports, &DailyReports::failed);
    ReportRequest base;
    base.logDir = dir.path();
    base.installation = Installation;
    reports.setUp(base, true);
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_TRUE(failed.at(0).at(0).toString().endsWith(
        ReportFiles::fileName(Installation, QDate(2026, 3, 9), QDate(2026, 3, 9))));
    EXPECT_FALSE(failed.at(0).at(1).toString().isEmpty());

    ASSERT_TRUE(waitUntil([&] { return !reports.writing(); }, 10000));
    reports.check();
    EXPECT_FALSE(reports.writing()) << "the same day, a failed report is not tried again";

    clock.advanceSeconds(24 * 3600);
    reports.check();
    EXPECT_TRUE(failed.wait(10000)) << "the next day it is tried and told again";
}
