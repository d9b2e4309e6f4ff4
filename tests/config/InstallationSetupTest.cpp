#include "SetupFixture.h"

namespace {

using InstallationSetupTest = SetupTest;

TEST_F(InstallationSetupTest, OkWithOneSecondStoresEveryKeyInOrderAndRefreshThree)
{
    runner.answer = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Setup Installation");
        EXPECT_EQ(control<QLineEdit>(d, "TxtInstall")->text(), "Main_Engine");
        EXPECT_EQ(control<QLineEdit>(d, "TxtDir")->text(), home.path() + "/");
        auto* refresh = control<QComboBox>(d, "ComboRefresh");
        ASSERT_EQ(refresh->count(), 3);
        EXPECT_EQ(refresh->itemText(0), "250 mSec");
        EXPECT_EQ(refresh->itemText(1), "500 mSec");
        EXPECT_EQ(refresh->itemText(2), "1   Sec");
        EXPECT_EQ(refresh->currentIndex(), 1);
        EXPECT_EQ(control<QLineEdit>(d, "Txt_sname5")->text(), "Sensor6");
        refresh->setCurrentIndex(2);
        control<QLineEdit>(d, "TxtInstall")->setText("Ship_2");
        control<QLineEdit>(d, "Txt_sname1")->setText("Gear box");
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupInstallation_Click();

    EXPECT_EQ(readRaw(path()),
              crlf({TestHeader, "COM=1", "BAUDRATE=9600", "INSTALLATION=Ship_2", "REFRESH=3", "PASSWORD=kesmor",
                    "AUTOSTART=0", "SWAPDATE=0", "LBL_S1=Sensor1", "LOGDIR=" + home.path().toUtf8() + "/",
                    "LBL_S2=Gear box", "LBL_S3=Sensor3", "LBL_S4=Sensor4", "LBL_S5=Sensor5", "LBL_S6=Sensor6"}));
    EXPECT_EQ(values.REFRESH, 3);
    EXPECT_EQ(values.LogDate, "20261207");
    EXPECT_EQ(caption, "VELTRA Logger Version 1.03_1  Ship_2");
    EXPECT_EQ(chartRebuilds, 1);
    EXPECT_EQ(writeFailureClears, 1);
    ASSERT_EQ(sensorNames.size(), 6u);
    EXPECT_EQ(sensorNames[1].caption, "Gear box");
    EXPECT_EQ(startEnabled, true);
}

TEST_F(InstallationSetupTest, CancelRewritesTheOpeningValuesAndStillSetsTheCaption)
{
    runner.answer = [&](QDialog& d) {
        control<QLineEdit>(d, "TxtInstall")->setText("edited");
        control<QLineEdit>(d, "Txt_sname0")->setText("edited");
        control<QComboBox>(d, "ComboRefresh")->setCurrentIndex(0);
        control<QPushButton>(d, "CmdCancel")->click();
    };
    menus.MenueSetupInstallation_Click();

    EXPECT_EQ(key("INSTALLATION"), "Main_Engine");
    EXPECT_EQ(key("LBL_S1"), "Sensor1");
    EXPECT_EQ(key("REFRESH"), "2");
    EXPECT_EQ(key("LOGDIR"), home.path() + "/");
    EXPECT_EQ(caption, "VELTRA Logger Version 1.03_1  Main_Engine");
    EXPECT_EQ(chartRebuilds, 1);
}

TEST_F(InstallationSetupTest, ChangeDirKeepsOnlyTheDirectoryOfTheChosenFile)
{
    files.answers = {QString(), QStringLiteral("/data/logs/x.vlg")};
    runner.answer = [&](QDialog& d) {
        control<QLineEdit>(d, "TxtInstall")->setText("Pump_Room");
        auto* changeDir = control<QPushButton>(d, "CommandDir");
        EXPECT_EQ(changeDir->text(), "Change Dir");
        changeDir->click(); // the file dialog is cancelled
        EXPECT_EQ(control<QLineEdit>(d, "TxtDir")->text(), home.path() + "/");
        changeDir->click();
        EXPECT_EQ(control<QLineEdit>(d, "TxtDir")->text(), "/data/logs/");
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupInstallation_Click();

    ASSERT_EQ(files.initialNames.size(), 2);
    EXPECT_EQ(files.initialNames[0], home.path() + "/20261207Ls_Pump_Room.vlg");
    EXPECT_EQ(files.filters[0], "*.vlg");
    EXPECT_EQ(key("LOGDIR"), "/data/logs/");
    EXPECT_EQ(values.LOGDIR, "/data/logs/");
}

TEST_F(InstallationSetupTest, LongSensorNameIsStoredWholeAndItsLabelCutToFourteen)
{
    const QString name = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    runner.answer = [&](QDialog& d) {
        control<QLineEdit>(d, "Txt_sname0")->setText(name);
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupInstallation_Click();
    EXPECT_EQ(key("LBL_S1"), name);
    ASSERT_EQ(sensorNames.size(), 6u);
    EXPECT_EQ(sensorNames[0].sensor, 1);
    EXPECT_EQ(sensorNames[0].caption, "ABCDEFGHIJKLMN");
    EXPECT_EQ(sensorNames[0].toolTip, name);
}

TEST_F(InstallationSetupTest, NoRefreshSelectedIsRepairedByTheFollowingLoad)
{
    runner.answer = [&](QDialog& d) {
        control<QComboBox>(d, "ComboRefresh")->setCurrentIndex(-1);
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupInstallation_Click();
    EXPECT_EQ(values.REFRESH, 2);
    EXPECT_EQ(key("REFRESH"), "2");
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(box.shown[0].text.endsWith("check setup chart, refresh time ! !"));
    EXPECT_EQ(startEnabled, false);
}

TEST_F(InstallationSetupTest, FullFileWithoutRoomForNewKeysIsReported)
{
    QList<QByteArray> lines = defaultLines();
    while (lines.size() < 30)
        lines << "FILLER" + QByteArray::number(lines.size()) + "=x";
    startWith(lines);
    runner.answer = [&](QDialog& d) {
        control<QLineEdit>(d, "TxtInstall")->setText("Ship_3");
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupInstallation_Click();

    EXPECT_EQ(key("INSTALLATION"), "Ship_3");
    EXPECT_EQ(store.ReadConfigFile(values.ConfigFileName), 30);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, "VELTRA-logger.ini   File Error!!");
    EXPECT_TRUE(box.shown[0].text.contains("no room"));
}

} // namespace
