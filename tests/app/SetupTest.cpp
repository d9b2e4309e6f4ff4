#include "support/MainWindowHarness.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
QString configText(const MainWindowHarness& h)
{
    QFile file(h.home.filePath(QStringLiteral("VELTRA-logger1.ini")));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}
} // namespace

TEST(Setup, SerialPortSetupAfterFirstStartEnablesStart)
{
    MainWindowHarness h;
    FrmMain& w = h.load();
    ASSERT_FALSE(w.controls().MenueStartStop->isEnabled());
    h.dialogs.answer = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Setup Serial Port"));
        d.findChild<QComboBox*>(QStringLiteral("ComboCom"))->setCurrentIndex(1);
        auto* baud = d.findChild<QComboBox*>(QStringLiteral("select_baud"));
        baud->setCurrentIndex(baud->findText(QStringLiteral("19200")));
        d.findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
    };
    w.widgets().MenueSetupSerialPort->trigger();
    EXPECT_EQ(h.dialogs.runs, 1);
    EXPECT_TRUE(w.controls().MenueStartStop->isEnabled());
    EXPECT_TRUE(configText(h).contains(QStringLiteral("COM=2")));
    EXPECT_TRUE(configText(h).contains(QStringLiteral("BAUDRATE=19200")));
    EXPECT_EQ(h.port.settings(), QStringLiteral("19200,n,8,1"));
}

TEST(Setup, InstallationSetupStoresItsKeysAndSetsTheCaption)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = h.load();
    const QString dir = h.home.path() + QLatin1Char('/');
    h.dialogs.answer = [&](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TxtInstall"))->setText(QStringLiteral("Ship_7"));
        d.findChild<QLineEdit*>(QStringLiteral("TxtDir"))->setText(dir);
        d.findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
    };
    w.widgets().MenueSetupInstallation->trigger();
    const QString text = configText(h);
    EXPECT_TRUE(text.contains(QStringLiteral("INSTALLATION=Ship_7\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("LOGDIR=") + dir + QStringLiteral("\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("LBL_S6=Sensor6\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("REFRESH=")));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("VELTRA Logger Version 1.03_1  Ship_7"));
    EXPECT_EQ(w.config().INSTALLATION, QStringLiteral("Ship_7"));
    // The live chart was rebuilt: the oil quality channels are shown.
    EXPECT_EQ(h.chart.ChannelCount(), 30);
    EXPECT_TRUE(h.chart.ChannelVisible(0));
    EXPECT_TRUE(h.chart.ChannelVisible(25));
}

TEST(Setup, PasswordChangeIsStoredAndGuardsTheStop)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = h.load();
    h.dialogs.answer = [](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("oldpasswd"))->setText(QStringLiteral("kesmor"));
        d.findChild<QLineEdit*>(QStringLiteral("newpasswd"))->setText(QStringLiteral("bilge42"));
        d.findChild<QLineEdit*>(QStringLiteral("newpasswd2"))->setText(QStringLiteral("bilge42"));
        d.findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
    };
    w.widgets().MenueSetupPassword->trigger();
    EXPECT_TRUE(configText(h).contains(QStringLiteral("PASSWORD=bilge42\r\n")));
    EXPECT_EQ(w.config().PASSWORD, QStringLiteral("bilge42"));
}
