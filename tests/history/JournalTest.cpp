// The alarm journal of hand-built logfiles: every kind of entry, read from
// the files and from the store alike.
#include "HistoryTestFiles.h"
#include "history/AlarmTimes.h"
#include "history/HistoryBuilder.h"
#include "history/JournalReader.h"
#include "history/JournalText.h"
#include "history/SummaryStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <algorithm>
#include <ctime>

using namespace HistoryTest;

namespace {

const QDate Day1(2026, 2, 10);
const QString Installation = QStringLiteral("Main_Engine");

// The lines of one day's logfile, written in the order of their times (lines
// of one second in the order given).
class DayFile {
public:
    explicit DayFile(const QDate& day) : day_(day) {}
    DayFile& at(const QString& time, const QByteArray& text)
    {
        return at(QTime::fromString(time, QStringLiteral("HH:mm:ss")).msecsSinceStartOfDay() / 1000, text);
    }
    DayFile& at(int second, const QByteArray& text)
    {
        lines_.push_back({second, int(lines_.size()), text});
        return *this;
    }
    // The header of a start, as the logger writes it.
    DayFile& started(const QString& time)
    {
        at(time, "Measure Started at Main_Engine !");
        for (int s = 1; s <= 6; ++s)
            at(time, "lbl_S" + QByteArray::number(s) + " Sensor" + QByteArray::number(s));
        return *this;
    }
    // A record of sensor 1 every `every` seconds from `from` to `to`, included.
    DayFile& records(const QString& from, const QString& to, int every = 600)
    {
        const int a = QTime::fromString(from, QStringLiteral("HH:mm:ss")).msecsSinceStartOfDay() / 1000;
        const int b = QTime::fromString(to, QStringLiteral("HH:mm:ss")).msecsSinceStartOfDay() / 1000;
        const int values[5] = {30, 550, 25, 200, 235};
        for (int t = a; t <= b; t += every)
            lines_.push_back({t, int(lines_.size()), record(1, values)});
        return *this;
    }
    bool write(const QString& dir) const
    {
        std::vector<Line> sorted = lines_;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Line& x, const Line& y) { return x.second < y.second; });
        QByteArray bytes;
        for (const Line& l : sorted)
            bytes += stamp(QDateTime(day_, QTime(0, 0).addSecs(l.second))) + l.text + "\r\n";
        return writeFile(dir + QLatin1Char('/') + fileName(day_), bytes);
    }

private:
    struct Line {
        int second;
        int order;
        QByteArray text;
    };
    QDate day_;
    std::vector<Line> lines_;
};

class Journal : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedZone_ = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void TearDown() override
    {
        qputenv("TZ", savedZone_);
        tzset();
    }
    static qint64 instant(const QDate& day, const QString& time)
    {
        return QDateTime(day, QTime::fromString(time, QStringLiteral("HH:mm:ss"))).toSecsSinceEpoch();
    }
    QString storePath() const { return stores.filePath(QStringLiteral("store.sqlite")); }
    void build() const
    {
        HistoryBuilder builder({storePath(), logs.path(), Installation, false, 2});
        const BuildResult result = builder.buildAll(LogfileCatalog(logs.path()).files(Installation));
        ASSERT_TRUE(result.complete()) << qPrintable(result.storeError);
    }
    // The entries of local days [from, to] as "what start-end confirmed remarks", times as
    // "dd HH:mm:ss".
    QStringList journal(const QDate& from, const QDate& to, int64_t* bytesRead = nullptr) const
    {
        SummaryStore store(storePath(), logs.path(), false);
        const LogfileCatalog catalog(logs.path());
        JournalReader reader(store, catalog, false);
        std::vector<JournalEntry> entries;
        EXPECT_TRUE(reader.read(Installation, instant(from, QStringLiteral("00:00:00")),
                                instant(to.addDays(1), QStringLiteral("00:00:00")), entries))
            << qPrintable(reader.error());
        if (bytesRead)
            *bytesRead = reader.bytesRead();
        entries_ = entries;
        QStringList out;
        const auto time = [](qint64 t) {
            return QDateTime::fromSecsSinceEpoch(t).toString(QStringLiteral("dd HH:mm:ss"));
        };
        for (const JournalEntry& e : entries) {
            QString line = JournalText::what(e) + QLatin1Char(' ') + time(e.start) + QLatin1Char('-')
                + (e.open ? QStringLiteral("open") : time(e.end));
            if (e.isConfirmed())
                line += QStringLiteral(" confirmed ") + time(e.confirmed);
            if (!JournalText::remarks(e).isEmpty())
                line += QStringLiteral(" (") + JournalText::remarks(e) + QLatin1Char(')');
            out << line;
        }
        return out;
    }

    QTemporaryDir logs;
    QTemporaryDir stores;
    mutable std::vector<JournalEntry> entries_;
    QByteArray savedZone_;
};

// Two days of a running measurement: relays come before sensors in a tick,
// a main confirmation covers both relays and the alarms under the pop-up,
// pre-alarm and main alarm nest, and a temperature alarm runs over midnight
// into the next day's file, whose header is no new start.
void writeNestedAndOvernight(const QString& dir)
{
    DayFile(Day1)
        .started(QStringLiteral("00:00:00"))
        .records(QStringLiteral("00:00:00"), QStringLiteral("23:59:00"), 60)
        .at(QStringLiteral("00:00:01"), "Evaluator connected at Main_Engine !")
        .at(QStringLiteral("10:00:00"), "Alarm Relay 2 ON !")
        .at(QStringLiteral("10:00:00"), "Sensor 2 Oil quality Prealarm ON !")
        .at(QStringLiteral("10:05:00"), "Alarm Relay 1 ON !")
        .at(QStringLiteral("10:05:00"), "Sensor 2 Oil quality Mainalarm ON !")
        .at(QStringLiteral("10:06:00"), "Mainalarm confirmed by user!")
        .at(QStringLiteral("10:10:00"), "Sensor 3 Temperature Prealarm ON !")
        .at(QStringLiteral("10:30:00"), "Alarm Relay 1 OFF !")
        .at(QStringLiteral("10:30:00"), "Alarm Relay 2 OFF !")
        .at(QStringLiteral("10:30:00"), "Sensor 2 Oil quality Prealarm OFF !")
        .at(QStringLiteral("10:30:00"), "Sensor 2 Oil quality Mainalarm OFF !")
        .at(QStringLiteral("23:50:00"), "Sensor 3 Temperature Mainalarm ON !")
        .write(dir);
    DayFile(Day1.addDays(1))
        .started(QStringLiteral("00:00:00"))
        .records(QStringLiteral("00:00:00"), QStringLiteral("23:59:00"), 60)
        .at(QStringLiteral("01:15:00"), "Sensor 3 Temperature Prealarm OFF !")
        .at(QStringLiteral("01:15:00"), "Sensor 3 Temperature Mainalarm OFF !")
        .write(dir);
}

TEST_F(Journal, NestedAndOverlappingAlarmsOneEpisodeOverMidnightAndFiles)
{
    writeNestedAndOvernight(logs.path());
    EXPECT_EQ(journal(Day1, Day1.addDays(1)),
              (QStringList{
                  QStringLiteral("Alarm relay 2 10 10:00:00-10 10:30:00 confirmed 10 10:06:00"),
                  QStringLiteral("Sensor 2 oil quality pre-alarm 10 10:00:00-10 10:30:00 confirmed 10 10:06:00"),
                  QStringLiteral("Alarm relay 1 10 10:05:00-10 10:30:00 confirmed 10 10:06:00"),
                  QStringLiteral("Sensor 2 oil quality main alarm 10 10:05:00-10 10:30:00 confirmed 10 10:06:00"),
                  QStringLiteral("Sensor 3 temperature pre-alarm 10 10:10:00-11 01:15:00"),
                  QStringLiteral("Sensor 3 temperature main alarm 10 23:50:00-11 01:15:00"),
              }));
    const AlarmTimes times = AlarmTimes::of(entries_);
    EXPECT_EQ(times.of(2, AlarmQuantity::OilQuality, AlarmStage::PreAlarm), 30 * 60);
    EXPECT_EQ(times.of(2, AlarmQuantity::OilQuality, AlarmStage::MainAlarm), 25 * 60);
    EXPECT_EQ(times.of(3, AlarmQuantity::Temperature, AlarmStage::MainAlarm), 85 * 60);
    EXPECT_EQ(times.of(3, AlarmQuantity::OilQuality, AlarmStage::MainAlarm), 0);
}

TEST_F(Journal, EpisodesAcrossTheRangesEdgesAreClippedAndSaySo)
{
    writeNestedAndOvernight(logs.path());
    EXPECT_EQ(journal(Day1.addDays(1), Day1.addDays(1)),
              (QStringList{
                  QStringLiteral("Sensor 3 temperature pre-alarm 11 00:00:00-11 01:15:00 (began before the range)"),
                  QStringLiteral("Sensor 3 temperature main alarm 11 00:00:00-11 01:15:00 (began before the range)"),
              }));
    const QStringList first = journal(Day1, Day1);
    ASSERT_EQ(first.size(), 6);
    EXPECT_EQ(first[5],
              QStringLiteral("Sensor 3 temperature main alarm 10 23:50:00-open (still on at the range's end)"));
    EXPECT_EQ(entries_[5].duration(), 600);
}

TEST_F(Journal, AConfirmationAfterTheEndAndAPreAlarmConfirmationForRelayTwoAlone)
{
    DayFile(Day1)
        .started(QStringLiteral("00:00:00"))
        .records(QStringLiteral("00:00:00"), QStringLiteral("23:50:00"))
        .at(QStringLiteral("08:00:00"), "Alarm Relay 2 ON !")
        .at(QStringLiteral("08:00:00"), "Sensor 1 Oil quality Prealarm ON !")
        .at(QStringLiteral("08:10:00"), "Alarm Relay 2 OFF !")
        .at(QStringLiteral("08:10:00"), "Sensor 1 Oil quality Prealarm OFF !")
        .at(QStringLiteral("08:20:00"), "Pre-Alarm confirmed by user!")
        .at(QStringLiteral("09:00:00"), "Sensor 4 Temperature Mainalarm ON !")
        .at(QStringLiteral("09:01:00"), "Alarm Relay 1 ON !")
        .at(QStringLiteral("09:30:00"), "Mainalarm confirmed by user!")
        .at(QStringLiteral("09:40:00"), "Sensor 5 Oil quality Prealarm ON !")
        .write(logs.path());
    EXPECT_EQ(journal(Day1, Day1),
              (QStringList{
                  QStringLiteral("Alarm relay 2 10 08:00:00-10 08:10:00 confirmed 10 08:20:00"),
                  QStringLiteral("Sensor 1 oil quality pre-alarm 10 08:00:00-10 08:10:00 confirmed 10 08:20:00"),
                  // on before the pop-up opened, under it when confirmed
                  QStringLiteral("Sensor 4 temperature main alarm 10 09:00:00-open confirmed 10 09:30:00 "
                                 "(still on at the range's end)"),
                  QStringLiteral("Alarm relay 1 10 09:01:00-open confirmed 10 09:30:00 (still on at the range's end)"),
                  QStringLiteral("Sensor 5 oil quality pre-alarm 10 09:40:00-open (still on at the range's end)"),
              }));
}

// A stop ends what was watched. The same program's next start carries on
// what is still on (it writes no new ON); a new program's start says
// "Evaluator connected" first and carries nothing. The logger's unexpected
// end closes everything at its last sign of life.
TEST_F(Journal, EvaluatorLostStopsRestartsAndTheLoggerNotRunning)
{
    DayFile(Day1)
        .started(QStringLiteral("00:00:00"))
        .at(QStringLiteral("00:00:01"), "Evaluator connected at Main_Engine !")
        .records(QStringLiteral("00:00:00"), QStringLiteral("06:50:00"))
        .at(QStringLiteral("06:00:00"), "Alarm Relay 1 ON !")
        .at(QStringLiteral("06:00:00"), "Sensor 4 Oil quality Mainalarm ON !")
        .at(QStringLiteral("07:00:00"), "Evaluator not connected at Main_Engine !")
        .at(QStringLiteral("07:00:01"), "Alarm Relay 1 OFF !")
        .at(QStringLiteral("07:00:01"), "Sensor 4 Oil quality Mainalarm OFF !")
        .at(QStringLiteral("07:30:00"), "Evaluator connected at Main_Engine !")
        .records(QStringLiteral("07:30:00"), QStringLiteral("12:50:00"))
        .at(QStringLiteral("12:00:00"), "Sensor 5 Temperature Prealarm ON !")
        .at(QStringLiteral("13:00:00"), "Measure Stopped at Main_Engine !")
        .started(QStringLiteral("13:30:00"))
        .records(QStringLiteral("13:30:00"), QStringLiteral("15:50:00"))
        .at(QStringLiteral("14:00:00"), "Sensor 5 Temperature Prealarm OFF !")
        .at(QStringLiteral("15:00:00"), "Sensor 6 Oil quality Prealarm ON !")
        .at(QStringLiteral("16:00:00"), "Measure Stopped at Main_Engine !")
        .started(QStringLiteral("17:00:00"))
        .at(QStringLiteral("17:00:01"), "Evaluator connected at Main_Engine !")
        .records(QStringLiteral("17:00:00"), QStringLiteral("18:30:00"))
        .at(QStringLiteral("18:00:00"), "Sensor 1 Temperature Mainalarm ON !")
        .write(logs.path());
    DayFile(Day1.addDays(1))
        .at(QStringLiteral("08:00:05"), "Logger ended unexpectedly at 02-10-2026 18:30:02 !")
        .at(QStringLiteral("08:00:05"), "Logger running again at Main_Engine !")
        .started(QStringLiteral("08:00:06"))
        .at(QStringLiteral("08:00:07"), "Evaluator connected at Main_Engine !")
        .records(QStringLiteral("08:00:07"), QStringLiteral("09:00:07"))
        .write(logs.path());
    EXPECT_EQ(journal(Day1, Day1.addDays(1)),
              (QStringList{
                  QStringLiteral("Alarm relay 1 10 06:00:00-10 07:00:01"),
                  QStringLiteral("Sensor 4 oil quality main alarm 10 06:00:00-10 07:00:01"),
                  QStringLiteral("Evaluator lost 10 07:00:00-10 07:30:00"),
                  QStringLiteral("Sensor 5 temperature pre-alarm 10 12:00:00-10 13:00:00 (ended by the stop)"),
                  QStringLiteral("Measurement stopped 10 13:00:00-10 13:30:00"),
                  QStringLiteral("Sensor 5 temperature pre-alarm 10 13:30:00-10 14:00:00 (carried over a restart)"),
                  QStringLiteral("Sensor 6 oil quality pre-alarm 10 15:00:00-10 16:00:00 (ended by the stop)"),
                  QStringLiteral("Measurement stopped 10 16:00:00-10 17:00:00"),
                  QStringLiteral("Sensor 1 temperature main alarm 10 18:00:00-10 18:30:02 (the logger ended)"),
                  QStringLiteral("Logger not running 10 18:30:02-11 08:00:05"),
              }));
}

// An old logger that lost its power wrote nothing; the program's new start
// shows in "Evaluator connected" right after the header.
TEST_F(Journal, AStartWithoutAStopBeforeItIsANewProgramWhenTheEvaluatorConnectsAfresh)
{
    DayFile(Day1)
        .started(QStringLiteral("08:00:00"))
        .at(QStringLiteral("08:00:01"), "Evaluator connected at Main_Engine !")
        .records(QStringLiteral("08:00:00"), QStringLiteral("09:10:00"))
        .at(QStringLiteral("09:00:00"), "Sensor 2 Oil quality Prealarm ON !")
        .started(QStringLiteral("09:40:00"))
        .at(QStringLiteral("09:40:01"), "Evaluator connected at Main_Engine !")
        .at(QStringLiteral("09:40:02"), "Sensor 2 Oil quality Prealarm ON !")
        .at(QStringLiteral("09:50:00"), "Sensor 2 Oil quality Prealarm OFF !")
        .at(QStringLiteral("10:00:00"), "Measure Stopped")
        .write(logs.path());
    EXPECT_EQ(journal(Day1, Day1),
              (QStringList{
                  QStringLiteral("Sensor 2 oil quality pre-alarm 10 09:00:00-10 09:10:00 (the logger ended)"),
                  QStringLiteral("Measurement stopped 10 09:10:00-10 09:40:00 (no stop recorded: the logger began "
                                 "anew)"),
                  QStringLiteral("Sensor 2 oil quality pre-alarm 10 09:40:02-10 09:50:00"),
                  QStringLiteral("Measurement stopped 10 10:00:00-open (still stopped at the range's end; the "
                                 "program was closed)"),
              }));
}

// An alarm on for days is known at a later range's start from the lines
// before it; the store gives the same journal as the files, without reading
// them, and a file that grew since keeps its earlier events.
TEST_F(Journal, TheStoreGivesTheFilesJournalAndLooksBackToWhatWasOn)
{
    DayFile(Day1)
        .started(QStringLiteral("00:00:00"))
        .records(QStringLiteral("00:00:00"), QStringLiteral("23:50:00"))
        .at(QStringLiteral("00:00:01"), "Evaluator connected at Main_Engine !")
        .at(QStringLiteral("12:00:00"), "Sensor 6 Temperature Prealarm ON !")
        .write(logs.path());
    for (int d = 1; d <= 3; ++d)
        DayFile(Day1.addDays(d))
            .started(QStringLiteral("00:00:00"))
            .records(QStringLiteral("00:00:00"), QStringLiteral("23:50:00"))
            .write(logs.path());
    const QStringList expected{QStringLiteral("Sensor 6 temperature pre-alarm 13 00:00:00-open (began before the "
                                              "range; still on at the range's end)")};
    int64_t bytesRead = 0;
    EXPECT_EQ(journal(Day1.addDays(3), Day1.addDays(3), &bytesRead), expected);
    EXPECT_GT(bytesRead, 0); // no store yet: the files were read

    build();
    EXPECT_EQ(journal(Day1.addDays(3), Day1.addDays(3), &bytesRead), expected);
    EXPECT_EQ(bytesRead, 0);

    const QByteArray off = stamp(QDateTime(Day1.addDays(3), QTime(23, 55))) + "Sensor 6 Temperature Prealarm OFF !\r\n";
    ASSERT_TRUE(appendFile(logs.filePath(fileName(Day1.addDays(3))), off));
    build();
    EXPECT_EQ(journal(Day1.addDays(3), Day1.addDays(3), &bytesRead),
              QStringList{QStringLiteral("Sensor 6 temperature pre-alarm 13 00:00:00-13 23:55:00 (began before the "
                                         "range)")});
    EXPECT_EQ(bytesRead, 0);
}

// Lines that only look like the logger's are no events, and a file of an
// alarm flapping every second under a pop-up nobody closes is read in one
// pass (each confirmation looks only at what it confirms).
TEST_F(Journal, LookAlikeLinesAreNoEventsAndFlappingAlarmsAreReadInOnePass)
{
    DayFile day(Day1);
    day.started(QStringLiteral("00:00:00"))
        .at(QStringLiteral("00:00:01"), "Sensor 7 Oil quality Prealarm ON !")
        .at(QStringLiteral("00:00:01"), "Sensor 1 Oil quality Prealarm ON")
        .at(QStringLiteral("00:00:01"), "Logger ended unexpectedly at 13-45-2026 99:00:00 !")
        .at(QStringLiteral("00:00:01"), "Measure Stopped at Main_Engine")
        .at(QStringLiteral("00:00:01"), QByteArray("\x01\xff Alarm Relay 1 ON !\0", 22))
        .at(QStringLiteral("00:00:02"), "Alarm Relay 1 ON !");
    const int seconds = 80000;
    for (int t = 3; t < 3 + seconds; ++t)
        day.at(t, "Sensor 1 Oil quality Mainalarm ON !")
            .at(t, "Sensor 1 Oil quality Mainalarm OFF !")
            .at(t, "Alarm Relay 2 ON !")
            .at(t, "Alarm Relay 2 OFF !")
            .at(t, "Pre-Alarm confirmed by user!");
    ASSERT_TRUE(day.write(logs.path()));
    const QStringList entries = journal(Day1, Day1);
    ASSERT_EQ(entries.size(), 1 + 2 * seconds);
    EXPECT_EQ(entries[0], QStringLiteral("Alarm relay 1 10 00:00:02-open (still on at the range's end)"));
    EXPECT_EQ(entries[1], QStringLiteral("Sensor 1 oil quality main alarm 10 00:00:03-10 00:00:03"));
    EXPECT_EQ(entries[2], QStringLiteral("Alarm relay 2 10 00:00:03-10 00:00:03 confirmed 10 00:00:03"));
}

} // namespace
