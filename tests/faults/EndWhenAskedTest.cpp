// Asked to end by the system (SIGTERM) while its start-up still waits in
// a message box (here: the default settings file was just made), the
// logger ends at once, normally: exit code 0 and no run marker left.
#include "platform/RunMarker.h"
#include "support/ProgramProcess.h"

#include <QFile>
#include <csignal>
#include <gtest/gtest.h>

TEST(EndWhenAsked, StartUpMessageDoesNotKeepTheLoggerFromEnding)
{
    ProgramHome home;
    ASSERT_TRUE(home.isValid());
    LoggerProcess logger;
    ASSERT_TRUE(logger.start(home, home.offscreenEnvironment()));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(home.configPath()); }, 20000));
    ::kill(pid_t(logger.pid()), SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return !logger.running(); }, 20000)) << "still waits";
    EXPECT_TRUE(logger.exitedNormally() && logger.exitCode() == 0) << logger.output().toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath(RunMarker::FileName)));
}
