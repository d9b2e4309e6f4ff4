// The minute timer fires within seconds of a date change (the clock moved
// on to the next day) and not before, with the minute not yet over.
#include "core/MinuteTimer.h"
#include "support/Fakes.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(MinuteTimer, FiresSoonAfterTheDateChangesAndOnlyThen)
{
    FakeClock clock(QDateTime(QDate(2026, 3, 9), QTime(23, 59, 58)));
    MinuteTimer timer(clock);
    QSignalSpy fired(&timer, &MinuteTimer::timeout);
    timer.start();
    EXPECT_FALSE(fired.wait(MinuteTimer::kDateLookMs + 1000)) << "the same day, within its minute";
    clock.advanceSeconds(5);
    EXPECT_TRUE(fired.wait(MinuteTimer::kDateLookMs + 1000)) << "past midnight";
    EXPECT_EQ(fired.size(), 1);
    timer.stop();
    clock.advanceSeconds(24 * 3600);
    EXPECT_FALSE(fired.wait(MinuteTimer::kDateLookMs + 1000)) << "stopped";
}
