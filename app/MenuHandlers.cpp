#include "app/MenuHandlers.h"

#include "app/FrmMain.h"
#include "config/SetupMenus.h"
#include "playback/ChartPrint.h"
#include "playback/PlaybackController.h"

#include <QAction>
#include <QPushButton>

void MenuHandlers::connectMenus()
{
    MainWidgets& w = w_.widgets();
    MainControls& c = w.controls;
    auto on = [&](QAction* action, auto handler) {
        if (action)
            QObject::connect(action, &QAction::triggered, &w_, handler);
    };
    on(c.MenueStartStop, [this] { w_.MenueStartStop_Click(); });
    on(c.MenueFileExit, [this] { MenueFileExit_Click(); });
    on(c.MenueFileLoad, [this] { w_.playbackController().MenueFileLoad_Click(); });
    on(c.MenueFileStop, [this] { w_.playbackController().MenueFileStop_Click(); });
    on(c.MenueFileSwap, [this] { w_.playbackController().MenueFileSwap_Click(); });
    on(c.MenueFileUnload, [this] { w_.playbackController().MenueFileUnload_Click(); });
    on(c.MenuFilePrint, [this] { MenuFilePrint_Click(); });
    on(w.MenueSetupSerialPort, [this] { MenueSetupSerialPort_Click(); });
    on(w.MenueSetupInstallation, [this] { MenueSetupInstallation_Click(); });
    on(w.MenueSetupPassword, [this] { MenueSetupPassword_Click(); });
    on(w.MenueVers, [this] { w_.MenueVers_Click(); });
    on(w.about, [this] { w_.about_Click(); });
    if (c.cmd_ext)
        QObject::connect(c.cmd_ext, &QPushButton::clicked, &w_, [this] { w_.cmd_ext_Click(); });
}

void MenuHandlers::MenueFileExit_Click()
{
    w_.exitRoutine();
}

void MenuHandlers::MenuFilePrint_Click()
{
    if (IStripChart* chart = w_.controls().iStripChartX1)
        printplot(*chart);
}

void MenuHandlers::MenueSetupSerialPort_Click()
{
    if (SetupMenus* menus = w_.setupMenus())
        menus->MenueSetupSerialPort_Click();
}

void MenuHandlers::MenueSetupInstallation_Click()
{
    if (SetupMenus* menus = w_.setupMenus())
        menus->MenueSetupInstallation_Click();
}

void MenuHandlers::MenueSetupPassword_Click()
{
    if (SetupMenus* menus = w_.setupMenus())
        menus->MenueSetupPassword_Click();
}
