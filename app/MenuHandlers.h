#pragma once

class FrmMain;

// Connects the main window's menu items and buttons to their commands.
class MenuHandlers {
public:
    explicit MenuHandlers(FrmMain& window) : w_(window) {}

    // Call once, after the window's parts exist.
    void connectMenus();

    void MenueFileExit_Click();
    void MenuFilePrint_Click();
    void MenueSetupSerialPort_Click();
    void MenueSetupInstallation_Click();
    void MenueSetupPassword_Click();

private:
    FrmMain& w_;
};
