// The evaluator's parameter record as of an instant, found from what the
// store keeps of each logfile without reading the logfiles again.
#include "history/HistoryBuilder.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"

#include "HistoryTestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace HistoryTest;

namespace {

const QTimeZone Zone = QTimeZone::systemTimeZone();

// A parameter record whose levels are `main`, 60 and the rest fixed; the
// short form (79 characters) leaves out the three high levels.
QByteArray parameterRecord(int main, bool withHighLevels, int mainHigh = 1300)
{
    QByteArray r = ":8107K31V2.14 TEST   " + QByteArray(16, '0') + "SN000042" + "02";
    const int levels[] = {main, 60, 900, 800, 0, 0, 0, 0, mainHigh, 0, 0};
    for (int i = 0; i < (withHighLevels ? 11 : 8); ++i)
        r += QByteArray::number(levels[i], 16).rightJustified(4, '0').toUpper();
    return r;
}

QByteArray line(const QDate& date, const QTime& time, const QByteArray& text)
{
    return stamp(QDateTime(date, time, Zone)) + text + "\r\n";
}

int64_t instant(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, Zone).toSecsSinceEpoch();
}

struct Folder {
    QTemporaryDir logs;
    QString path(const QDate& d) const { return logs.filePath(fileName(d)); }
    std::vector<FileState> build()
    {
        const QString store = logs.filePath(QStringLiteral("store.sqlite"));
        HistoryBuilder builder({store, logs.path(), QStringLiteral("Main_Engine"), false, 2});
        const BuildResult result = builder.buildAll(LogfileCatalog(logs.path()).files(QStringLiteral("Main_Engine")));
        EXPECT_TRUE(result.complete()) << qPrintable(result.storeError);
        return SummaryStore(store, logs.path(), false).files(QStringLiteral("Main_Engine"));
    }
};

TEST(StoredParameterRecord, TheLastRecordAsOfAnInstantWithTheHighLevelsOfAnEarlierOne)
{
    Folder f;
    const QDate first(2026, 4, 1), second(2026, 4, 2);
    const int v[5] = {30, 550, 25, 200, 235};
    // Rows at midnight, then the records in the order of their times.
    ASSERT_TRUE(writeFile(f.path(first), day(first, Zone, 86400, 2)
                                             + line(first, QTime(8, 0), parameterRecord(80, true, 110))
                                             + line(first, QTime(12, 0), parameterRecord(85, false))
                                             + line(first, QTime(13, 0), ":81" + QByteArray(60, 'X'))
                                             + line(first, QTime(14, 0), record(1, v))));
    ASSERT_TRUE(writeFile(f.path(second), day(second, Zone, 86400, 2)));

    std::vector<FileState> files = f.build();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].parameterRecord, parameterRecord(85, false)) << "a damaged record is passed over";
    EXPECT_EQ(files[0].parameterRecordWithHighLevels, parameterRecord(80, true, 110));
    EXPECT_EQ(files[0].parameterInstant, instant(first, QTime(12, 0)));
    EXPECT_TRUE(files[1].parameterRecord.isEmpty());

    const std::optional<ParameterInfo> lastDay = LastParameterRecord::asOf(files, instant(second, QTime(23, 0)));
    ASSERT_TRUE(lastDay);
    EXPECT_EQ(lastDay->mainAlarmLevel, 85);
    EXPECT_EQ(lastDay->mainAlarmLevelHigh, 110) << "kept from the record that carried it";
    EXPECT_EQ(lastDay->sensorCount, 2);
    EXPECT_FALSE(LastParameterRecord::asOf(files, instant(first, QTime(7, 0))));

    // The next day's file grows by a record that carries no high levels, and
    // by rows after it: read on, not anew.
    ASSERT_TRUE(appendFile(f.path(second), line(second, QTime(23, 30), parameterRecord(90, false))));
    files = f.build();
    ASSERT_TRUE(appendFile(f.path(second), line(second, QTime(23, 40), record(1, v))));
    files = f.build();
    EXPECT_EQ(files[1].parameterRecord, parameterRecord(90, false));
    const std::optional<ParameterInfo> grown
        = LastParameterRecord::asOf(files, instant(second.addDays(1), QTime(0, 0)));
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->mainAlarmLevel, 90);
    EXPECT_EQ(grown->mainAlarmLevelHigh, 110);
    EXPECT_EQ(LastParameterRecord::asOf(files, instant(second, QTime(23, 0)))->mainAlarmLevel, 85);
}

TEST(StoredParameterRecord, HighLevelsNoRecordCarriedAreOff)
{
    Folder f;
    const QDate d(2026, 4, 1);
    ASSERT_TRUE(writeFile(f.path(d), day(d, Zone, 86400, 1) + line(d, QTime(8, 0), parameterRecord(80, false))));
    const std::optional<ParameterInfo> p = LastParameterRecord::asOf(f.build(), instant(d.addDays(1), QTime(0, 0)));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->mainAlarmLevel, 80);
    EXPECT_EQ(p->mainAlarmLevelHigh, 1300);
    EXPECT_EQ(p->preAlarmLevelHigh, 0);
}

// The tool's levels come from a record logged weeks before the window.
TEST(StoredParameterRecord, TheToolLooksBackBeyondTheWindowForTheRecord)
{
    Folder f;
    const QDate early(2026, 4, 1), late(2026, 4, 20);
    ASSERT_TRUE(
        writeFile(f.path(early), day(early, Zone, 86400, 1) + line(early, QTime(8, 0), parameterRecord(80, false))));
    for (QDate d = late.addDays(-5); d <= late; d = d.addDays(1))
        ASSERT_TRUE(writeFile(f.path(d), day(d, Zone, 3600, 1)));
    const auto levelsOf = [&](const QString& folder) {
        const ToolRun run = tool({QStringLiteral("forecast"), QStringLiteral("--logdir"), folder,
                                  QStringLiteral("--installation"), QStringLiteral("Main_Engine"),
                                  QStringLiteral("--at"), late.toString(Qt::ISODate), QStringLiteral("--window-days"),
                                  QStringLiteral("5")},
                                 QString::fromLatin1(QTimeZone::systemTimeZoneId()));
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        QStringList levels;
        for (const QJsonValue& v : QJsonDocument::fromJson(run.out).array())
            levels << v[QLatin1String("level")].toString() + QLatin1Char(' ')
                    + QString::number(v[QLatin1String("level_value")].toDouble());
        return levels;
    };
    const QStringList levels = levelsOf(f.logs.path());
    EXPECT_TRUE(levels.contains(QStringLiteral("pre_alarm 60"))) << qPrintable(levels.join(QLatin1Char(',')));
    EXPECT_TRUE(levels.contains(QStringLiteral("main_alarm 80")));

    QTemporaryDir without;
    for (QDate d = late.addDays(-5); d <= late; d = d.addDays(1))
        ASSERT_TRUE(QFile::copy(f.path(d), without.filePath(fileName(d))));
    EXPECT_FALSE(levelsOf(without.path()).contains(QStringLiteral("pre_alarm 60")));
}

} // namespace
