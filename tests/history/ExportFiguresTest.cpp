// The figures veltra-history exports, against the same figures worked out
// straight from the logfiles (HistoryTest::Reference): every tier, the
// edges of days, damaged lines, a missing day, the days a zone changes its
// clocks, and logfiles dated day first.
#include "HistoryTestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <random>

#include <gtest/gtest.h>

using namespace HistoryTest;

namespace {

const QString Berlin = QStringLiteral("Europe/Berlin");
const QStringList Tiers{QStringLiteral("1m"), QStringLiteral("10m"), QStringLiteral("1h"), QStringLiteral("1d")};

class ExportFigures : public ::testing::Test {
protected:
    QString logDir() const { return dir.path(); }
    QString file(const QDate& day) const { return dir.filePath(fileName(day)); }
    void write(const QDate& day, const QByteArray& bytes) { ASSERT_TRUE(writeFile(file(day), bytes)); }
    // Each tier's export of [from, to] against the reference of all files written.
    void expectFigures(const QString& zone, const QDate& from, const QDate& to, bool swapDate = false)
    {
        Reference reference(QTimeZone(zone.toLatin1()), swapDate);
        for (const QString& name : QDir(logDir()).entryList({QStringLiteral("*.vlg")}, QDir::Files, QDir::Name))
            reference.addFile(dir.filePath(name));
        for (const QString& every : Tiers) {
            QStringList arguments = exportArguments(logDir(), from, to, every, store.filePath(QStringLiteral("s")));
            if (swapDate)
                arguments << QStringLiteral("--swap-date");
            const ToolRun run = tool(arguments, zone);
            ASSERT_EQ(run.exitCode, 0) << run.err.constData();
            EXPECT_EQ(reference.compare(run.out, every, from, to), QString()) << qPrintable(every);
        }
    }

    QTemporaryDir dir;
    QTemporaryDir store;
};

// Two days with a day between them that has no file; lines around the
// midnights, and damaged lines of every kind between good ones.
TEST_F(ExportFigures, EveryTierMatchesTheFilesAroundMidnightsDamageAndAMissingDay)
{
    const QTimeZone zone(Berlin.toLatin1());
    const QDate first(2026, 2, 10), last(2026, 2, 12);
    write(first, day(first, zone, 37));
    QByteArray damaged = day(last, zone, 41, 3);
    static const char bad[] =
                   "#02-30-2026 10:00:00 :001E0226001900C800EB0021000000000000\r\n" // no such day
                   "#02-12-2026 25:00:00 :001E0226001900C800EB0021000000000000\r\n" // no such hour
                   "#02-12-2026 10:00:00 :00ZZ0226001900C800EB0021000000000000\r\n" // not hex
                   "#02-12-2026 10:00:00 :001E0226001900C8\r\n"                     // cut short
                   "#02-12-2026 10:00:00 :061E0226001900C800EB0021000000000000\r\n" // sensor 7
                   "#06-12-2026 10:00:00 :001E0226001900C800EB0021000000000000\r\n" // not this file's day
                   "#02-12-2026 10:00:00 :8107K31V2.14\r\n"                         // parameter record
                   "\x01\xff\x80garbage\x00 :\r\n\r\n#02-12-2026 10:00\r\n"
                   "#02-12-2026 10:00:00 Evaluator connected at Main_Engine !\r\n";
    damaged.insert(damaged.indexOf("\r\n", 5000) + 2, QByteArray(bad, sizeof bad - 1));
    // The day's last minutes went into the next day's file, and the file
    // ends in a line cut off by a power loss.
    damaged.prepend("#02-11-2026 23:59:58 :011E0226001900C800EB0021000000000000\r\n");
    damaged += "#02-12-2026 23:59:59 :021E0226001";
    write(last, damaged);
    expectFigures(Berlin, first, last);
    expectFigures(Berlin, last, last);
}

// 29 March 2026 has no 02:00 hour in Berlin, 25 October 2026 has it twice:
// the first pass is summer time, the second winter time.
TEST_F(ExportFigures, DaysTheClockChangesAreTwentyThreeAndTwentyFiveHoursLong)
{
    const QTimeZone zone(Berlin.toLatin1());
    const QDate spring(2026, 3, 29), autumn(2026, 10, 25);
    write(spring, day(spring, zone, 30));
    write(autumn, day(autumn, zone, 30));
    expectFigures(Berlin, spring, spring);
    expectFigures(Berlin, autumn, autumn);

    const ToolRun hours = tool(
        exportArguments(logDir(), autumn, autumn, QStringLiteral("1h"), store.filePath(QStringLiteral("s"))), Berlin);
    const int summer = hours.out.indexOf("2026-10-25T02:00:00+02:00,1,oil_quality,120,");
    const int winter = hours.out.indexOf("2026-10-25T02:00:00+01:00,1,oil_quality,120,");
    EXPECT_GT(summer, 0);
    EXPECT_GT(winter, summer);
    const ToolRun days = tool(
        exportArguments(logDir(), spring, autumn, QStringLiteral("1d"), store.filePath(QStringLiteral("s"))), Berlin);
    EXPECT_TRUE(days.out.contains("2026-03-29T00:00:00+01:00,1,oil_quality,2760,")) << days.out.left(300).constData();
    EXPECT_TRUE(days.out.contains("2026-10-25T00:00:00+02:00,1,oil_quality,3000,"));
}

// A clock set back in the middle of a file: those rows count at the latest
// time already logged, none is lost.
TEST_F(ExportFigures, RowsOfAClockSetBackCountAtTheLatestTime)
{
    const QTimeZone zone(Berlin.toLatin1());
    const QDate date(2026, 5, 4);
    QByteArray bytes = day(date, zone, 60, 2);
    const int at = bytes.indexOf("#05-04-2026 12:00:00");
    bytes.insert(at, "#05-04-2026 11:40:00 :001E0226001900C800EB0021000000000000\r\n"
                     "#05-04-2026 11:41:00 :011E0226001900C800EB0021000000000000\r\n");
    write(date, bytes);
    expectFigures(Berlin, date, date);
    const ToolRun run = tool(
        exportArguments(logDir(), date, date, QStringLiteral("1m"), store.filePath(QStringLiteral("s"))), Berlin);
    EXPECT_TRUE(run.out.contains("2026-05-04T11:59:00+02:00,1,oil_quality,2,")) << run.out.constData();
}

// SWAPDATE: a folder of files written day first reads as the same figures.
TEST_F(ExportFigures, LogfilesDatedDayFirstReadWithSwapDate)
{
    const QTimeZone zone(QByteArrayLiteral("UTC"));
    const QDate first(2026, 4, 3), second(2026, 4, 4);
    write(first, day(first, zone, 53, 6, true));
    write(second, day(second, zone, 53, 6, true));
    expectFigures(QStringLiteral("UTC"), first, second, true);
    const ToolRun unswapped = tool(exportArguments(logDir(), first, second, QStringLiteral("1d"), QString()),
                               QStringLiteral("UTC"));
    EXPECT_FALSE(unswapped.out.contains("2026-04-03T00:00:00+00:00")) << "03-04 and 04-04 read as March";
}

// Files of any bytes: empty, binary, one endless line, only line ends.
TEST_F(ExportFigures, AnyBytesAreReadWithoutHarm)
{
    std::mt19937 random(3);
    QByteArray binary(1 << 20, Qt::Uninitialized);
    for (char& c : binary)
        c = char(random() % 7 == 0 ? '\n' : random());
    const QDate first(2026, 7, 1);
    write(first, QByteArray());
    write(first.addDays(1), binary);
    write(first.addDays(2), QByteArray(3 << 20, 'x') + "\r\n" + day(first.addDays(2), QTimeZone::utc(), 900, 2));
    write(first.addDays(3), QByteArray(100000, '\n'));
    expectFigures(QStringLiteral("UTC"), first, first.addDays(3));
}

} // namespace
