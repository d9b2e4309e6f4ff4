#pragma once

class FrmMain;

// Connects the main window's menu items to their commands (the information
// windows' items are InfoWindowMenus').
class MenuHandlers {
public:
    explicit MenuHandlers(FrmMain& window) : w_(window) {}

    // Call once, after the window's parts exist.
    void connectMenus();

    void MenueFileExit_Click();
    void MenuFilePrint_Click();

private:
    FrmMain& w_;
};
