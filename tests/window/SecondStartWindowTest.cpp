// A second start of the program for the same home on a real desktop (Xvfb
// with openbox): it brings the running logger's window to the top of the
// window manager's stacking, active, also from the task bar, and ends; a
// logger that holds the home but cannot be asked is named in a message box.
// Setup > Keep logger running writes and removes the session's autostart
// entry where no systemd user instance answers.
#include "platform/HomeLock.h"
#include "platform/RunMarker.h"
#include "platform/SingleInstance.h"
#include "window/RealWindowTest.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class SecondStartWindowTest : public RealWindowTest {
protected:
    unsigned long activeWindow() const
    {
        const QString line =
            x.run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")});
        return line.section(QLatin1Char('#'), 1).trimmed().toULong(nullptr, 16);
    }
    bool minimized(unsigned long window) const
    {
        const QStringList arguments{QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_STATE")};
        return x.run(QStringLiteral("xprop"), arguments).contains(QLatin1String("Iconic"));
    }
    bool inFront(unsigned long window) const
    {
        return onTop(window) && activeWindow() == window && !minimized(window);
    }
    // A visible window whose title is exactly `title`.
    bool titled(const QString& title) const
    {
        const QStringList arguments{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QLatin1Char('^') + title + QLatin1Char('$')};
        return !x.run(QStringLiteral("xdotool"), arguments).isEmpty();
    }
    // Starts the program once more for this home and waits for its end.
    void startAgainAndWaitForItsEnd()
    {
        LoggerProcess again;
        ASSERT_TRUE(again.start(home, x.environment()));
        ASSERT_TRUE(waitUntil([&] { return !again.running(); }, 20000));
        EXPECT_TRUE(again.exitedNormally() && again.exitCode() == 0) << again.output().toStdString();
    }
};

TEST_F(SecondStartWindowTest, SecondStartBringsTheRunningWindowToTheFrontAndEnds)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    // Another home's logger starts over it: one logger per home, not per desktop.
    ProgramHome otherHome;
    QStringList config = otherHome.defaultConfig(false);
    config.replaceInStrings(QStringLiteral("INSTALLATION=Main_Engine"), QStringLiteral("INSTALLATION=Other_Plant"));
    otherHome.writeConfig(config);
    SimulatorProcess otherSim;
    ASSERT_TRUE(otherSim.start(otherHome.serialLink(), {QStringLiteral("--scenario"), QStringLiteral("normal")}));
    LoggerProcess other;
    ASSERT_TRUE(other.start(otherHome, x.environment()));
    const unsigned long otherWindow = x.waitForMaximized(QStringLiteral("Other_Plant"), 20000);
    ASSERT_NE(otherWindow, 0u) << other.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return inFront(otherWindow); }, 10000));

    ASSERT_NO_FATAL_FAILURE(startAgainAndWaitForItsEnd());
    EXPECT_TRUE(waitUntil([&] { return inFront(main); }, 10000));
    EXPECT_TRUE(other.running());

    x.run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(main)});
    ASSERT_TRUE(waitUntil([&] { return minimized(main); }, 10000));
    ASSERT_NO_FATAL_FAILURE(startAgainAndWaitForItsEnd());
    EXPECT_TRUE(waitUntil([&] { return inFront(main); }, 10000));
    EXPECT_TRUE(logger.running());
}

TEST_F(SecondStartWindowTest, LoggerThatCannotBeAskedIsNamedAndTheStartEnds)
{
    // The home is held, but nobody answers (as with a logger that hangs).
    HomeLock holder(home.filePath(SingleInstance::LockFileName));
    ASSERT_EQ(holder.tryLock(), HomeLock::State::Held);
    home.writeConfig(home.defaultConfig(false));
    ASSERT_TRUE(logger.start(home, x.environment()));
    ASSERT_TRUE(waitUntil([&] { return titled(QStringLiteral("VELTRA Data Logger")); }, 20000))
        << logger.output().toStdString();
    EXPECT_EQ(x.findWindow(MainTitle), 0u);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(waitUntil([&] { return !logger.running(); }, 10000));
    EXPECT_TRUE(logger.exitedNormally() && logger.exitCode() == 0);
    EXPECT_FALSE(QFile::exists(home.filePath(RunMarker::FileName)));
}

TEST_F(SecondStartWindowTest, KeepLoggerRunningWritesAndRemovesTheAutostartEntry)
{
    // No systemd user instance answers: a systemctl that says so comes first.
    QTemporaryDir session;
    const QString bin = session.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile systemctl(bin + QStringLiteral("/systemctl"));
    ASSERT_TRUE(systemctl.open(QIODevice::WriteOnly));
    systemctl.write("#!/bin/sh\necho 'Failed to connect to bus: No medium found' >&2\nexit 1\n");
    systemctl.close();
    systemctl.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), bin + QLatin1Char(':') + qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), session.filePath(QStringLiteral("config")));
    ASSERT_NO_FATAL_FAILURE(startLogger(false, QStringLiteral("normal"), {}, env));
    const QString entry = session.filePath(QStringLiteral("config/autostart/com.veltra.DataLogger.desktop"));

    for (const bool on : {true, false}) {
        clickMenu(QStringLiteral("MenueSetup"), QStringLiteral("MenueSetupKeepRunning"));
        ASSERT_TRUE(waitUntil([&] { return titled(QStringLiteral("Keep logger running")); }, 10000)) << on;
        x.key(QStringLiteral("Return"));
        ASSERT_TRUE(waitUntil([&] { return !titled(QStringLiteral("Keep logger running")); }, 10000));
        EXPECT_EQ(QFile::exists(entry), on);
        EXPECT_TRUE(readFileBytes(home.configPath()).contains(on ? "\r\nKEEPRUNNING=1\r\n" : "\r\nKEEPRUNNING=0\r\n"));
        // The entry starts this program, by its whole path.
        if (on) {
            EXPECT_TRUE(readFileBytes(entry).contains("\nExec=\"" + home.program().toUtf8() + "\"\n"));
        }
    }
}

} // namespace
