#include "config/ConfigurationLoader.h"
#include "config/KeepRunning.h"
#include "config/RdWrConfig.h"
#include "ConfigTestFiles.h"
#include "support/FakeCommandRunner.h"
#include "support/Fakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Header = "[VELTRA-LOGGER Version 1.03_1]";
const QString IsActive = QStringLiteral("systemctl --user is-active graphical-session.target");
const QString IsEnabled = QStringLiteral("systemctl --user is-enabled veltra-logger.service");
const QString Enable = QStringLiteral("systemctl --user enable veltra-logger.service");
const QString Disable = QStringLiteral("systemctl --user disable veltra-logger.service");

class KeepRunningTest : public ::testing::Test {
protected:
    void SetUp() override { writeRaw(configPath(home.path()), crlf({Header, "COM=1"})); }

    KeepRunning keepRunning(bool installed)
    {
        return KeepRunning({values, store, commands,
                            {QStringLiteral("/usr/bin/veltra-logger"), installed, entryPath()}});
    }
    QString entryPath() const { return home.filePath(QStringLiteral("autostart/com.veltra.DataLogger.desktop")); }
    QString stored() { return store.GetConfigValue(values.ConfigFileName, KeepRunning::Key); }
    // A user systemd instance in a session that reached its target; the
    // unit's state as `unitState` says, switched by enable and disable.
    void userSystemd(QString unitState, bool global = false)
    {
        commands.respond = [this, unitState, global](const QString& line) mutable {
            if (line == Enable)
                unitState = QStringLiteral("enabled");
            if (line == Disable && !global)
                unitState = QStringLiteral("disabled");
            if (line == IsEnabled)
                return FakeCommandRunner::exited(unitState == QLatin1String("enabled") ? 0 : 1, unitState);
            return FakeCommandRunner::exited(0, QStringLiteral("active"));
        };
    }

    QTemporaryDir home;
    RdWrConfig store{home.path()};
    ConfigValues values;
    FakeCommandRunner commands;
};

TEST_F(KeepRunningTest, InstalledProgramInASystemdSessionUsesTheUserUnitAndNoEntry)
{
    userSystemd(QStringLiteral("disabled"));
    writeRaw(entryPath(), "[Desktop Entry]\n"); // left by an earlier switch without systemd
    const KeepRunning::Outcome on = keepRunning(true).set(true);
    EXPECT_TRUE(on.done);
    EXPECT_EQ(commands.ran, QStringList({IsActive, Enable}));
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(stored(), "1");
    EXPECT_EQ(values.KEEPRUNNING, 1);
    EXPECT_TRUE(on.message.contains(QStringLiteral("starts again by itself"))) << on.message.toStdString();

    commands.ran.clear();
    const KeepRunning::Outcome off = keepRunning(true).set(false);
    EXPECT_TRUE(off.done);
    EXPECT_EQ(commands.ran, QStringList({IsEnabled, Disable, IsEnabled}));
    EXPECT_EQ(stored(), "0");
    EXPECT_EQ(values.KEEPRUNNING, 0);
}

TEST_F(KeepRunningTest, WithoutTheUnitAnAutostartEntryNamesThisProgramAndOffRemovesIt)
{
    // A copy of the program, and the installed one where systemd does not answer.
    for (const bool installed : {false, true}) {
        if (installed)
            commands.respond = [](const QString&) {
                return FakeCommandRunner::exited(1, {}, QStringLiteral("Failed to connect to bus: No medium found"));
            };
        const KeepRunning::Outcome on = keepRunning(installed).set(true);
        EXPECT_TRUE(on.done);
        EXPECT_TRUE(readRaw(entryPath()).contains("\nExec=\"/usr/bin/veltra-logger\"\n"));
        EXPECT_TRUE(on.message.contains(QStringLiteral("not started again"))) << on.message.toStdString();
        EXPECT_EQ(stored(), "1");
        EXPECT_FALSE(commands.ran.contains(Enable));

        EXPECT_TRUE(keepRunning(installed).set(false).done);
        EXPECT_FALSE(QFile::exists(entryPath()));
        EXPECT_EQ(stored(), "0");
    }
}

TEST_F(KeepRunningTest, RefusedEnableIsReportedWithSystemctlsReasonAndChangesNothing)
{
    commands.respond = [](const QString& line) {
        if (line == Enable)
            return FakeCommandRunner::exited(
                1, {}, QStringLiteral("Failed to enable unit: Unit file veltra-logger.service does not exist."));
        return FakeCommandRunner::exited(0, QStringLiteral("active"));
    };
    const KeepRunning::Outcome on = keepRunning(true).set(true);
    EXPECT_FALSE(on.done);
    EXPECT_TRUE(on.message.contains(QStringLiteral("Unit file veltra-logger.service does not exist")));
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(values.KEEPRUNNING, 0);
    EXPECT_FALSE(QFile::exists(entryPath()));
}

TEST_F(KeepRunningTest, UnitSwitchedOnForEveryUserStaysOnAndSaysSo)
{
    userSystemd(QStringLiteral("enabled"), true);
    const KeepRunning::Outcome off = keepRunning(true).set(false);
    EXPECT_TRUE(off.done);
    EXPECT_TRUE(off.message.contains(QStringLiteral("systemctl --global disable"))) << off.message.toStdString();
    EXPECT_EQ(stored(), "0");
}

TEST(AutostartEntry, ExecQuotesEveryPathAndRefusesALineBreak)
{
    EXPECT_TRUE(KeepRunning::autostartEntry(QStringLiteral("/opt/VELTRA logger/a\"b$c`d\\e%f"))
                    .contains(R"(Exec="/opt/VELTRA logger/a\\"b\\$c\\`d\\\\e%%f")"));
    EXPECT_TRUE(KeepRunning::autostartEntry(QStringLiteral("/opt/a\nExec=rm")).isEmpty());
}

TEST(KeepRunningSetting, AbsentOrAnythingButOneReadsOff)
{
    QTemporaryDir home;
    RdWrConfig store(home.path());
    FakeSerialPort port;
    RecordingMessageBox box;
    for (const auto& [line, expected] : {std::pair<QByteArray, int>{"", 0}, {"KEEPRUNNING=1", 1},
                                         {"KEEPRUNNING=2", 0}, {"KEEPRUNNING=-1", 0}}) {
        writeRaw(configPath(home.path()), crlf({Header, "COM=1", "BAUDRATE=9600", "REFRESH=2", line}));
        ConfigValues values;
        ConfigurationLoader(values, store, port, box).LoadConfiguration();
        EXPECT_EQ(values.KEEPRUNNING, expected) << line.toStdString();
    }
}

} // namespace
