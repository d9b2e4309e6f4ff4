#pragma once
// A home directory with a valid configuration, the configuration load and
// the Setup menu commands wired to fakes, the way the main window wires them.
#include "ConfigTestFiles.h"
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "config/SetupMenus.h"
#include "support/Fakes.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

inline const QByteArray TestHeader = "[VELTRA-LOGGER Version 1.03_1]";

inline QList<QByteArray> defaultLines()
{
    return {TestHeader,        "COM=1",      "BAUDRATE=9600", "INSTALLATION=Main_Engine", "REFRESH=2",
            "PASSWORD=kesmor", "AUTOSTART=0", "SWAPDATE=0",   "LBL_S1=Sensor1"};
}

template <class T>
T* control(QDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class SetupTest : public ::testing::Test {
protected:
    struct SensorName {
        int sensor;
        QString caption;
        QString toolTip;
    };

    QTemporaryDir home;
    RdWrConfig store{home.path()};
    ConfigValues values;
    FakeSerialPort mainPort;
    FakeSerialPort dialogPort;
    FakeSerialPortList systemPorts;
    RecordingMessageBox box;
    FakeFileDialog files;
    ScriptedDialogRunner runner;
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 30))};
    std::optional<bool> startEnabled;
    ConfigurationLoader loader{values, store, mainPort, box};
    QMetaObject::Connection startWatch =
        QObject::connect(&loader, &ConfigurationLoader::startEnabled, [this](bool on) { startEnabled = on; });

    QString caption;
    int chartRebuilds = 0;
    int writeFailureClears = 0;
    std::vector<SensorName> sensorNames;
    SetupMenus menus{{values, store, loader, runner, box, files, dialogPort, clock, &systemPorts}};
    const bool wired = [this] {
        QObject::connect(&menus, &SetupMenus::captionChanged, [this](const QString& c) { caption = c; });
        QObject::connect(&menus, &SetupMenus::chartRebuildNeeded, [this] { ++chartRebuilds; });
        QObject::connect(&menus, &SetupMenus::sensorNameChanged,
                         [this](int s, const QString& c, const QString& t) { sensorNames.push_back({s, c, t}); });
        QObject::connect(&menus, &SetupMenus::writeFailuresCleared, [this] { ++writeFailureClears; });
        return true;
    }();

    // Writes the file and loads it as the start-up would, forgetting its message.
    void startWith(const QList<QByteArray>& lines)
    {
        writeRaw(path(), crlf(lines));
        loader.LoadConfiguration();
        box.shown.clear();
        startEnabled.reset();
    }
    void SetUp() override { startWith(defaultLines()); }
    QString path() const { return configPath(home.path()); }
    QString key(const char* name) { return store.GetConfigValue(values.ConfigFileName, QString::fromLatin1(name)); }
};
