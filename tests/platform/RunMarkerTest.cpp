#include "platform/RunMarker.h"
#include "support/Fakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RunMarkerTest : public ::testing::Test {
protected:
    QString path() const { return home.filePath(RunMarker::FileName); }

    QTemporaryDir home;
    FakeClock clock;
    FakeTimer heartbeat;
};

TEST_F(RunMarkerTest, RunEndedWithoutItsEndIsReportedWithItsLastBeat)
{
    RunMarker first(path(), clock, heartbeat);
    EXPECT_EQ(first.begin(), std::nullopt);
    clock.advanceSeconds(95);
    const QDateTime lastBeat = clock.now();
    ASSERT_TRUE(heartbeat.fire());
    clock.advanceSeconds(30); // killed: no more beats

    FakeTimer nextHeartbeat;
    RunMarker next(path(), clock, nextHeartbeat);
    EXPECT_EQ(next.begin(), lastBeat);
    EXPECT_TRUE(nextHeartbeat.isEnabled());
    EXPECT_EQ(nextHeartbeat.interval(), RunMarker::HeartbeatMs);
}

TEST_F(RunMarkerTest, NormalEndLeavesNothingToReport)
{
    RunMarker first(path(), clock, heartbeat);
    first.begin();
    first.end();
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(heartbeat.isEnabled());
    EXPECT_EQ(RunMarker(path(), clock, heartbeat).begin(), std::nullopt);
}

TEST_F(RunMarkerTest, MarkerWithoutATimeStillReportsTheEndAtItsFileTime)
{
    QFile marker(path());
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.write("\x01garbage");
    marker.close();
    const std::optional<QDateTime> ended = RunMarker(path(), clock, heartbeat).begin();
    ASSERT_TRUE(ended.has_value());
    EXPECT_LE(qAbs(ended->secsTo(QDateTime::currentDateTime())), 60);
}

} // namespace
