// What veltra-history says and returns when it cannot do what it is asked:
// scripts rely on exit code 2 and a message on standard error.
#include "HistoryTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace HistoryTest;

namespace {

const QString Utc = QStringLiteral("UTC");

struct Case {
    QStringList arguments;
    const char* message; // in standard error
};

void expectRefusedWithCodeTwo(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const ToolRun r = tool(c.arguments, Utc);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(c.arguments.join(QLatin1Char(' ')));
        EXPECT_TRUE(r.err.contains(c.message))
            << qPrintable(c.arguments.join(QLatin1Char(' '))) << ": " << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(CommandLine, BadExportArgumentsFoldersAndRangesEndWithCodeTwoAndAMessage)
{
    QTemporaryDir logs;
    ASSERT_TRUE(writeFile(logs.filePath(fileName(QDate(2026, 2, 11))), day(QDate(2026, 2, 11), QTimeZone::utc(), 600)));
    const QString dir = logs.path();
    const auto exportOf = [&](const QStringList& extra) {
        return QStringList{QStringLiteral("export"), QStringLiteral("--logdir"), dir, QStringLiteral("--installation"),
                           QStringLiteral("Main_Engine")} + extra;
    };
    const QStringList days{QStringLiteral("--from"), QStringLiteral("2026-02-11"), QStringLiteral("--to"),
                           QStringLiteral("2026-02-11")};
    const QStringList hourly{QStringLiteral("--every"), QStringLiteral("1h")};
    const std::vector<Case> cases {
        { {}, "Usage: veltra-history COMMAND" },
        { { QStringLiteral("predict") }, "unknown command 'predict'" },
        { exportOf(hourly), "--from is missing" },
        { QStringList { QStringLiteral("export") } + days + hourly, "--logdir is missing" },
        { exportOf(days), "--every takes 1m, 10m, 1h or 1d" },
        { exportOf(days + QStringList { QStringLiteral("--every"), QStringLiteral("2h") }), "--every takes" },
        { exportOf(hourly
              + QStringList { QStringLiteral("--from"), QStringLiteral("2026-2-11"), QStringLiteral("--to"),
                  QStringLiteral("2026-02-11") }),
            "YYYY-MM-DD" },
        { exportOf(hourly
              + QStringList { QStringLiteral("--from"), QStringLiteral("2026-02-12"), QStringLiteral("--to"),
                  QStringLiteral("2026-02-11") }),
            "--from comes after --to" },
        { exportOf(days + hourly + QStringList { QStringLiteral("--colour") }), "Unknown option 'colour'" },
        { exportOf(days + hourly + QStringList { QStringLiteral("extra") }), "unexpected argument 'extra'" },
        { exportOf(hourly
              + QStringList { QStringLiteral("--from"), QStringLiteral("2026-02-12"), QStringLiteral("--to"),
                  QStringLiteral("2026-03-01") }),
            "no logfiles of Main_Engine from 2026-02-12 to 2026-03-01" },
        { QStringList { QStringLiteral("export"), QStringLiteral("--logdir"), dir + QStringLiteral("/missing"),
              QStringLiteral("--installation"), QStringLiteral("Main_Engine") }
                + days + hourly,
            "cannot read the log folder" },
    };
    expectRefusedWithCodeTwo(cases);
}

TEST(CommandLine, BadForecastArgumentsEndWithCodeTwoAndAMessage)
{
    QTemporaryDir logs;
    ASSERT_TRUE(writeFile(logs.filePath(fileName(QDate(2026, 2, 11))), day(QDate(2026, 2, 11), QTimeZone::utc(), 600)));
    const QString dir = logs.path();
    const auto forecastOf = [&](const QStringList& extra) {
        return QStringList{QStringLiteral("forecast"), QStringLiteral("--logdir"), dir,
                           QStringLiteral("--installation"), QStringLiteral("Main_Engine")} + extra;
    };
    const std::vector<Case> forecasts {
        { { QStringLiteral("forecast"), QStringLiteral("--installation"), QStringLiteral("Main_Engine") },
            "--logdir is missing" },
        { forecastOf({ QStringLiteral("--at"), QStringLiteral("2026-02-30") }), "--at takes a day as YYYY-MM-DD" },
        { forecastOf({ QStringLiteral("--window-days"), QStringLiteral("0") }), "--window-days takes a whole number" },
        { forecastOf({ QStringLiteral("--window-days"), QStringLiteral("99999") }), "--window-days takes" },
        { forecastOf({ QStringLiteral("--window-days"), QStringLiteral("ten") }), "--window-days takes" },
        { forecastOf({ QStringLiteral("--from"), QStringLiteral("2026-02-11") }), "Unknown option 'from'" },
        { forecastOf({ QStringLiteral("--at"), QStringLiteral("2026-02-10") }),
            "no logfiles of Main_Engine up to 2026-02-10" },
    };
    expectRefusedWithCodeTwo(forecasts);
}

TEST(CommandLine, HelpListsTheCommandsAndTheirOptions)
{
    const ToolRun r = tool({QStringLiteral("--help")}, Utc);
    EXPECT_EQ(r.exitCode, 0);
    for (const char* text :
        { "export", "--logdir", "--installation", "--from", "--to", "--every", "--cache", "--output", "forecast",
            "--at", "--window-days" })
        EXPECT_TRUE(r.out.contains(text)) << text;
}

} // namespace
