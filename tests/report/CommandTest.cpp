// veltra-history report and journal from a script's side: exit codes,
// messages on standard error, nothing written when the work fails.
#include "Programs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Utc = QStringLiteral("UTC");

// A day of Main_Engine with an oil-quality alarm of sensor 2.
QString writeDay(const QTemporaryDir& dir)
{
    const QByteArray record = ":011E0226001900C800EB0021000000000000\r\n";
    QByteArray day = "#02-11-2026 00:00:00 Measure Started at Main_Engine !\r\n";
    for (int h = 0; h < 24; ++h) {
        day += QStringLiteral("#02-11-2026 %1:00:00 ").arg(h, 2, 10, QLatin1Char('0')).toLatin1() + record;
        if (h == 10)
            day += "#02-11-2026 10:00:05 Sensor 2 Oil quality Prealarm ON !\r\n"
                   "#02-11-2026 10:30:05 Sensor 2 Oil quality Prealarm OFF !\r\n";
    }
    QFile f(dir.filePath(QStringLiteral("20260211VL_Main_Engine.vlg")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(day) == day.size());
    return dir.path();
}

QStringList command(const QString& name, const QString& logDir, const QStringList& extra)
{
    return QStringList{name, QStringLiteral("--logdir"), logDir, QStringLiteral("--installation"),
                       QStringLiteral("Main_Engine")}
        + extra;
}

const QStringList Day{QStringLiteral("--from"), QStringLiteral("2026-02-11"), QStringLiteral("--to"),
                      QStringLiteral("2026-02-11")};

TEST(Command, ReportAndJournalRefuseBadRequestsWithCodeTwoAndWriteNothing)
{
    QTemporaryDir logs, out;
    const QString dir = writeDay(logs);
    const QString pdf = out.filePath(QStringLiteral("r.pdf"));
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {command(QStringLiteral("report"), dir, Day), "--output is missing"},
        {command(QStringLiteral("report"), dir,
                 {QStringLiteral("--from"), QStringLiteral("2026-02-12"), QStringLiteral("--to"),
                  QStringLiteral("2026-02-11"), QStringLiteral("--output"), pdf}),
         "--from comes after --to"},
        {command(QStringLiteral("report"), dir,
                 {QStringLiteral("--from"), QStringLiteral("2026-03-01"), QStringLiteral("--to"),
                  QStringLiteral("2026-03-02"), QStringLiteral("--output"), pdf}),
         "no logfiles of Main_Engine from 2026-03-01 to 2026-03-02"},
        {command(QStringLiteral("report"), dir + QStringLiteral("/none"),
                 Day + QStringList{QStringLiteral("--output"), pdf}),
         "cannot read the log folder"},
        {command(QStringLiteral("journal"), dir, {QStringLiteral("--from"), QStringLiteral("2026-02-11")}),
         "--to is missing"},
    };
    for (const auto& c : cases) {
        const Programs::Run r = Programs::run(Programs::historyTool(), c.arguments, Utc);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(c.arguments.join(QLatin1Char(' ')));
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.constData();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(Command, AReportThatCannotBeWrittenSaysWhyWithCodeOne)
{
    QTemporaryDir logs, out;
    const QString dir = writeDay(logs);
    const QString pdf = out.filePath(QStringLiteral("missing/r.pdf"));
    const QStringList arguments
        = command(QStringLiteral("report"), dir, Day + QStringList{QStringLiteral("--output"), pdf});
    const Programs::Run r = Programs::run(Programs::historyTool(), arguments, Utc);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("cannot write " + pdf.toUtf8())) << r.err.constData();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

TEST(Command, JournalPrintsItsEntriesAsCsvAndHelpNamesBothCommands)
{
    QTemporaryDir logs;
    const QStringList arguments = command(QStringLiteral("journal"), writeDay(logs), Day);
    const Programs::Run r = Programs::run(Programs::historyTool(), arguments, Utc);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, QByteArray("kind,sensor,quantity,level,relay,start,confirmed,end,duration_s,open,began_before,"
                                "remarks\r\n"
                                "sensor_alarm,2,oil_quality,pre_alarm,0,2026-02-11T10:00:05+00:00,,"
                                "2026-02-11T10:30:05+00:00,1800,0,0,\r\n"));
    const Programs::Run help = Programs::run(Programs::historyTool(), {QStringLiteral("--help")}, Utc);
    for (const char* text : {"report", "journal", "--output", "FILE.pdf"})
        EXPECT_TRUE(help.out.contains(text)) << text;
}

} // namespace
