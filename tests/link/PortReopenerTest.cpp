#include "link/PortReopener.h"

#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace {

struct PortReopenerTest : ::testing::Test {
    FakeSerialPort port;
    FakeTimer timer;
    PortReopener reopener{port, timer};
};

TEST_F(PortReopenerTest, ClosedPortIsRetriedEveryTwoSecondsUntilItOpens)
{
    int reopened = 0;
    QObject::connect(&reopener, &PortReopener::reopened, [&] { ++reopened; });
    port.openFails = true;
    reopener.setEnabled(true);
    EXPECT_EQ(timer.interval(), 2000);
    ASSERT_TRUE(timer.fire());
    ASSERT_TRUE(timer.fire());
    EXPECT_EQ(port.reopenCalls, 2); // by the name the measurement started with
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(reopened, 0);

    port.openFails = false;
    timer.fire();
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(reopened, 1);
}

TEST_F(PortReopenerTest, OpenPortIsLeftAlone)
{
    port.setPortOpen(true);
    reopener.setEnabled(true);
    timer.fire();
    EXPECT_EQ(port.openCalls, 1);
}

TEST_F(PortReopenerTest, StoppedMeasurementNeverReopensThePort)
{
    reopener.setEnabled(true);
    reopener.setEnabled(false);
    EXPECT_FALSE(timer.isEnabled());
    reopener.retry(); // a tick already queued when the measurement stopped
    EXPECT_EQ(port.openCalls, 0);
}

} // namespace
