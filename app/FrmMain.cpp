#include "app/FrmMain.h"

#include "app/DecoderView.h"
#include "app/InfoWindowMenus.h"
#include "app/LayoutApplier.h"
#include "app/MainWindowBuilder.h"
#include "app/MeasurementWindow.h"
#include "app/MenuHandlers.h"
#include "app/StartUpSequence.h"
#include "app/UplinkParts.h"
#include "app/WindowSizing.h"
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "config/SetupMenus.h"
#include "display/AlarmPopup.h"
#include "display/AlarmTracker.h"
#include "display/ChartExportCommands.h"
#include "display/ChartHandlers.h"
#include "display/DisplayCycle.h"
#include "chart/StripChartWidget.h"
#include "link/LineReceiver.h"
#include "link/PortReopener.h"
#include "link/RecordDecoder.h"
#include "link/StateUpdater.h"
#include "logging/EventList.h"
#include "logging/LogWriter.h"
#include "logging/MeasurementController.h"
#include "logging/PlainTextBox.h"
#include "platform/IScreen.h"
#include "platform/ISerialPort.h"
#include "platform/ITimer.h"
#include "app/GaugeForecasts.h"
#include "app/ReportCommand.h"
#include "report/DailyReports.h"
#include "platform/IMessageBox.h"
#include "history/ForecastWatcher.h"
#include "history/HistoryFollower.h"
#include "playback/HistoryController.h"
#include "playback/PlaybackController.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

FrmMain::FrmMain(FrmMainServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), scale_(services_.screen.logicalDpi())
{
    widgets_ = MainWindowBuilder(*this, services_.widgets).build();
    setStyleSheet(QStringLiteral(
        "QLabel[role=\"title\"] { font-size: 15pt; font-weight: bold; color: #1f3b57; }"
        "QLabel[role=\"logo\"], QLabel[role=\"logoPicture\"] { font-size: 17pt; font-weight: bold;"
        " color: #1f3b57; letter-spacing: 3px; }"
        "QLabel[role=\"slogan\"] { font-size: 12pt; font-style: italic; color: #1f3b57; }"
        // The Y-axis frame ends where the X-axis frame begins; its options
        // keep their whole captions with the indicator closer to the text.
        "QGroupBox#Frame8 QRadioButton { spacing: 2px; }"
        "QGroupBox#Frame8 QRadioButton::indicator { width: 12px; height: 12px; }"));
    LayoutApplier(widgets_, scale_).applyFixed();
    createLogging();
    createLivePath();
    createDisplay();
    createMeasurement();
    createSetup();
    createWindowParts();
    createUplink();
    wireLivePath();
    wireDisplay();
    wireSetup();
    wireHistory();
    wireReports();
    const QSize designSize(scale_.toPixels(MainLayout::normalMinimumWidth() + 75), scale_.toPixels(11175));
    resize(designSize.width(),
           designSize.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    sizing_->relayout();
}

FrmMain::~FrmMain() = default;

void FrmMain::createLogging()
{
    MainControls& c = widgets_.controls;
    timerDisplay_ = services_.widgets.makeTimer();
    timerTimeout_ = services_.widgets.makeTimer();
    reopenTimer_ = services_.widgets.makeTimer();
    c.TimerDisplay = timerDisplay_.get();
    c.Timer_timeout = timerTimeout_.get();

    configStore_ = std::make_unique<RdWrConfig>(services_.homeDirectory);
    configLoader_ = std::make_unique<ConfigurationLoader>(config_, *configStore_, services_.serialPort,
                                                          services_.messageBox);
    eventBox_ = std::make_unique<PlainTextBox>(*c.Txt_event);
    eventList_ = std::make_unique<EventList>(*eventBox_, services_.clock);
    logWriter_ = std::make_unique<LogWriter>(state_.log, config_, services_.clock);
}

void FrmMain::createLivePath()
{
    MainControls& c = widgets_.controls;
    receiver_ = std::make_unique<LineReceiver>(services_.serialPort, *timerTimeout_, state_, config_, *eventList_,
                                               *logWriter_, ReceiverLamps{c.LED_Alarm, c.LED_Prealarm, c.LED_RDY});
    decoder_ = std::make_unique<RecordDecoder>();
    stateUpdater_ = std::make_unique<StateUpdater>(state_);
    decoderView_ = std::make_unique<DecoderView>(c);
    reopener_ = std::make_unique<PortReopener>(services_.serialPort, *reopenTimer_);
}

void FrmMain::createDisplay()
{
    MainControls& c = widgets_.controls;
    chartHandlers_ = std::make_unique<ChartHandlers>(c, state_, config_, playback_.fileMode, playback_.channelMap);
    chartHandlers_->twipsToPixels = [this](int twips) { return scale_.toPixels(twips); };
    chartHandlers_->chartWidget = widgets_.chartWidget;
    alarmPopup_ = std::make_unique<AlarmPopup>(logWriter_.get(), eventList_.get(), &services_.sound,
                                               services_.widgets.makeTimer, this);
    alarmPopup_->setAnchor(widgets_.chartWidget);
    tracker_ = std::make_unique<AlarmTracker>(c, state_, eventList_.get(), logWriter_.get());
    displayCycle_ = std::make_unique<DisplayCycle>(c, state_, chartHandlers_.get());
    playbackController_ = std::make_unique<PlaybackController>(c, state_, config_, playback_, services_.fileDialog,
                                                               services_.messageBox, chartHandlers_.get(),
                                                               configStore_.get());
}

void FrmMain::createMeasurement()
{
    MainControls& c = widgets_.controls;
    measurementWindow_ = std::make_unique<MeasurementWindow>(c, playback_, *chartHandlers_, timerTimeout_.get(),
                                                             reopener_.get(), [this] { endProgram(); });
    measurementController_ = std::make_unique<MeasurementController>(MeasurementController::Parts{
        *measurementWindow_, services_.serialPort, *timerDisplay_, c.iStripChartX1, *logWriter_, *eventList_,
        config_, services_.dialogs, services_.messageBox, this});
}

void FrmMain::createSetup()
{
    setupPort_ = services_.makeSerialPort();
    if (services_.commands)
        keepRunning_ = std::make_unique<KeepRunning>(
            KeepRunning::Parts{config_, *configStore_, *services_.commands, services_.sessionStart});
    setupMenus_ = std::make_unique<SetupMenus>(
        SetupMenus::Parts{config_, *configStore_, *configLoader_, services_.dialogs, services_.messageBox,
                          services_.fileDialog, *setupPort_, services_.clock, &services_.systemPorts,
                          keepRunning_.get()},
        this);
}

void FrmMain::createWindowParts()
{
    MainControls& c = widgets_.controls;
    startUp_ = std::make_unique<StartUpSequence>(StartUpContext{c, config_, layout_, services_.messageBox,
                                                                services_.clock, scale_, chartHandlers_->sensorColor,
                                                                services_.screen, *widgets_.central, *configLoader_,
                                                                *measurementController_,
                                                                [this] { recordUnexpectedEnd(); }});
    infoWindows_ = std::make_unique<InfoWindowMenus>(
        InfoWindowMenus::Parts{widgets_, state_, *eventBox_, *decoderView_, services_.dialogs, this});
    sizing_ = std::make_unique<WindowSizing>(*this, widgets_, layout_, scale_, *chartHandlers_);
    menuHandlers_ = std::make_unique<MenuHandlers>(*this);
    if (auto* chart = qobject_cast<StripChartWidget*>(widgets_.chartWidget)) {
        chartExport_ = std::make_unique<ChartExportCommands>(ChartExportCommands::Parts{
            *chart, services_.fileDialog, services_.messageBox, services_.progress, services_.clock});
        connect(chartExport_.get(), &ChartExportCommands::statusMessage, this,
                [this](const QString& text) { statusBar()->showMessage(text, 20000); });
        history_ = std::make_unique<HistoryController>(
            HistoryController::Parts{c, *playbackController_, playback_, config_, services_.dialogs,
                                     services_.fileDialog, services_.messageBox, services_.clock, *chart});
    }
}

void FrmMain::createUplink()
{
    uplink_ = std::make_unique<UplinkParts>(UplinkParts::Parts{
        *this, widgets_.controls.MenueSetup, *configStore_, config_, *configLoader_, services_.dialogs,
        services_.messageBox, services_.fileDialog, services_.clock, services_.homeDirectory,
        services_.makeMqttClient});
}

// The road of one evaluator line: the receiver assembles it, the decoder
// parses it, and the record goes to the window, the state and the writer,
// in that order.
void FrmMain::wireLivePath()
{
    connect(receiver_.get(), &LineReceiver::lineReceived, decoder_.get(), &RecordDecoder::decodeLine);
    connect(decoder_.get(), &RecordDecoder::recordDecoded, decoderView_.get(), &DecoderView::showLine);
    connect(decoder_.get(), &RecordDecoder::recordDecoded, stateUpdater_.get(), &StateUpdater::apply);
    connect(decoder_.get(), &RecordDecoder::recordDecoded, logWriter_.get(),
            [this](const DecodedRecord& record) { logWriter_->writeDataLine(record.line, record.type); });

    connect(stateUpdater_.get(), &StateUpdater::parameterRecordReceived, decoderView_.get(),
            &DecoderView::showEvaluatorMenu);
    connect(stateUpdater_.get(), &StateUpdater::sensorAbsent, decoderView_.get(), &DecoderView::greyOutSensor);
    connect(stateUpdater_.get(), &StateUpdater::badLineCounted, infoWindows_.get(), &InfoWindowMenus::showBadLineCount);
    connect(receiver_.get(), &LineReceiver::overlongLineDiscarded, stateUpdater_.get(), &StateUpdater::countBadLine);
    connect(logWriter_.get(), &LogWriter::secondsCounted, infoWindows_.get(), &InfoWindowMenus::showSeconds);

    QLineEdit* status = widgets_.controls.Txt_ComError;
    connect(receiver_.get(), &LineReceiver::statusTextChanged, status, &QLineEdit::setText);
    connect(receiver_.get(), &LineReceiver::lineStateTextChanged, status, &QLineEdit::setToolTip);
}

void FrmMain::wireDisplay()
{
    timerDisplay_->onTimeout = [this] { displayCycle_->TimerDisplay_Timer(); };
    connect(displayCycle_.get(), &DisplayCycle::ticked, tracker_.get(), &AlarmTracker::track);
    connect(tracker_.get(), &AlarmTracker::alarmRelayOn, this, [this](int relay) { alarmPopup_->open(relay); });
    chartHandlers_->connectControls();

    playbackController_->connectChart();
    playbackController_->setProgressBar(widgets_.loadProgress, widgets_.stopLoading);
    connect(widgets_.stopLoading, &QPushButton::clicked, playbackController_.get(),
            &PlaybackController::MenueFileStop_Click);
    connect(playbackController_.get(), &PlaybackController::startUpNeeded, this, &FrmMain::Form_Load);

    infoWindows_->connectWidgets();
    menuHandlers_->connectMenus();
    sizing_->connectWindow();
}

void FrmMain::wireSetup()
{
    QAction* startStop = widgets_.controls.MenueStartStop;
    connect(configLoader_.get(), &ConfigurationLoader::startEnabled, startStop, &QAction::setEnabled);
    SetupMenus* menus = setupMenus_.get();
    if (QAction* keepRunning = widgets_.MenueSetupKeepRunning) {
        keepRunning->setEnabled(keepRunning_ != nullptr);
        connect(menus, &SetupMenus::keepRunningShown, keepRunning, &QAction::setChecked);
        connect(configLoader_.get(), &ConfigurationLoader::startEnabled, keepRunning,
                [this, keepRunning] { keepRunning->setChecked(config_.KEEPRUNNING == 1); });
    }
    connect(menus, &SetupMenus::captionChanged, this, &QWidget::setWindowTitle);
    connect(menus, &SetupMenus::chartRebuildNeeded, this, [this] { chartHandlers_->RebuildLiveChart(); });
    connect(menus, &SetupMenus::writeFailuresCleared, this, [this] { logWriter_->clearWriteFailures(); });
    connect(menus, &SetupMenus::sensorNameChanged, this,
            [this](int sensor, const QString& caption, const QString& toolTip) {
                MainControls& c = widgets_.controls;
                if (sensor < 1 || sensor > 6)
                    return;
                if (c.CheckShow[sensor])
                    c.CheckShow[sensor]->setEnabled(true);
                chartHandlers_->renameSensor(sensor, toolTip);
                if (QLabel* name = c.Lbl_sname[sensor - 1]) {
                    name->setText(caption);
                    name->setToolTip(toolTip);
                    name->setVisible(true);
                }
            });
}

// File > "History..." with its progress, and the day's summaries kept up to
// date while measuring.
void FrmMain::wireHistory()
{
    historyFollower_ = std::make_unique<HistoryFollower>(services_.clock);
    connect(measurementController_.get(), &MeasurementController::loggingChanged, this, [this](bool logging) {
        if (logging)
            historyFollower_->follow(config_.LOGDIR, config_.INSTALLATION, playback_.swapDate);
        else
            historyFollower_->stop();
    });
    // Once a minute, with the day's summaries, where the values are heading.
    forecastWatcher_ = std::make_unique<ForecastWatcher>(services_.clock);
    gaugeForecasts_ = std::make_unique<GaugeForecasts>(widgets_, *forecastWatcher_, playback_);
    gaugeForecasts_->connectControls();
    connect(historyFollower_.get(), &HistoryFollower::updated, this, [this](const BuildResult& result) {
        if (!result.storeError.isEmpty())
            statusBar()->showMessage(QStringLiteral("History summaries are incomplete: ") + result.storeError, 60000);
        std::optional<ParameterInfo> parameters;
        if (state_.sensorCountKnown)
            parameters = state_.parameterInfo;
        forecastWatcher_->update(config_.LOGDIR, config_.INSTALLATION, playback_.swapDate, parameters,
                                 config_.FORECASTDAYS);
    });
    if (!history_)
        return;
    history_->setProgressBar(widgets_.loadProgress, widgets_.stopLoading);
    connect(widgets_.stopLoading, &QPushButton::clicked, history_.get(), &HistoryController::stopBuilding);
    connect(history_.get(), &HistoryController::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 60000); });
    connect(history_.get(), &HistoryController::activeChanged, widgets_.MenuFileAddNote, &QAction::setEnabled);
    connect(history_.get(), &HistoryController::activeChanged, widgets_.MenuFileJournal, &QAction::setEnabled);
}

// The reports written by themselves, set up anew whenever the settings are
// loaded (at the start, after the installation setup) or switched.
void FrmMain::wireReports()
{
    reportCommand_ = std::make_unique<ReportCommand>(
        ReportCommand::Parts{config_, playback_, services_.dialogs, services_.fileDialog, services_.messageBox,
                             services_.clock, history_.get(), this});
    connect(reportCommand_.get(), &ReportCommand::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 60000); });
    dailyReports_ = std::make_unique<DailyReports>(services_.clock);
    connect(configLoader_.get(), &ConfigurationLoader::startEnabled, this, &FrmMain::setUpDailyReports);
    if (QAction* item = widgets_.MenueSetupDailyReports) {
        connect(setupMenus_.get(), &SetupMenus::dailyReportsShown, item, &QAction::setChecked);
        connect(configLoader_.get(), &ConfigurationLoader::startEnabled, item,
                [this, item] { item->setChecked(config_.DAILYREPORTS == 1); });
    }
    connect(setupMenus_.get(), &SetupMenus::dailyReportsShown, this, &FrmMain::setUpDailyReports);
    if (QAction* mark = widgets_.MenuFileExportCsvMark) {
        const auto show = [this, mark](bool on) {
            mark->setChecked(on);
            if (chartExport_)
                chartExport_->setForSpreadsheets(on);
        };
        connect(setupMenus_.get(), &SetupMenus::csvForSpreadsheetsShown, this, show);
        connect(configLoader_.get(), &ConfigurationLoader::startEnabled, this,
                [this, show] { show(config_.CSVBOM == 1); });
    }
    connect(dailyReports_.get(), &DailyReports::written, this, [this](const QString& path) {
        statusBar()->showMessage(QStringLiteral("Report written to %1").arg(QDir::toNativeSeparators(path)), 60000);
    });
    // As a logfile's failure is told, with the path and the system's reason;
    // the measurement goes on.
    connect(dailyReports_.get(), &DailyReports::failed, this, [this](const QString& path, const QString& reason) {
        services_.messageBox.show(QString(),
                                  QStringLiteral("The daily report could not be written !\n%1\n%2")
                                      .arg(QDir::toNativeSeparators(path), reason),
                                  MessageIcon::Error);
    });
}

void FrmMain::setUpDailyReports()
{
    ReportRequest base;
    base.logDir = config_.LOGDIR;
    base.installation = config_.INSTALLATION;
    base.swapDate = playback_.swapDate;
    for (int s = 1; s <= 6; ++s)
        base.sensorNames << config_.sensorLabel(s).trimmed();
    dailyReports_->setUp(base, config_.DAILYREPORTS == 1);
}

bool FrmMain::Form_Load()
{
    if (!startUp_->run()) {
        closeAllowed_ = true;
        exited_ = true;
        close();
        return false;
    }
    // Playback reads stored dates in the order the menu's check mark shows.
    playback_.swapDate = config_.SWAPDATE == 1;
    return true;
}

void FrmMain::recordUnexpectedEnd()
{
    if (unexpectedEnd_)
        logWriter_->writeRunningAgain(*unexpectedEnd_);
    unexpectedEnd_.reset();
}

void FrmMain::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool FrmMain::measuring() const
{
    return measurementController_->measuring();
}

void FrmMain::MenueStartStop_Click()
{
    measurementController_->MenueStartStop_Click();
}

bool FrmMain::Form_QueryUnload()
{
    return measurementController_->Form_QueryUnload();
}

void FrmMain::exitRoutine()
{
    measurementController_->MenueFileExit_Click();
}

void FrmMain::endProgram()
{
    alarmPopup_->dismiss();
    reopener_->setEnabled(false);
    timerDisplay_->setEnabled(false);
    timerTimeout_->setEnabled(false);
    exited_ = true;
    closeAllowed_ = true;
    close();
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    if (closeAllowed_ || Form_QueryUnload()) {
        event->accept();
        return;
    }
    event->ignore();
}

void FrmMain::layoutFor(WindowShowState state, QSize innerPx)
{
    sizing_->layoutFor(state, innerPx);
}
