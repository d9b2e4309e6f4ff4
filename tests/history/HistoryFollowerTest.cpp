#include "history/HistoryFollower.h"
#include "history/SummaryStore.h"
#include "history/HistoryTestFiles.h"
#include "support/Fakes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
int64_t records(const QString& logDir, const QDate& day)
{
    SummaryStore store(SummaryStore::defaultPath(logDir), logDir, false);
    std::vector<Bucket> buckets;
    const int64_t from = QDateTime(day, QTime(0, 0)).toSecsSinceEpoch();
    store.buckets(QStringLiteral("Main_Engine"), Tier::Day, from, from + 86400, buckets);
    return buckets.empty() ? 0 : buckets.front().of(1, 0).count;
}
} // namespace

// While measuring, the day's summaries keep up with its logfile as it grows,
// and a last reading follows the end of the measurement.
TEST(HistoryFollower, TheDaysSummariesFollowItsLogfileAsItGrows)
{
    QTemporaryDir logs;
    const QDate today(2026, 6, 10);
    FakeClock clock(QDateTime(today, QTime(12, 0)));
    const QString file = logs.filePath(HistoryTest::fileName(today));
    const QByteArray day = HistoryTest::day(today, QTimeZone::systemTimeZone(), 60, 1);
    const qsizetype half = day.indexOf('\n', day.size() / 2) + 1;
    ASSERT_TRUE(HistoryTest::writeFile(file, day.left(half)));

    HistoryFollower follower(clock);
    QSignalSpy updated(&follower, &HistoryFollower::updated);
    follower.follow(logs.path() + QLatin1Char('/'), QStringLiteral("Main_Engine"), false);
    EXPECT_TRUE(follower.following());
    follower.updateNow();
    ASSERT_TRUE(updated.wait(20000));
    const int64_t before = records(logs.path(), today);
    EXPECT_GT(before, 600);

    ASSERT_TRUE(HistoryTest::appendFile(file, day.mid(half)));
    follower.stop();
    ASSERT_TRUE(updated.wait(20000));
    EXPECT_FALSE(follower.following());
    EXPECT_EQ(records(logs.path(), today), 1440);
    EXPECT_TRUE(updated.last().at(0).value<BuildResult>().storeError.isEmpty());
}
