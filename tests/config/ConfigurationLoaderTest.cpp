#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "ConfigTestFiles.h"
#include "support/Fakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QByteArray Header = "[VELTRA-LOGGER Version 1.03_1]";
const QByteArray DefaultFile = crlf({Header, "COM=1", "BAUDRATE=9600", "INSTALLATION=Main_Engine", "REFRESH=2",
                                     "PASSWORD=kesmor", "AUTOSTART=0", "SWAPDATE=0", "LBL_S1=Sensor1"});

class LoadTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    RdWrConfig store{home.path()};
    ConfigValues values;
    FakeSerialPort port;
    RecordingMessageBox box;
    std::optional<bool> startEnabled;
    ConfigurationLoader loader{values, store, port, box};
    QMetaObject::Connection startWatch =
        QObject::connect(&loader, &ConfigurationLoader::startEnabled, [this](bool on) { startEnabled = on; });

    QString path() const { return configPath(home.path()); }
    void load(const QList<QByteArray>& lines)
    {
        writeRaw(path(), crlf(lines));
        loader.LoadConfiguration();
    }
    QString shownText() const { return box.shown.empty() ? QString() : box.shown.back().text; }
};

TEST_F(LoadTest, FirstRunWritesTheNineDefaultLinesReportsItAndKeepsStartDisabled)
{
    loader.LoadConfiguration();
    EXPECT_EQ(readRaw(path()), DefaultFile);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, "VELTRA-logger.ini   File Error!!");
    EXPECT_EQ(box.shown[0].text,
              "Please reenter settings with menu Setup, default VELTRA-logger.ini file created ! !");
    EXPECT_EQ(box.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(startEnabled, false);
    EXPECT_EQ(values.INSTALLATION, "Main_Engine");
    EXPECT_EQ(values.PASSWORD, "kesmor");

    // The second start finds the file in order.
    loader.LoadConfiguration();
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(startEnabled, true);
}

TEST_F(LoadTest, AnyOtherFirstLineResetsTheWholeFile)
{
    for (const QByteArray& header : {QByteArray("[VELTRA-LOGGER Version 1.03_0]"),
                                     QByteArray("[veltra-logger Version 1.03_1]"), " " + Header, QByteArray()}) {
        load({header, "COM=5", "PASSWORD=secret", "LOGDIR=/data/"});
        EXPECT_EQ(readRaw(path()), DefaultFile) << header.constData();
        EXPECT_EQ(values.COM, 1);
        EXPECT_EQ(startEnabled, false);
    }
}

TEST_F(LoadTest, ValidFileLoadsEveryKeyWithoutMessage)
{
    load({Header, "COM=3x", "BAUDRATE=19200", "INSTALLATION=", "REFRESH=3", "PASSWORD=", "LOGDIR=/data/logs",
          "AUTOSTART=1", "SWAPDATE=1", "LBL_S1=Pump", "LBL_S3=Gear box", "LBL_S6=   "});
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(startEnabled, true);
    EXPECT_EQ(values.COM, 3);
    EXPECT_EQ(values.BAUDRATE, "19200");
    EXPECT_EQ(values.PortBaud, "19200");
    EXPECT_EQ(values.INSTALLATION, "");
    EXPECT_EQ(values.REFRESH, 3);
    EXPECT_EQ(values.PASSWORD, "");
    EXPECT_EQ(values.LOGDIR, "/data/logs/");
    EXPECT_EQ(values.AUTOSTART, 1);
    EXPECT_EQ(values.SWAPDATE, 1);
    const QString labels[6] = {"Pump", "Sensor2", "Gear box", "Sensor4", "Sensor5", "   "};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(values.LBL_S[i], labels[i]);
    EXPECT_EQ(port.commPort(), 3);
    EXPECT_EQ(port.settings(), "19200,n,8,1");
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(store.ReadConfigFile(values.ConfigFileName), 12); // "COM=3x" is read, never rewritten

    EXPECT_EQ(values.FORECASTDAYS, 30); // absent
    load({Header, "REFRESH=2", "AUTOSTART=2", "SWAPDATE=-1", "FORECASTDAYS=90"}); // only the value 1 switches them on
    EXPECT_EQ(values.AUTOSTART, 0);
    EXPECT_EQ(values.SWAPDATE, -1);
    EXPECT_EQ(values.FORECASTDAYS, 90);
    load({Header, "REFRESH=2", "FORECASTDAYS=2"}); // fewer days than a trend needs
    EXPECT_EQ(values.FORECASTDAYS, 30);
}

TEST_F(LoadTest, OutOfRangeComAndEmptyBaudRateAreRepairedInTheFileWithoutMessage)
{
    for (const QByteArray& com : {QByteArray("0"), QByteArray("17"), QByteArray("99999"), QByteArray("-40000"),
                                  QByteArray("x")}) {
        load({Header, "COM=" + com, "BAUDRATE=", "REFRESH=2"});
        EXPECT_EQ(values.COM, 1) << com.constData();
        EXPECT_EQ(values.PortBaud, "9600");
        EXPECT_EQ(readRaw(path()), crlf({Header, "COM=1", "BAUDRATE=9600", "REFRESH=2"}));
        EXPECT_EQ(startEnabled, true);
    }
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(LoadTest, OutOfRangeRefreshIsRepairedReportedAndDisablesStart)
{
    load({Header, "COM=2", "BAUDRATE=9600", "REFRESH=4"});
    EXPECT_EQ(values.REFRESH, 2);
    EXPECT_EQ(readRaw(path()), crlf({Header, "COM=2", "BAUDRATE=9600", "REFRESH=2"}));
    EXPECT_EQ(shownText(), "Please reenter settings with menu Setup, check setup chart, refresh time ! !");
    EXPECT_EQ(startEnabled, false);

    load({Header, "REFRESH=2.5"}); // halves go to the even number
    EXPECT_EQ(values.REFRESH, 2);
    load({Header, "REFRESH=0.5"});
    EXPECT_EQ(values.REFRESH, 2);
    EXPECT_EQ(store.GetConfigValue(values.ConfigFileName, "REFRESH"), "2");
}

TEST_F(LoadTest, PortFailureReplacesTheDefaultFileMessageAndLeavesThePortClosed)
{
    port.setPortOpen(true); // left open by an earlier run
    port.openFails = true;
    loader.LoadConfiguration();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Please reenter settings with menu Setup, serial Port not available ! !");
    EXPECT_EQ(startEnabled, false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(readRaw(path()), DefaultFile);
}

TEST_F(LoadTest, PortTheUserMayNotOpenSaysHowToGetPermissionOnlyWhileItIsTheProblemShown)
{
    port.openFails = true;
    port.denied = SerialAccessDenied{"/dev/ttyUSB0", "dialout"};
    load({Header, "COM=1", "BAUDRATE=9600", "REFRESH=2"});
    EXPECT_EQ(shownText(), "Please reenter settings with menu Setup, serial Port not available ! !\n"
                           "You have no permission to use /dev/ttyUSB0. Add your user to the group dialout "
                           "(sudo adduser $USER dialout), then log out and log in again.");
    // A later problem is the one shown; the hint belongs to the port's message.
    load({Header, "COM=1", "BAUDRATE=9600", "REFRESH=9"});
    EXPECT_EQ(shownText(), "Please reenter settings with menu Setup, check setup chart, refresh time ! !");
}

TEST_F(LoadTest, UnwritableDefaultFileIsReportedAndDefaultsRunInMemory)
{
    ASSERT_TRUE(QDir(home.path()).mkdir("VELTRA-logger1.ini"));
    loader.LoadConfiguration();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(box.shown[0].text.startsWith(
        "Please reenter settings with menu Setup, default VELTRA-logger.ini file could not be written ! !\n"))
        << qPrintable(box.shown[0].text);
    EXPECT_EQ(startEnabled, false);
    EXPECT_EQ(values.PASSWORD, "kesmor");
    EXPECT_EQ(values.INSTALLATION, "Main_Engine");
    EXPECT_EQ(values.REFRESH, 2);
    EXPECT_EQ(values.COM, 1);
}

} // namespace
