#include "LogfileTestSupport.h"

#include "chart/StripChartTime.h"
#include "core/LogTimeStamp.h"

#include <gtest/gtest.h>

namespace {

const double Day20260211 = double(LogTimeStamp::dayNumber(2026, 2, 11));

double at(double day, int h, int m, double s) { return day + (h * 3600 + m * 60 + s) / 86400.0; }

struct Loaded {
    LogfileReader::Result result;
    RecordingSink sink;
};

std::unique_ptr<Loaded> load(const QByteArray& bytes, LogfileReader::Settings settings = LogfileReader::Settings(),
                             int stopAfterQuestions = -1)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("t.vlg"), bytes);
    auto loaded = std::make_unique<Loaded>();
    loaded->sink.stopAfterQuestions = stopAfterQuestions;
    LogfileReader reader(settings);
    loaded->result = reader.readFile(path, loaded->sink);
    return loaded;
}

TEST(LogfileReader, InfoOnlyFileListsEveryLineAndPlotsNothing)
{
    const auto l = load(logLine("02-11-2026", "10:34:25", "Measure Started at Main_Engine !")
                        + logLine("02-11-2026", "10:34:25", "lbl_S1 Sensor1") + "\r\n" + "short\n");
    ASSERT_TRUE(l->result.opened);
    ASSERT_EQ(l->sink.infos.size(), 4u);
    EXPECT_EQ(l->sink.infos[0], "#02-11-2026 10:34:25 Measure Started at Main_Engine !");
    EXPECT_EQ(l->sink.infos[2], "");
    EXPECT_EQ(l->sink.infos[3], "short");
    EXPECT_TRUE(l->sink.rows.empty());
}

TEST(LogfileReader, RecordsOfOneSecondAreSpreadOverTheSecondOfTheClosingLine)
{
    QByteArray file;
    for (int i = 0; i < 10; ++i)
        file += logLine("02-11-2026", "10:00:00", sensorRecord(1 + i % 6));
    file += logLine("02-11-2026", "10:00:01", sensorRecord(1));
    const auto l = load(file);
    ASSERT_EQ(l->sink.rows.size(), 11u);
    for (int k = 0; k < 10; ++k)
        EXPECT_DOUBLE_EQ(l->sink.rows[size_t(k)].x, at(Day20260211, 10, 0, 1 + k / 10.0)) << k;
    EXPECT_EQ(l->sink.rows[3].sensor, 4);
}

TEST(LogfileReader, PlottedDayShowsTheLinesDateOnTheChartAxis)
{
    const auto l = load(logLine("02-11-2026", "10:34:25", sensorRecord(1))
                        + logLine("02-11-2026", "10:34:26", sensorRecord(2)));
    ASSERT_EQ(l->sink.rows.size(), 2u);
    EXPECT_EQ(chartTimeLabel(l->sink.rows[0].x), QStringLiteral("2/11 10:34:26"));
    EXPECT_EQ(chartDateTimeFromDays(l->sink.rows[0].x).date(), QDate(2026, 2, 11));
    // Early in 2000, where a count from 30 December 1999 read on this axis
    // would be a day off.
    const auto early = load(logLine("01-15-2000", "08:00:00", sensorRecord(1))
                            + logLine("01-15-2000", "08:00:01", sensorRecord(1)));
    ASSERT_FALSE(early->sink.rows.empty());
    EXPECT_EQ(chartDateTimeFromDays(early->sink.rows[0].x).date(), QDate(2000, 1, 15));
}

TEST(LogfileReader, RecordWhoseTimeDoesNotAdvanceIsDropped)
{
    // Each line closes a one-line group with the same second: equal x.
    const auto l = load(logLine("02-11-2026", "10:00:00", sensorRecord(1))
                        + logLine("02-11-2026", "10:00:01", sensorRecord(2))
                        + logLine("02-11-2026", "10:00:01", sensorRecord(3))
                        + logLine("02-11-2026", "10:00:00", sensorRecord(4))
                        + logLine("02-11-2026", "10:00:02", sensorRecord(5)));
    std::vector<int> sensors;
    for (const auto& r : l->sink.rows)
        sensors.push_back(r.sensor);
    // Sensor 2 gets sensor 1's x; sensor 3 is closed by an earlier second.
    EXPECT_EQ(sensors, (std::vector<int>{1, 4, 5}));
}

TEST(LogfileReader, LaterRecordsOfAGroupAdvanceByTheirFractionAndANewDayAdvancesAtAnyHour)
{
    const auto l = load(logLine("02-11-2026", "10:00:00", sensorRecord(1))
                        + logLine("02-11-2026", "10:00:05", sensorRecord(5))  // plots 1 at :05
                        + logLine("02-11-2026", "10:00:04", sensorRecord(2))  // 5 at :04 is behind
                        + logLine("02-11-2026", "10:00:04", sensorRecord(3))
                        + logLine("02-11-2026", "10:00:05", sensorRecord(4))  // 2 at :05 no, 3 at :05.5
                        + logLine("02-11-2026", "23:59:59", sensorRecord(6))  // 4 at 23:59:59
                        + logLine("02-12-2026", "00:00:00", sensorRecord(1))  // 6 at midnight
                        + logLine("02-11-2026", "23:59:58", sensorRecord(2))); // 1 a day back; 2 as last
    std::vector<int> sensors;
    for (const auto& r : l->sink.rows)
        sensors.push_back(r.sensor);
    EXPECT_EQ(sensors, (std::vector<int>{1, 3, 4, 6}));
    ASSERT_EQ(l->sink.rows.size(), 4u);
    EXPECT_DOUBLE_EQ(l->sink.rows[1].x, at(Day20260211, 10, 0, 5.5));
    EXPECT_DOUBLE_EQ(l->sink.rows[3].x, at(Day20260211 + 1, 0, 0, 0));
}

TEST(LogfileReader, SensorRecordValuesAreSignedAndInTheirUnits)
{
    const auto l = load(logLine("02-11-2026", "10:00:00", sensorRecord(6, "F6FF9C0019FF9C00EB"))
                        + logLine("02-11-2026", "10:00:01", sensorRecord(1, "1E0226001900C800EB")));
    ASSERT_EQ(l->sink.rows.size(), 2u);
    const PlotRow& a = l->sink.rows[0];
    EXPECT_EQ(a.sensor, 6);
    EXPECT_DOUBLE_EQ(a.value[0], -10);
    EXPECT_DOUBLE_EQ(a.value[1], -10.0);
    EXPECT_DOUBLE_EQ(a.value[2], 2.5); // loss factor in percent, as the live chart shows it
    EXPECT_DOUBLE_EQ(a.value[3], -10.0);
    EXPECT_DOUBLE_EQ(a.value[4], 23.5);
    const PlotRow& b = l->sink.rows[1];
    EXPECT_DOUBLE_EQ(b.value[0], 30);
    EXPECT_DOUBLE_EQ(b.value[1], 55.0);
    EXPECT_DOUBLE_EQ(b.value[3], 20.0);
}

TEST(LogfileReader, SkippedRecordsStillTakeTheirPlaceInTheSecond)
{
    // Codes 07 (sensor 8), 80, 82, 89 and bad hex are not plotted, but the
    // four records of the second are still spread in quarters.
    QByteArray file = logLine("02-11-2026", "10:00:00", ":07" + QByteArray(36, '0'))
        + logLine("02-11-2026", "10:00:00", ":80,text,more")
        + logLine("02-11-2026", "10:00:00", ":00ZZ0226001900C800EB0021")
        + logLine("02-11-2026", "10:00:00", sensorRecord(2))
        + logLine("02-11-2026", "10:00:01", ":82") + logLine("02-11-2026", "10:00:02", ":89");
    const auto l = load(file);
    ASSERT_EQ(l->sink.rows.size(), 1u);
    EXPECT_EQ(l->sink.rows[0].sensor, 2);
    EXPECT_DOUBLE_EQ(l->sink.rows[0].x, at(Day20260211, 10, 0, 1.75));
}

TEST(LogfileReader, HiddenSensorIsSkippedWithoutBlockingLaterRows)
{
    LogfileReader::Settings settings;
    settings.sensorShown[1] = false;
    const auto l = load(logLine("02-11-2026", "10:00:00", sensorRecord(1))
                            + logLine("02-11-2026", "10:00:00", sensorRecord(2))
                            + logLine("02-11-2026", "10:00:01", sensorRecord(1)),
                        settings);
    ASSERT_EQ(l->sink.rows.size(), 1u);
    EXPECT_EQ(l->sink.rows[0].sensor, 2);
    EXPECT_DOUBLE_EQ(l->sink.rows[0].x, at(Day20260211, 10, 0, 1.5));
}

TEST(LogfileReader, ShortParameterRecordKeepsTheLastThreeWords)
{
    const QByteArray head = ":8107K31Version 1.00 " + QByteArray(16, '-') + "SN123456" + "02";
    const QByteArray words8 = "00C8009600500046000A0002003C0032"; // 200 150 80 70 10 2 60 50
    const QByteArray full = head + words8 + "0514" + "0000" + "0007";
    const auto l = load(logLine("02-11-2026", "10:00:00", full) + logLine("02-11-2026", "10:00:01", head + words8)
                        + logLine("02-11-2026", "10:00:02", ":80"));
    ASSERT_EQ(l->sink.parameters.size(), 2u);
    ParameterInfo info;
    l->sink.parameters[0].applyTo(info);
    EXPECT_EQ(info.modelCode, QStringLiteral("07K31"));
    EXPECT_EQ(info.serialNumber, QStringLiteral("SN123456"));
    EXPECT_EQ(info.sensorCount, 2);
    EXPECT_EQ(info.mainAlarmLevel, 200);
    EXPECT_EQ(info.tempPreAlarmLevel2, 50);
    EXPECT_EQ(info.mainAlarmLevelHigh, 1300);
    EXPECT_EQ(info.preAlarmLevel2, 7);
    info.mainAlarmLevel = 0;
    EXPECT_FALSE(l->sink.parameters[1].hasHighLevels);
    l->sink.parameters[1].applyTo(info);
    EXPECT_EQ(info.mainAlarmLevel, 200);
    EXPECT_EQ(info.mainAlarmLevelHigh, 1300);
    EXPECT_EQ(info.preAlarmLevel2, 7);
}

TEST(LogfileReader, SwapDateReadsTheFirstFieldAsTheDay)
{
    LogfileReader::Settings swapped;
    swapped.swapDate = true;
    const QByteArray file = logLine("03-04-2026", "10:00:00", sensorRecord(1))
        + logLine("03-04-2026", "10:00:01", sensorRecord(1));
    const auto plain = load(file);
    const auto swap = load(file, swapped);
    ASSERT_FALSE(plain->sink.rows.empty());
    ASSERT_FALSE(swap->sink.rows.empty());
    EXPECT_EQ(chartDateTimeFromDays(plain->sink.rows[0].x).date(), QDate(2026, 3, 4));
    EXPECT_EQ(chartDateTimeFromDays(swap->sink.rows[0].x).date(), QDate(2026, 4, 3));
    EXPECT_EQ(LogTimeStamp::MakeDateText(4, 3, 2026), QStringLiteral(" 4/ 3/ 2026"));
}

TEST(LogfileReader, GroupClosedByANonexistentDateIsSkipped)
{
    const auto l = load(logLine("02-11-2026", "10:00:00", sensorRecord(1))
                        + logLine("13-11-2026", "10:00:01", sensorRecord(2))
                        + logLine("02-11-2026", "10:00:02", sensorRecord(3)));
    ASSERT_EQ(l->sink.rows.size(), 2u); // sensor 2 closed by 10:00:02, sensor 3 as the last group
    EXPECT_EQ(l->sink.rows[0].sensor, 2);
}

TEST(LogfileReader, BigFileRuleJoinsOnlyTheFollowingSecond)
{
    LogfileReader::Settings big;
    big.bigFileBytes = 10; // every test file counts as big
    QByteArray file;
    for (const char* t : {"10:00:00", "10:00:00", "10:00:01", "10:00:01", "10:00:02"})
        file += logLine("02-11-2026", t, sensorRecord(1));
    const auto l = load(file, big);
    // Line 2 closes [line 1] at :00; lines 3 and 4 join line 2; line 5
    // closes [2,3,4] at :02 in thirds; line 5 is the last group.
    ASSERT_EQ(l->sink.rows.size(), 5u);
    EXPECT_DOUBLE_EQ(l->sink.rows[0].x, at(Day20260211, 10, 0, 0));
    EXPECT_DOUBLE_EQ(l->sink.rows[1].x, at(Day20260211, 10, 0, 2));
    EXPECT_DOUBLE_EQ(l->sink.rows[3].x, at(Day20260211, 10, 0, 2 + 2.0 / 3));
}

TEST(LogfileReader, LinesBeyondTheGroupBufferAreDropped)
{
    QByteArray file;
    for (int i = 0; i < 700; ++i)
        file += logLine("02-11-2026", "10:00:00", sensorRecord(1 + i % 6));
    file += logLine("02-11-2026", "10:00:01", sensorRecord(1));
    const auto l = load(file);
    ASSERT_EQ(l->sink.rows.size(), 501u);
    EXPECT_DOUBLE_EQ(l->sink.rows[1].x, at(Day20260211, 10, 0, 1 + 1.0 / 500));
}

TEST(LogfileReader, LastGroupIsPlottedAfterTheRest)
{
    // All records in one second: without the last group nothing would show.
    QByteArray one;
    for (int i = 0; i < 4; ++i)
        one += logLine("02-11-2026", "10:00:00", sensorRecord(1 + i));
    const auto single = load(one);
    ASSERT_EQ(single->sink.rows.size(), 4u);
    EXPECT_DOUBLE_EQ(single->sink.rows[0].x, at(Day20260211, 10, 0, 1));
    EXPECT_DOUBLE_EQ(single->sink.rows[3].x, at(Day20260211, 10, 0, 1.75));

    // After earlier seconds the last group follows on without collisions.
    const auto l = load(one + logLine("02-11-2026", "10:00:01", sensorRecord(5))
                        + logLine("02-11-2026", "10:00:01", sensorRecord(6)) + logLine("02-11-2026", "10:00:01", "Evaluator connected at X !"));
    ASSERT_EQ(l->sink.rows.size(), 6u);
    EXPECT_EQ(l->sink.rows[5].sensor, 6);
    EXPECT_DOUBLE_EQ(l->sink.rows[5].x, at(Day20260211, 10, 0, 2.5));
}

TEST(LogfileReader, StopEndsReadingAndStillPlotsTheLinesReadBeforeIt)
{
    QByteArray file;
    for (int s = 0; s < 5; ++s)
        for (int i = 0; i < 2; ++i)
            file += logLine("02-11-2026", QByteArray("10:00:0" + QByteArray::number(s)).constData(), sensorRecord(1 + i));
    const auto l = load(file, LogfileReader::Settings(), 3);
    EXPECT_TRUE(l->result.stopped);
    EXPECT_EQ(l->result.lines, 3);
    ASSERT_EQ(l->sink.rows.size(), 3u); // [1,2] closed by line 3, line 3 as the last group
    EXPECT_DOUBLE_EQ(l->sink.rows[2].x, at(Day20260211, 10, 0, 2));
}

TEST(LogfileReader, YieldsEveryTwentyThousandAndOneLines)
{
    QByteArray file;
    const QByteArray info = logLine("02-11-2026", "10:00:00", "info");
    for (int i = 0; i < 45000; ++i)
        file += info;
    const auto l = load(file);
    ASSERT_EQ(l->sink.yields.size(), 2u);
    EXPECT_EQ(l->sink.yields[0], 20001 * info.size());
    EXPECT_EQ(l->sink.yields[1], 40002 * info.size());
    EXPECT_EQ(l->result.bytesRead, file.size());
}

TEST(LogfileReader, OverlongLinesAndOddLineEndsNeitherCrashNorLoseLines)
{
    QByteArray file = logLine("02-11-2026", "10:00:00", QByteArray(100000, 'x'));
    file += "#02-11-2026 10:00:00 :001E0226001900C800EB" + QByteArray(50000, 'F') + "\n";
    file += "#02-11-2026 10:00:01 :001E0226001900C800EB\n";
    file += "#02-11-2026 10:00:01 " + QByteArray(int(LogfileReader::MaxLineLength) - 21, 'y') + "\r\n";
    file += "no line end";
    // Mapped and read, in blocks that lines straddle (a CR at the end of one
    // block, its LF at the start of the next) and in blocks holding it all.
    for (const bool map : {true, false}) {
        for (const size_t blockBytes : {size_t(1), size_t(7), size_t(64), size_t(4096), size_t(1) << 20}) {
            SCOPED_TRACE(testing::Message() << "map " << map << ", blocks of " << blockBytes);
            LogfileReader::Settings settings;
            settings.blockBytes = blockBytes;
            settings.mapFile = map;
            const auto l = load(file, settings);
            ASSERT_EQ(l->result.lines, 5);
            ASSERT_EQ(l->sink.infos.size(), 3u);
            EXPECT_EQ(size_t(l->sink.infos[0].size()), LogfileReader::MaxLineLength);
            EXPECT_EQ(size_t(l->sink.infos[1].size()), LogfileReader::MaxLineLength);
            EXPECT_TRUE(l->sink.infos[1].endsWith('y'));
            EXPECT_EQ(l->sink.infos[2], "no line end");
            EXPECT_EQ(l->result.bytesRead, file.size());
            ASSERT_EQ(l->sink.rows.size(), 2u);
            EXPECT_EQ(l->sink.rows[0].sensor, 1);
        }
    }
}

TEST(LogfileReader, MissingFileReportsWhy)
{
    RecordingSink sink;
    LogfileReader reader;
    const auto result = reader.readFile(QStringLiteral("/nonexistent/dir/x.vlg"), sink);
    EXPECT_FALSE(result.opened);
    EXPECT_FALSE(result.error.isEmpty());
}

TEST(LogTimeStamp, FieldsReadLeadingNumbersAndNonexistentDatesAreRefused)
{
    const QByteArray line = "#02-11-2026 10:34:25 x";
    const auto f = LogTimeStamp::read(line.constData(), size_t(line.size()));
    EXPECT_EQ(f.first, 2);
    EXPECT_EQ(f.second, 11);
    EXPECT_EQ(f.year, 2026);
    EXPECT_EQ(f.hour, 10);
    EXPECT_EQ(f.minute, 34);
    EXPECT_EQ(f.sec, 25);
    const QByteArray odd = "# 2-x1-2026 -3:2.507";
    const auto g = LogTimeStamp::read(odd.constData(), size_t(odd.size()));
    EXPECT_EQ(g.first, 2);
    EXPECT_EQ(g.second, 0);
    EXPECT_EQ(g.hour, -3);
    EXPECT_EQ(g.minute, 2); // "2.50" rounds half to even
    EXPECT_EQ(g.sec, 7);
    EXPECT_EQ(LogTimeStamp::dayNumber(1899, 12, 30), 0);
    EXPECT_EQ(LogTimeStamp::dayNumber(2000, 3, 1), 36586);
    EXPECT_EQ(LogTimeStamp::dayNumber(2026, 2, 29), -1);
    EXPECT_EQ(LogTimeStamp::dayNumber(2024, 2, 29), 45351);
}

} // namespace
