// The two lines a logger writes when it comes back after an unexpected end,
// and reading the end's time back from them.
#include "config/ConfigValues.h"
#include "core/Events.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "support/Fakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(RunningAgain, BothFilesSayWhenTheLoggerEndedAndWhenItCameBack)
{
    QTemporaryDir dir;
    ConfigValues config;
    config.LOGDIR = dir.path() + "/";
    config.INSTALLATION = QStringLiteral("Pump 2");
    LogState state;
    FakeClock clock(QDateTime(QDate(2026, 2, 12), QTime(0, 0, 4)));
    LogWriter writer(state, config, clock);

    // Ended the evening before; comes back after midnight, into the new day's file.
    writer.writeRunningAgain(QDateTime(QDate(2026, 2, 11), QTime(23, 59, 58)));
    const QByteArray expected = "#02-12-2026 00:00:04 Logger ended unexpectedly at 02-11-2026 23:59:58 !\r\n"
                                "#02-12-2026 00:00:04 Logger running again at Pump 2 !\r\n";
    EXPECT_EQ(readFile(dir.filePath("20260212VL_Pump 2.vlg")), expected);
    EXPECT_EQ(readFile(dir.filePath("events_VELTRA.txt")), expected);
}

TEST(RunningAgain, EndTimeReadsBackFromItsLineTextOnly)
{
    const QDateTime end(QDate(2026, 7, 1), QTime(13, 5, 9));
    EXPECT_EQ(Events::loggerEndedAt(Events::loggerEndedText(end)), end);
    for (const char* other :
         {"Logger running again at Main_Engine !", "Logger ended unexpectedly at 13-45-2026 10:00:00 !",
          "Logger ended unexpectedly at 07-01-2026 13:05:09", "Measure Stopped"})
        EXPECT_EQ(Events::loggerEndedAt(QString::fromLatin1(other)), std::nullopt) << other;
}

} // namespace
