#include "SetupFixture.h"
#include "platform/SerialLinks.h"

namespace {

using SerialPortSetupTest = SetupTest;

TEST_F(SerialPortSetupTest, WorkingPortAndBaudRateAreStoredAndTheMainPortIsSetUpAgain)
{
    QDir(home.path()).mkdir("serial");
    writeRaw(QDir(home.path()).filePath("serial/COM5"), "");
    startWith({TestHeader, "COM=2", "BAUDRATE=9600", "REFRESH=2"});
    runner.answer = [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Setup Serial Port");
        auto* com = control<QComboBox>(d, "ComboCom");
        auto* baud = control<QComboBox>(d, "select_baud");
        ASSERT_EQ(com->count(), 16);
        EXPECT_EQ(com->itemText(0), "COM 1");
        EXPECT_EQ(com->itemText(15), "COM 16");
        EXPECT_EQ(com->currentIndex(), 1);
        EXPECT_EQ(baud->currentText(), "9600");
        auto* device = control<QLabel>(d, "deviceLabel");
        EXPECT_EQ(device->text(), "/dev/ttyS1");
        com->setCurrentIndex(4);
        EXPECT_EQ(device->text(), QDir(home.path()).filePath("serial/COM5"));
        baud->setCurrentIndex(baud->findText("19200"));
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupSerialPort_Click();

    EXPECT_EQ(readRaw(path()), crlf({TestHeader, "COM=5", "BAUDRATE=19200", "REFRESH=2"}));
    EXPECT_EQ(values.COM, 5);
    EXPECT_EQ(dialogPort.commPort(), 5);
    EXPECT_FALSE(dialogPort.portOpen());
    EXPECT_EQ(mainPort.commPort(), 5);
    EXPECT_EQ(mainPort.settings(), "19200,n,8,1");
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(startEnabled, true);
}

TEST_F(SerialPortSetupTest, MissingPortKeepsTheDialogOpenAndCancelStillStoresTheBaudRate)
{
    dialogPort.openFails = true;
    runner.answer = [&](QDialog& d) {
        control<QComboBox>(d, "ComboCom")->setCurrentIndex(2);
        auto* baud = control<QComboBox>(d, "select_baud");
        baud->setCurrentIndex(baud->findText("38400"));
        control<QPushButton>(d, "CmdOk")->click();
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, "Com-Port not availabel !");
        EXPECT_EQ(box.shown[0].title, "");
        EXPECT_EQ(box.shown[0].icon, MessageIcon::None);
        EXPECT_TRUE(d.isVisible());
        control<QPushButton>(d, "CmdCancel")->click();
    };
    menus.MenueSetupSerialPort_Click();

    EXPECT_EQ(values.COM, 1);
    EXPECT_EQ(key("COM"), "1");
    EXPECT_EQ(key("BAUDRATE"), "38400");
    EXPECT_EQ(mainPort.settings(), "38400,n,8,1");
}

TEST_F(SerialPortSetupTest, ChosenSystemPortIsLinkedAsTheNumberAndFoundThereNextTime)
{
    const QString byId = "/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0";
    systemPorts.list = {{"/dev/ttyUSB0", byId, "FT232R USB UART"}, {"/dev/ttyACM0", "", ""}};
    runner.answer = [&](QDialog& d) {
        auto* system = control<QComboBox>(d, "ComboSystemPort");
        ASSERT_EQ(system->count(), 3);
        EXPECT_EQ(system->currentIndex(), 0); // COM 1 is no link: nothing to show
        EXPECT_EQ(system->itemText(1), byId + " (/dev/ttyUSB0) - FT232R USB UART");
        EXPECT_EQ(system->itemText(2), "/dev/ttyACM0");
        control<QComboBox>(d, "ComboCom")->setCurrentIndex(3);
        system->setCurrentIndex(1);
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupSerialPort_Click();
    EXPECT_EQ(SerialLinks(home.path()).target(4), byId);
    EXPECT_EQ(key("COM"), "4");

    runner.answer = [&](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, "ComboSystemPort")->currentIndex(), 1);
        control<QComboBox>(d, "ComboCom")->setCurrentIndex(0);
        EXPECT_EQ(control<QComboBox>(d, "ComboSystemPort")->currentIndex(), 0);
    };
    menus.MenueSetupSerialPort_Click();
}

TEST_F(SerialPortSetupTest, FailedTestPutsTheOldLinkBackAndSaysWhenPermissionIsMissing)
{
    SerialLinks links(home.path());
    ASSERT_TRUE(links.point(2, "/dev/pts/9"));
    systemPorts.list = {{"/dev/ttyACM0", "", ""}};
    dialogPort.openFails = true;
    dialogPort.denied = SerialAccessDenied{"/dev/ttyACM0", "dialout"};
    runner.answer = [&](QDialog& d) {
        control<QComboBox>(d, "ComboCom")->setCurrentIndex(1);
        control<QComboBox>(d, "ComboSystemPort")->setCurrentIndex(1);
        control<QPushButton>(d, "CmdOk")->click();
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, "Com-Port not availabel !\n" + serialAccessHint(*dialogPort.denied));
        EXPECT_TRUE(d.isVisible());
        control<QPushButton>(d, "CmdCancel")->click();
    };
    menus.MenueSetupSerialPort_Click();
    EXPECT_EQ(links.target(2), "/dev/pts/9");
    EXPECT_EQ(key("COM"), "1");
}

TEST_F(SerialPortSetupTest, UnofferedBaudRateSelectsNothingAndOkIsRefused)
{
    QList<QByteArray> lines = defaultLines();
    lines[2] = "BAUDRATE=4800";
    startWith(lines);
    runner.answer = [&](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, "select_baud")->currentIndex(), -1);
        control<QPushButton>(d, "CmdOk")->click();
        EXPECT_EQ(dialogPort.openCalls, 0);
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_TRUE(box.shown[0].text.contains("baud rate"));
        control<QPushButton>(d, "CmdCancel")->click();
    };
    menus.MenueSetupSerialPort_Click();
    EXPECT_EQ(key("BAUDRATE"), "4800");
}

TEST_F(SerialPortSetupTest, ReopenedDialogShowsTheStoredChoice)
{
    runner.answer = [&](QDialog& d) {
        control<QComboBox>(d, "ComboCom")->setCurrentIndex(7);
        auto* baud = control<QComboBox>(d, "select_baud");
        baud->setCurrentIndex(baud->findText("57600"));
        control<QPushButton>(d, "CmdOk")->click();
    };
    menus.MenueSetupSerialPort_Click();
    runner.answer = [&](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, "ComboCom")->currentText(), "COM 8");
        EXPECT_EQ(control<QComboBox>(d, "select_baud")->currentText(), "57600");
        EXPECT_EQ(control<QComboBox>(d, "ComboCom")->count(), 16);
    };
    menus.MenueSetupSerialPort_Click();
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(key("COM"), "8");
}

} // namespace
