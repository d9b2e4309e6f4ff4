#include "app/MainWindowBuilder.h"

#include "app/MainLayout.h"

#include "core/Colours.h"
#include "core/GaugeLooks.h"
#include "display/ElidedLabel.h"
#include "platform/ILamp.h"
#include "platform/ILinearGauge.h"
#include "chart/IStripChart.h"
#include "platform/ITimer.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>

namespace {

template <class W>
W* named(W* widget, const char* objectName, int index = -1)
{
    widget->setObjectName(index < 0 ? QString::fromLatin1(objectName)
                                    : QStringLiteral("%1_%2").arg(QLatin1String(objectName)).arg(index));
    return widget;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = named(new QGroupBox(caption, parent), name);
    box->setAutoFillBackground(true);
    return box;
}

void place(MainWidgets& w, QWidget* widget, double left, double top, double width, double height)
{
    w.fixedPlaces.push_back({widget, TwipBox{left, top, width, height}});
}


} // namespace

MainWindowBuilder::MainWindowBuilder(QMainWindow& window, const DisplayWidgetFactory& factory)
    : window_(window), factory_(factory)
{
}

MainWidgets MainWindowBuilder::build()
{
    MainWidgets w;
    w.controls.window = &window_;
    window_.setObjectName(QStringLiteral("FrmMain"));
    w.scroll = named(new QScrollArea(&window_), "scroll");
    w.scroll->setFrameShape(QFrame::NoFrame);
    w.scroll->setWidgetResizable(false);
    w.central = named(new QWidget, "central");
    w.scroll->setWidget(w.central);
    window_.setCentralWidget(w.scroll);

    buildMenus(w);
    buildGaugePanel(w);
    buildChartPanel(w);
    buildBottomPanel(w);
    buildStatusBar(w);
    // The bottom strip covers the chart frame's lower part when maximized.
    w.controls.Frame1->lower();
    return w;
}

void MainWindowBuilder::buildMenus(MainWidgets& w)
{
    MainControls& c = w.controls;
    QMenuBar* bar = window_.menuBar();

    c.MenueFile = named(bar->addMenu(QStringLiteral("File")), "MenueFile");
    buildFileMenu(w);
    c.MenueSetup = named(bar->addMenu(QStringLiteral("Setup")), "MenueSetup");
    buildSetupMenu(w);

    c.MenueEva = named(bar->addMenu(QStringLiteral("Evaluator")), "MenueEva");
    w.MenueVers = c.MenueEva->addAction(QStringLiteral("Parameter Info"));
    w.MenueVers->setObjectName(QStringLiteral("MenueVers"));
    c.MenueEva->menuAction()->setVisible(false);

    w.about = bar->addAction(QStringLiteral("About"));
    w.about->setObjectName(QStringLiteral("about"));

    c.MenueStartStop = bar->addAction(QStringLiteral("Start"));
    c.MenueStartStop->setObjectName(QStringLiteral("MenueStartStop"));
}

void MainWindowBuilder::buildFileMenu(MainWidgets& w)
{
    MainControls& c = w.controls;
    c.MenueFileLoad = c.MenueFile->addAction(QStringLiteral("Load"));
    w.MenuFileHistory = named(c.MenueFile->addAction(QStringLiteral("History\u2026")), "MenuFileHistory");
    // Offered outside a measurement, as Load is.
    QObject::connect(c.MenueFileLoad, &QAction::changed, w.MenuFileHistory,
                     [load = c.MenueFileLoad, history = w.MenuFileHistory] { history->setEnabled(load->isEnabled()); });
    c.MenueFileUnload = c.MenueFile->addAction(QStringLiteral("Unload"));
    c.MenueFileStop = c.MenueFile->addAction(QStringLiteral("Stop Loading"));
    c.MenueFileSwap = c.MenueFile->addAction(QStringLiteral("Swap Month-Day"));
    c.MenueFileSwap->setCheckable(true);
    w.MenuFileAddNote = named(c.MenueFile->addAction(QStringLiteral("Add note\u2026")), "MenuFileAddNote");
    w.MenuFileAddNote->setEnabled(false);
    w.MenuFileJournal = named(c.MenueFile->addAction(QStringLiteral("Journal\u2026")), "MenuFileJournal");
    w.MenuFileJournal->setEnabled(false);
    w.MenuFileReport = named(c.MenueFile->addAction(QStringLiteral("Report\u2026")), "MenuFileReport");
    c.MenuFilePrint = c.MenueFile->addAction(QStringLiteral("Print xy diagram"));
    buildExportMenu(w);
    c.MenueFile->addSeparator();
    c.MenueFileExit = c.MenueFile->addAction(QStringLiteral("Exit"));
    c.MenueFileLoad->setObjectName(QStringLiteral("MenueFileLoad"));
    c.MenueFileUnload->setObjectName(QStringLiteral("MenueFileUnload"));
    c.MenueFileStop->setObjectName(QStringLiteral("MenueFileStop"));
    c.MenueFileSwap->setObjectName(QStringLiteral("MenueFileSwap"));
    c.MenuFilePrint->setObjectName(QStringLiteral("MenuFilePrint"));
    c.MenueFileExit->setObjectName(QStringLiteral("MenueFileExit"));
    // Live mode at start: nothing loaded to unload or stop. The chart prints
    // in both modes.
    c.MenueFileUnload->setEnabled(false);
    c.MenueFileStop->setEnabled(false);
}

void MainWindowBuilder::buildExportMenu(MainWidgets& w)
{
    w.MenuFileExport = named(w.controls.MenueFile->addMenu(QStringLiteral("Export")), "MenuFileExport");
    w.MenuFileExport->menuAction()->setObjectName(QStringLiteral("MenuFileExportItem"));
    w.MenuFileExportPng = named(w.MenuFileExport->addAction(QStringLiteral("Chart as PNG...")), "MenuFileExportPng");
    w.MenuFileExportPdf = named(w.MenuFileExport->addAction(QStringLiteral("Chart as PDF...")), "MenuFileExportPdf");
    w.MenuFileExportCsv = named(w.MenuFileExport->addAction(QStringLiteral("Data as CSV...")), "MenuFileExportCsv");
    w.MenuFileExportCsvMark =
        named(w.MenuFileExport->addAction(QStringLiteral("CSV for spreadsheets")), "MenuFileExportCsvMark");
    w.MenuFileExportCsvMark->setCheckable(true);
    w.MenuFileExportCsvMark->setChecked(true);
}

void MainWindowBuilder::buildSetupMenu(MainWidgets& w)
{
    QMenu* setup = w.controls.MenueSetup;
    w.MenueSetupSerialPort = setup->addAction(QStringLiteral("Setup Serial port"));
    w.MenueSetupInstallation = setup->addAction(QStringLiteral("Setup Installation"));
    w.MenueSetupPassword = setup->addAction(QStringLiteral("Setup Password"));
    w.MenueSetupSerialPort->setObjectName(QStringLiteral("MenueSetupSerialPort"));
    w.MenueSetupInstallation->setObjectName(QStringLiteral("MenueSetupInstallation"));
    w.MenueSetupPassword->setObjectName(QStringLiteral("MenueSetupPassword"));
    // Checked while the desktop session keeps the logger running.
    w.MenueSetupKeepRunning = setup->addAction(QStringLiteral("Keep logger running"));
    w.MenueSetupKeepRunning->setObjectName(QStringLiteral("MenueSetupKeepRunning"));
    w.MenueSetupKeepRunning->setCheckable(true);
    w.MenueSetupDailyReports = setup->addAction(QStringLiteral("Daily reports"));
    w.MenueSetupDailyReports->setObjectName(QStringLiteral("MenueSetupDailyReports"));
    w.MenueSetupDailyReports->setCheckable(true);
}

void MainWindowBuilder::buildChartPanel(MainWidgets& w)
{
    MainControls& c = w.controls;
    c.Frame1 = frame(w.central, "Frame1", QStringLiteral("XY graph"));

    if (factory_.makeChart) {
        const PlacedWidget<IStripChart> chart = factory_.makeChart(c.Frame1);
        c.iStripChartX1 = chart.control;
        w.chartWidget = chart.widget;
        if (w.chartWidget) {
            w.chartWidget->setObjectName(QStringLiteral("iStripChartX1"));
            w.chartWidget->setAccessibleName(QStringLiteral("Strip chart"));
            // The File menu is locked while measuring; printing and the
            // exports stay at hand on the chart itself.
            w.chartWidget->addAction(w.MenuFileAddNote);
            w.chartWidget->addAction(c.MenuFilePrint);
            w.chartWidget->addAction(w.MenuFileExport->menuAction());
            w.chartWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
        }
    }

    buildChartValues(w);
    buildRelayPanel(w);
    buildAxisChoices(w);
    w.Image1 = named(new QLabel(c.Frame1), "Image1");
    w.Image1->setText(QStringLiteral("VELTRA"));
    w.Image1->setAlignment(Qt::AlignCenter);
    w.Image1->setProperty("role", QStringLiteral("logoPicture"));
    w.Image1->setAccessibleName(QStringLiteral("VELTRA logo"));
    w.Image1->hide();
    w.Lbl_slogan = named(new QLabel(QStringLiteral("Condition Monitoring Safety"), c.Frame1), "Lbl_slogan");
    w.Lbl_slogan->setProperty("role", QStringLiteral("slogan"));
    w.Lbl_slogan->hide();
}

void MainWindowBuilder::buildChartValues(MainWidgets& w)
{
    MainControls& c = w.controls;
    w.Frame7 = frame(c.Frame1, "Frame7", QStringLiteral("XY graph displayed values"));
    const double columnLeft[3] = {120, 2400, 4900};
    for (int k = 1; k <= 5; ++k) {
        auto* box = named(new QCheckBox(QString::fromLatin1(GaugeLooks::forValue(k)->chartCaption), w.Frame7), "CheckChartDisplay", k);
        box->setChecked(k == 2 || k == 4);
        c.CheckChartDisplay[k] = box;
        const int row = (k - 1) / 3;
        place(w, box, columnLeft[(k - 1) % 3], 220 + row * 290, 2400, 270);
    }
    c.cmd_zoom_xy = named(new QPushButton(QStringLiteral("Enlarge XY graph"), w.Frame7), "cmd_zoom_xy");
    place(w, c.cmd_zoom_xy, 4900, 490, 2500, 300);

}

void MainWindowBuilder::buildRelayPanel(MainWidgets& w)
{
    MainControls& c = w.controls;
    c.Frame_relais = frame(c.Frame1, "Frame_relais", QStringLiteral("Relay Status"));
    const char* const relayNames[3] = {"LED_RDY", "LED_Alarm", "LED_Prealarm"};
    const char* const relayCaptions[3] = {"Ready Relay", "Alarm Relay 1", "Alarm Relay 2"};
    ILamp** relayLamps[3] = {&c.LED_RDY, &c.LED_Alarm, &c.LED_Prealarm};
    for (int r = 0; r < 3; ++r) {
        if (factory_.makeLamp) {
            const PlacedWidget<ILamp> lamp = factory_.makeLamp(c.Frame_relais, LampShape::Round);
            *relayLamps[r] = lamp.control;
            if (lamp.widget) {
                lamp.widget->setObjectName(QString::fromLatin1(relayNames[r]));
                lamp.widget->setAccessibleName(QString::fromLatin1(relayCaptions[r]) + QStringLiteral(" lamp"));
                place(w, lamp.widget, 200 + r * 2450, 360, 420, 420);
            }
        }
        auto* label = new QLabel(QString::fromLatin1(relayCaptions[r]), c.Frame_relais);
        place(w, label, 700 + r * 2450, 400, 1700, 340);
    }

}

void MainWindowBuilder::buildAxisChoices(MainWidgets& w)
{
    MainControls& c = w.controls;
    w.Frame8 = frame(c.Frame1, "Frame8", QStringLiteral("Y-Axis scale"));
    const char* const yCaptions[3] = {"-10......10", "-20......50", "-30......150"};
    for (int i = 1; i <= 3; ++i) {
        auto* option = named(new QRadioButton(QString::fromLatin1(yCaptions[i - 1]), w.Frame8), "OptionScaleChart", i);
        option->setChecked(i == 3);
        c.OptionScaleChart[i] = option;
        place(w, option, 30, 200 + (i - 1) * 260, 1275, 250);
    }

    c.Frame_x = frame(c.Frame1, "Frame_x", QStringLiteral("X-Axis scale"));
    const char* const xCaptions[3] = {"2 Min", "1 Hour", "6 Hours"};
    for (int i = 1; i <= 3; ++i) {
        auto* option = named(new QRadioButton(QString::fromLatin1(xCaptions[i - 1]), c.Frame_x), "OptionScaleX", i);
        option->setChecked(i == 1);
        c.OptionScaleX[i] = option;
        place(w, option, 90, 200 + (i - 1) * 260, 1150, 250);
    }

}

void MainWindowBuilder::buildGaugePanel(MainWidgets& w)
{
    MainControls& c = w.controls;
    w.SSTab1 = named(new QTabWidget(w.central), "SSTab1");
    auto* page = named(new QWidget(w.SSTab1), "SSTab1_gauges");
    w.SSTab1->addTab(page, QStringLiteral("Sensor Gauges && Status"));

    c.Frame3 = frame(page, "Frame3", QStringLiteral("Sensor Gauges"));

    auto* valueBox = frame(c.Frame3, "FrameGaugeValue", QStringLiteral("Gauge value"));
    place(w, valueBox, 45, 260, GaugeColumns::LabelWidth - 60, 1780);
    for (int k = 1; k <= 5; ++k) {
        auto* option = named(new QRadioButton(QString::fromLatin1(GaugeLooks::forValue(k)->gaugeCaption), valueBox), "OptionDisplayGauge", k);
        option->setChecked(k == 4);
        c.OptionDisplayGauge[k] = option;
        place(w, option, 30, 240 + (k - 1) * 300, GaugeColumns::LabelWidth - 105, 280);
    }

    // A sibling of Frame3 laid over its label column.
    w.Frame4 = frame(page, "Frame4", QStringLiteral("Gauges scale"));
    const char* const scaleCaptions[4] = {"end  ->     22", "end  ->   150", "end  ->   250", "end  -> 1200"};
    for (int i = 1; i <= 4; ++i) {
        auto* option = named(new QRadioButton(QString::fromLatin1(scaleCaptions[i - 1]), w.Frame4), "OptionScaleGauge", i);
        option->setChecked(i == 4);
        c.OptionScaleGauge[i] = option;
        place(w, option, 60, 220 + (i - 1) * 300, GaugeColumns::LabelWidth - 240, 280);
    }

    w.Label1 = named(new QLabel(QStringLiteral("VELTRA"), c.Frame3), "Label1");
    w.Label1->setAlignment(Qt::AlignCenter);
    w.Label1->setProperty("role", QStringLiteral("logo"));

    for (int t = 0; t < 6; ++t)
        buildSensorColumn(w, t);

    w.Frame5 = frame(c.Frame3, "Frame5", QString());
    c.CmdShowNone = named(new QPushButton(QStringLiteral("Show none in chart"), w.Frame5), "CmdShowNone");
    place(w, c.CmdShowNone, 0, 60, 2100, 380);
    for (int s = 1; s <= 6; ++s) {
        auto* box = named(new QCheckBox(QStringLiteral("chart"), w.Frame5), "CheckShow", s);
        box->setChecked(true);
        box->setAccessibleName(QStringLiteral("Show sensor %1 in chart").arg(s));
        c.CheckShow[s] = box;
        place(w, box, GaugeColumns::leftInPanel(s - 1) + 60, 100, 860, 300);
    }

    w.Frame_LED = frame(c.Frame3, "Frame_LED", QStringLiteral("Sensor status"));
    buildLampPanel(w, w.Frame_LED);
}

void MainWindowBuilder::buildSensorColumn(MainWidgets& w, int t)
{
    MainControls& c = w.controls;
    const double column = GaugeColumns::left(t);
    auto* caption = named(new QLabel(QStringLiteral("Sensor %1").arg(t + 1), c.Frame3), "Label3", t);
    caption->setAlignment(Qt::AlignCenter);
    c.Label3[t] = caption;
    // Each column's head: "Sensor n" across it, the sensor's colour as a bar
    // under it, and the sensor's name.
    place(w, caption, column, 125, GaugeColumns::SensorWidth, 215);

    if (factory_.makeLamp) {
        const PlacedWidget<ILamp> colour = factory_.makeLamp(c.Frame3, LampShape::Rectangle);
        c.iLedRectangleXl[t] = colour.control;
        if (colour.widget) {
            colour.widget->setObjectName(QStringLiteral("iLedRectangleXl_%1").arg(t));
            colour.widget->setAccessibleName(QStringLiteral("Sensor %1 colour").arg(t + 1));
            place(w, colour.widget, column + 90, 345, GaugeColumns::SensorWidth - 180, 60);
        }
    }

    auto* name = named(new ElidedLabel(c.Frame3), "Lbl_sname", t);
    name->setAlignment(Qt::AlignCenter);
    c.Lbl_sname[t] = name;
    place(w, name, column, 410, GaugeColumns::SensorWidth, 220);

    if (factory_.makeGauge) {
        const PlacedWidget<ILinearGauge> gauge = factory_.makeGauge(c.Frame3, t);
        c.iLinearGaugeX1[t] = gauge.control;
        w.gaugeWidget[t] = gauge.widget;
        if (gauge.control)
            gauge.control->SetPointerColor(Colours::Sensor[t]);
        if (gauge.widget) {
            gauge.widget->setObjectName(QStringLiteral("iLinearGaugeX1_%1").arg(t));
            gauge.widget->setAccessibleName(QStringLiteral("Sensor %1 gauge").arg(t + 1));
        }
    }

    auto* readout = named(new QLineEdit(c.Frame3), "TextGauge", t);
    readout->setReadOnly(true);
    readout->setAlignment(Qt::AlignRight);
    readout->setAccessibleName(QStringLiteral("Sensor %1 reading").arg(t + 1));
    c.TextGauge[t] = readout;
    c.gaugeUnit[t] = named(new QLabel(c.Frame3), "Lbl_unit", t);
}

void MainWindowBuilder::buildLampPanel(MainWidgets& w, QWidget* parent)
{
    MainControls& c = w.controls;
    c.Label2 = named(new QLabel(QStringLiteral("Sensor Ready"), parent), "Label2");
    c.Label4 = named(new QLabel(QStringLiteral("Oil Quality"), parent), "Label4");
    c.Label5 = named(new QLabel(QStringLiteral("Temperature"), parent), "Label5");
    place(w, c.Label2, 90, 300, 1900, 240);
    place(w, c.Label4, 90, 540, 1900, 240);
    place(w, c.Label5, 90, 780, 1900, 240);
    c.Label6 = named(new QLabel(QStringLiteral("Prealarm"), parent), "Label6");
    c.Label7 = named(new QLabel(QStringLiteral("Mainalarm"), parent), "Label7");
    place(w, c.Label6, 5700, 40, 900, 230);
    place(w, c.Label7, 7020, 40, 1000, 230);

    const PlacedWidget<ILamp> legendPre = namedLamp(parent, QStringLiteral("iLedRectangleX1"),
                                                    QStringLiteral("Prealarm colour"), LampShape::Rectangle);
    const PlacedWidget<ILamp> legendMain = namedLamp(parent, QStringLiteral("iLedRectangleX2"),
                                                     QStringLiteral("Mainalarm colour"), LampShape::Rectangle);
    c.iLedRectangleX1 = legendPre.control;
    c.iLedRectangleX2 = legendMain.control;
    if (legendPre.widget)
        place(w, legendPre.widget, 5450, 80, 200, 150);
    if (legendMain.widget)
        place(w, legendMain.widget, 6770, 80, 200, 150);

    for (int i = 0; i < 6; ++i)
        buildSensorLamps(w, parent, i);
}

void MainWindowBuilder::buildSensorLamps(MainWidgets& w, QWidget* parent, int i)
{
    MainControls& c = w.controls;
    const double column = GaugeColumns::leftInPanel(i);
    const QString sensor = QStringLiteral("Sensor %1 ").arg(i + 1);
    struct LampSpec {
        ILamp** slot;
        const char* name;
        const char* what;
        double left;
        double top;
    };
    const LampSpec specs[5] = {
        {&c.sled_rdy[i], "sled_rdy", "ready lamp", 400, 335},
        {&c.oled_palm[i], "oled_palm", "oil pre-alarm lamp", 240, 575},
        {&c.oled_malm[i], "oled_malm", "oil main alarm lamp", 580, 575},
        {&c.tled_palm[i], "tled_palm", "temperature pre-alarm lamp", 240, 815},
        {&c.tled_malm[i], "tled_malm", "temperature main alarm lamp", 580, 815},
    };
    for (const LampSpec& design : specs) {
        const PlacedWidget<ILamp> made = namedLamp(parent, QStringLiteral("%1_%2").arg(QLatin1String(design.name)).arg(i),
                                                   sensor + QLatin1String(design.what), LampShape::Rectangle);
        *design.slot = made.control;
        if (made.widget)
            place(w, made.widget, column + design.left, design.top, 300, 170);
    }
    c.lbl_rdy[i] = named(new QLabel(QString::number(i + 1), parent), "lbl_rdy", i);
    c.Lbl_opa[i] = named(new QLabel(QString::number(i + 1), parent), "Lbl_opa", i);
    c.Lbl_temp[i] = named(new QLabel(QString::number(i + 1), parent), "Lbl_temp", i);
    place(w, c.lbl_rdy[i], column + 130, 300, 250, 240);
    place(w, c.Lbl_opa[i], column + 30, 540, 220, 240);
    place(w, c.Lbl_temp[i], column + 30, 780, 220, 240);
}

PlacedWidget<ILamp> MainWindowBuilder::namedLamp(QWidget* parent, const QString& objectName,
                                                 const QString& accessibleName, LampShape shape) const
{
    if (!factory_.makeLamp)
        return {};
    PlacedWidget<ILamp> made = factory_.makeLamp(parent, shape);
    if (made.widget) {
        made.widget->setObjectName(objectName);
        made.widget->setAccessibleName(accessibleName);
    }
    return made;
}

void MainWindowBuilder::buildBottomPanel(MainWidgets& w)
{
    MainControls& c = w.controls;
    w.Frame2 = frame(w.central, "Frame2", QString());

    w.Lbl_name = named(new QLabel(QStringLiteral("Data Logger"), w.Frame2), "Lbl_name");
    w.Lbl_name->setProperty("role", QStringLiteral("title"));
    w.Lbl_name->setToolTip(QStringLiteral("Double-click for software info"));
    place(w, w.Lbl_name, 150, 150, 2500, 600);
    c.Lbl_mode = named(new QLabel(QStringLiteral("logging mode"), w.Frame2), "Lbl_mode");
    place(w, c.Lbl_mode, 150, 800, 2500, 300);

    c.Frame_evames = frame(w.Frame2, "Frame_evames", QStringLiteral("Datamessages from evaluator"));
    place(w, c.Frame_evames, 2750, 30, 6300, 820);
    c.TextMessages = named(new QPlainTextEdit(c.Frame_evames), "TextMessages");
    c.TextMessages->setReadOnly(true);
    c.TextMessages->setAccessibleName(QStringLiteral("Latest evaluator line"));
    c.TextMessages->setLineWrapMode(QPlainTextEdit::NoWrap);
    c.TextMessages->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(w, c.TextMessages, 90, 260, 5000, 470);
    c.cmd_ext = named(new QPushButton(QStringLiteral("extended"), c.Frame_evames), "cmd_ext");
    place(w, c.cmd_ext, 5160, 300, 1050, 380);

    c.Frame_comerror = frame(w.Frame2, "Frame_comerror", QStringLiteral("Error Messages COM Port"));
    place(w, c.Frame_comerror, 2750, 870, 6300, 640);
    c.Txt_ComError = named(new QLineEdit(c.Frame_comerror), "Txt_ComError");
    c.Txt_ComError->setReadOnly(true);
    c.Txt_ComError->setAccessibleName(QStringLiteral("Serial port status"));
    place(w, c.Txt_ComError, 90, 250, 6120, 330);

    auto* events = frame(w.Frame2, "FrameEvents", QStringLiteral("Events (double-click for the status window)"));
    place(w, events, 9150, 30, 9720, 1480);
    c.Txt_event = named(new QPlainTextEdit(events), "Txt_event");
    c.Txt_event->setReadOnly(true);
    c.Txt_event->setAccessibleName(QStringLiteral("Event list"));
    place(w, c.Txt_event, 90, 250, 9540, 1170);
}

void MainWindowBuilder::buildStatusBar(MainWidgets& w)
{
    QStatusBar* bar = window_.statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    w.loadProgress = named(new QProgressBar(bar), "loadProgress");
    w.loadProgress->setAccessibleName(QStringLiteral("Logfile loading progress"));
    w.loadProgress->setMaximumWidth(360);
    w.loadProgress->hide();
    w.stopLoading = named(new QPushButton(QStringLiteral("Stop Loading"), bar), "stopLoading");
    w.stopLoading->hide();
    bar->addPermanentWidget(w.loadProgress);
    bar->addPermanentWidget(w.stopLoading);
}
