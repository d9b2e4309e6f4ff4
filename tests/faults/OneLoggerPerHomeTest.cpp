// Two starts of the real logger for one home at the same moment, 20 times:
// exactly one runs, the other ends by itself with exit code 0 once the
// running one has shown its window. The runner is killed (kill -9) after
// each trial, so every next trial also starts over the lock and the socket
// a killed logger left behind.
#include "platform/HomeLock.h"
#include "platform/SingleInstance.h"
#include "support/ProgramProcess.h"

#include <gtest/gtest.h>
#include <array>
#include <iostream>

TEST(OneLoggerPerHome, OfTwoStartsAtOnceExactlyOneRunsEveryTime)
{
    ProgramHome home;
    ASSERT_TRUE(home.isValid());
    home.writeConfig(home.defaultConfig(false));
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--scenario"), QStringLiteral("normal")}));

    const int trials = 20;
    for (int trial = 0; trial < trials; ++trial) {
        std::array<LoggerProcess, 2> loggers;
        for (LoggerProcess& logger : loggers)
            ASSERT_TRUE(logger.start(home, home.offscreenEnvironment()));
        ASSERT_TRUE(waitUntil([&] { return !loggers[0].running() || !loggers[1].running(); }, 20000))
            << "trial " << trial << ": both still run";
        LoggerProcess& ended = loggers[0].running() ? loggers[1] : loggers[0];
        LoggerProcess& runs = loggers[0].running() ? loggers[0] : loggers[1];
        EXPECT_TRUE(ended.exitedNormally() && ended.exitCode() == 0)
            << "trial " << trial << ": " << ended.output().toStdString();
        // The one left holds the home.
        HomeLock probe(home.filePath(SingleInstance::LockFileName));
        EXPECT_TRUE(runs.running()) << "trial " << trial;
        EXPECT_EQ(probe.tryLock(), HomeLock::State::HeldByOther) << "trial " << trial;
        runs.kill();
    }
    std::cout << "two starts at once, " << trials << " trials: one logger each time" << std::endl;
}
