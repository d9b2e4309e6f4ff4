#include "app/MenuHandlers.h"

#include "app/FrmMain.h"
#include "app/ReportCommand.h"
#include "config/SetupMenus.h"
#include "display/ChartExportCommands.h"
#include "playback/ChartPrint.h"
#include "playback/HistoryController.h"
#include "playback/PlaybackController.h"

#include <QAction>

void MenuHandlers::connectMenus()
{
    MainWidgets& w = w_.widgets();
    MainControls& c = w.controls;
    auto on = [&](QAction* action, auto handler) {
        if (action)
            QObject::connect(action, &QAction::triggered, &w_, handler);
    };
    PlaybackController& playback = w_.playbackController();
    SetupMenus& setup = w_.setupMenus();
    on(c.MenueStartStop, [this] { w_.MenueStartStop_Click(); });
    on(c.MenueFileExit, [this] { MenueFileExit_Click(); });
    on(c.MenueFileLoad, [&playback] { playback.MenueFileLoad_Click(); });
    on(c.MenueFileStop, [&playback] { playback.MenueFileStop_Click(); });
    if (HistoryController* history = w_.history()) {
        on(w.MenuFileHistory, [history] { history->MenueFileHistory_Click(); });
        on(w.MenuFileAddNote, [history] { history->addNoteAtCursor(); });
        on(w.MenuFileJournal, [history] { history->showJournal(); });
        on(c.MenueFileStop, [history] { history->stopBuilding(); });
    }
    on(c.MenueFileSwap, [&playback] { playback.MenueFileSwap_Click(); });
    on(c.MenueFileUnload, [&playback] { playback.MenueFileUnload_Click(); });
    on(c.MenuFilePrint, [this] { MenuFilePrint_Click(); });
    on(w.MenuFileReport, [this] { w_.reportCommand().MenuFileReport_Click(); });
    if (ChartExportCommands* exports = w_.chartExport()) {
        on(w.MenuFileExportPng, [exports] { exports->exportPng(); });
        on(w.MenuFileExportPdf, [exports] { exports->exportPdf(); });
        on(w.MenuFileExportCsv, [exports] { exports->exportCsv(); });
    }
    on(w.MenueSetupSerialPort, [&setup] { setup.MenueSetupSerialPort_Click(); });
    on(w.MenueSetupInstallation, [&setup] { setup.MenueSetupInstallation_Click(); });
    on(w.MenueSetupPassword, [&setup] { setup.MenueSetupPassword_Click(); });
    on(w.MenueSetupKeepRunning, [&setup] { setup.MenueSetupKeepRunning_Click(); });
    on(w.MenueSetupDailyReports, [&setup] { setup.MenueSetupDailyReports_Click(); });
    on(w.MenuFileExportCsvMark, [&setup] { setup.csvForSpreadsheets_Click(); });
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
