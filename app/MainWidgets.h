#pragma once
#include "app/LayoutUnits.h"
#include "display/MainControls.h"

#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QWidget;

// The main window's widgets: the named controls the logic parts use
// (MainControls) plus the ones only the window itself places or wires.
struct MainWidgets {
    MainControls controls;

    // The panels sit on `central`, which scrolls inside `scroll` (the
    // window's central widget) when the window is smaller than they need.
    QScrollArea* scroll = nullptr;
    QWidget* central = nullptr;

    // In the status bar while a logfile is read.
    QProgressBar* loadProgress = nullptr;
    QPushButton* stopLoading = nullptr;

    // Panels moved by the layout rules.
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame8 = nullptr;
    QGroupBox* Frame_LED = nullptr;
    QWidget* chartWidget = nullptr;
    QWidget* gaugeWidget[6] = {};
    QLabel* Label1 = nullptr;     // logo text
    QLabel* Image1 = nullptr;     // logo picture
    QLabel* Lbl_slogan = nullptr;
    QLabel* Lbl_name = nullptr;   // "Data Logger"

    // Menu items without a place in MainControls.
    QAction* MenueSetupSerialPort = nullptr;
    QAction* MenueSetupInstallation = nullptr;
    QAction* MenueSetupPassword = nullptr;
    QAction* MenueSetupDailyReports = nullptr;
    QAction* MenueSetupKeepRunning = nullptr;
    QAction* MenueVers = nullptr; // "Parameter Info"
    QAction* about = nullptr;
    // File > "History..." and "Add note..." (at the chart's cursor, while a
    // history is shown; also on the chart's menu).
    QAction* MenuFileHistory = nullptr;
    QAction* MenuFileAddNote = nullptr;
    QAction* MenuFileJournal = nullptr; // the alarm journal of the history shown
    QAction* MenuFileReport = nullptr;
    // File > Export and its items.
    QMenu* MenuFileExport = nullptr;
    QAction* MenuFileExportPng = nullptr;
    QAction* MenuFileExportPdf = nullptr;
    QAction* MenuFileExportCsv = nullptr;
    // The CSV begins with UTF-8's byte-order mark; on unless CSVBOM=0.
    QAction* MenuFileExportCsvMark = nullptr;

    // Widgets whose place never changes, with their boxes in their
    // container's twips.
    std::vector<std::pair<QWidget*, TwipBox>> fixedPlaces;
};
