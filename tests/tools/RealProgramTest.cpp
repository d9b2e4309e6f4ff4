// The real program, started as a user starts it, against the simulator.
#include "support/ProgramProcess.h"

#include <QDateTime>
#include <gtest/gtest.h>

TEST(RealProgram, MeasuresAtStartAndLogsTheSimulatorsLines)
{
    ProgramHome home;
    ASSERT_TRUE(home.isValid());
    home.writeConfig(home.defaultConfig(true));
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(home.serialLink(), {QStringLiteral("--sensors"), QStringLiteral("2")}));

    LoggerProcess logger;
    ASSERT_TRUE(logger.start(home, home.offscreenEnvironment()));
    const QString logfile = home.logfile(QDate::currentDate());
    const bool logged = waitUntil([&] { return readFileBytes(logfile).contains(" :01"); }, 15000);
    logger.kill();
    ASSERT_TRUE(logged) << logger.output().toStdString();
    EXPECT_TRUE(readFileBytes(logfile).contains(" Measure Started at Main_Engine !\r\n"));
}
