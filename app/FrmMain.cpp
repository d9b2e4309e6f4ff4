#include "app/FrmMain.h"

#include "app/LayoutApplier.h"
#include "app/MainWindowBuilder.h"
#include "app/MeasurementWindow.h"
#include "app/MenuHandlers.h"
#include "app/WindowFit.h"
#include "app/StartUpSequence.h"
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "config/SetupMenus.h"
#include "display/AlarmPopup.h"
#include "display/FrmAlert.h"
#include "display/AlarmTracker.h"
#include "display/ChartHandlers.h"
#include "display/DisplayCycle.h"
#include "link/FrmVersion.h"
#include "link/LineReceiver.h"
#include "link/PortReopener.h"
#include "link/RecordDecoder.h"
#include "logging/EventList.h"
#include "logging/FrmMessage_show.h"
#include "logging/MeasurementController.h"
#include "logging/frmstatustext.h"
#include "logging/LogWriter.h"
#include "logging/PlainTextBox.h"
#include "platform/IDialogRunner.h"
#include "platform/ISerialPort.h"
#include "platform/ITimer.h"
#include "playback/PlaybackController.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>

namespace {
double screenDpi(double configured, const QWidget& window)
{
    if (configured > 0)
        return configured;
    const QScreen* screen = window.screen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}
} // namespace

FrmMain::FrmMain(FrmMainServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), scale_(screenDpi(services_.logicalDpi, *this))
{
    widgets_ = MainWindowBuilder(*this, services_.widgets).build();
    setStyleSheet(QStringLiteral(
        "QLabel[role=\"title\"] { font-size: 15pt; font-weight: bold; color: #1f3b57; }"
        "QLabel[role=\"logo\"], QLabel[role=\"logoPicture\"] { font-size: 17pt; font-weight: bold;"
        " color: #1f3b57; letter-spacing: 3px; }"
        "QLabel[role=\"slogan\"] { font-size: 12pt; font-style: italic; color: #1f3b57; }"
        "QGroupBox[compact=\"true\"] QRadioButton { font-size: 8pt; }"
        "QGroupBox#Frame_LED QLabel { font-size: 8pt; }"));
    LayoutApplier(widgets_, scale_).applyFixed();
    createParts();
    wireParts();
    const QSize designSize(scale_.toPixels(19200), scale_.toPixels(11175));
    resize(designSize.width(),
           designSize.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    relayout();
}

FrmMain::~FrmMain() = default;

void FrmMain::createParts()
{
    MainControls& c = widgets_.controls;
    if (services_.widgets.makeTimer) {
        timerDisplay_ = services_.widgets.makeTimer();
        timerTimeout_ = services_.widgets.makeTimer();
        reopenTimer_ = services_.widgets.makeTimer();
    }
    c.TimerDisplay = timerDisplay_.get();
    c.Timer_timeout = timerTimeout_.get();

    configStore_ = std::make_unique<RdWrConfig>(services_.homeDirectory);
    configLoader_ = std::make_unique<ConfigurationLoader>(
        config_, *configStore_, services_.serialPort, services_.messageBox, [this](bool enable) {
            if (widgets_.controls.MenueStartStop)
                widgets_.controls.MenueStartStop->setEnabled(enable);
        });

    eventBox_ = std::make_unique<PlainTextBox>(*c.Txt_event);
    eventList_ = std::make_unique<EventList>(*eventBox_, services_.clock);
    logWriter_ = std::make_unique<LogWriter>(state_.log, config_, services_.clock, services_.messageBox);

    decoderView_ = std::make_unique<DecoderView>(c);
    decoder_ = std::make_unique<RecordDecoder>(state_, *decoderView_, *logWriter_);
    if (timerTimeout_) {
        receiver_ = std::make_unique<LineReceiver>(services_.serialPort, *timerTimeout_, state_, config_, *eventList_,
                                                   *logWriter_,
                                                   ReceiverLamps{c.LED_Alarm, c.LED_Prealarm, c.LED_RDY});
    }
    if (reopenTimer_)
        reopener_ = std::make_unique<PortReopener>(services_.serialPort, *reopenTimer_);

    chartHandlers_ = std::make_unique<ChartHandlers>(c, state_, config_, playback_.fileMode, playback_.channelMap);
    chartHandlers_->twipsToPixels = [this](int twips) { return scale_.toPixels(twips); };
    chartHandlers_->chartWidget = widgets_.chartWidget;
    alarmPopup_ = std::make_unique<AlarmPopup>(logWriter_.get(), eventList_.get(), &services_.sound,
                                               services_.widgets.makeTimer, this);
    alarmPopup_->setAnchor(widgets_.chartWidget);
    tracker_ = std::make_unique<AlarmTracker>(c, state_, eventList_.get(), logWriter_.get(),
                                              [this](int relay) { alarmPopup_->open(relay); });
    displayCycle_ = std::make_unique<DisplayCycle>(c, state_, chartHandlers_.get(), [this] { tracker_->track(); });

    PlaybackHooks hooks;
    hooks.runStartup = [this] { Form_Load(); };
    playbackController_ = std::make_unique<PlaybackController>(c, state_, config_, playback_, services_.fileDialog,
                                                               services_.messageBox, chartHandlers_.get(),
                                                               configStore_.get(), hooks);

    measurementWindow_ = std::make_unique<MeasurementWindow>(c, playback_, *chartHandlers_, timerTimeout_.get(),
                                                             reopener_.get(), [this] { endProgram(); });
    if (timerDisplay_) {
        measurementController_ = std::make_unique<MeasurementController>(MeasurementController::Parts{
            *measurementWindow_, services_.serialPort, *timerDisplay_, c.iStripChartX1, *logWriter_, *eventList_,
            config_, services_.dialogs, this});
        measurementController_->connectWriter();
    }

    if (services_.makeSerialPort)
        setupPort_ = services_.makeSerialPort();
    if (setupPort_) {
        InstallationSetupHooks setupHooks;
        setupHooks.setCaption = [this](const QString& caption) { setWindowTitle(caption); };
        setupHooks.rebuildChart = [this] { chartHandlers_->RebuildLiveChart(); };
        setupHooks.showSensorName = [this](int sensor, const QString& caption, const QString& toolTip) {
            MainControls& controls = widgets_.controls;
            if (sensor < 1 || sensor > 6)
                return;
            if (controls.CheckShow[sensor])
                controls.CheckShow[sensor]->setEnabled(true);
            if (QLabel* name = controls.Lbl_sname[sensor - 1]) {
                name->setText(caption);
                name->setToolTip(toolTip);
                name->setVisible(true);
            }
        };
        setupHooks.clearWriteFailures = [this] { logWriter_->clearWriteFailures(); };
        setupMenus_ = std::make_unique<SetupMenus>(
            SetupMenus::Parts{config_, *configStore_, *configLoader_, services_.dialogs, services_.messageBox,
                              services_.fileDialog, *setupPort_, services_.clock, services_.systemPorts},
            setupHooks, this);
    }

    StartUpContext context{c,
                           config_,
                           layout_,
                           services_.messageBox,
                           services_.clock,
                           scale_,
                           chartHandlers_->sensorColor,
                           services_.screenSizePx,
                           [this] { return widgets_.central->size(); },
                           [this] { configLoader_->LoadConfiguration(); },
                           [this] { MenueStartStop_Click(); }};
    if (!context.screenSizePx) {
        context.screenSizePx = [this] {
            const QScreen* screen = this->screen();
            return screen ? screen->availableGeometry().size() : QSize(1280, 800);
        };
    }
    startUp_ = std::make_unique<StartUpSequence>(std::move(context));
    menuHandlers_ = std::make_unique<MenuHandlers>(*this);
}

void FrmMain::wireParts()
{
    MainControls& c = widgets_.controls;
    if (receiver_) {
        receiver_->onLine = [this](QByteArray& line) { decoder_->decodeLine(line); };
        receiver_->onStatusText = [this](const QString& status) {
            if (widgets_.controls.Txt_ComError)
                widgets_.controls.Txt_ComError->setText(status);
        };
        receiver_->onLineStateText = [this](const QString& lineState) {
            if (widgets_.controls.Txt_ComError)
                widgets_.controls.Txt_ComError->setToolTip(lineState);
        };
        receiver_->onBadLineCounted = [this] { decoderView_->showBadLineCount(state_.badLineCount); };
    }
    if (timerDisplay_)
        timerDisplay_->onTimeout = [this] { displayCycle_->TimerDisplay_Timer(); };

    logWriter_->onSecondsCounted = [this](int32_t seconds, int32_t highest) {
        if (frmlog_)
            frmlog_->setSeconds(seconds, highest);
    };
    decoderView_->onBadLineCount = [this](int count) {
        if (frmlog_)
            frmlog_->setBadLineCount(count);
    };

    chartHandlers_->connectControls();
    playbackController_->connectChart();
    menuHandlers_->connectMenus();

    widgets_.scroll->viewport()->installEventFilter(this);
    playbackController_->setProgressBar(widgets_.loadProgress, widgets_.stopLoading);
    connect(widgets_.stopLoading, &QPushButton::clicked, this,
            [this] { playbackController_->MenueFileStop_Click(); });
    if (widgets_.Lbl_name)
        widgets_.Lbl_name->installEventFilter(this);
    if (c.Txt_event)
        c.Txt_event->viewport()->installEventFilter(this);
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

bool FrmMain::measuring() const
{
    return measurementController_ && measurementController_->measuring();
}

void FrmMain::MenueStartStop_Click()
{
    if (measurementController_)
        measurementController_->MenueStartStop_Click();
}

bool FrmMain::Form_QueryUnload()
{
    if (measurementController_)
        return measurementController_->Form_QueryUnload();
    endProgram();
    return true;
}

void FrmMain::exitRoutine()
{
    if (measurementController_)
        measurementController_->MenueFileExit_Click();
    else
        endProgram();
}

void FrmMain::endProgram()
{
    alarmPopup_->dismiss();
    if (reopener_)
        reopener_->setEnabled(false);
    if (timerDisplay_)
        timerDisplay_->setEnabled(false);
    if (timerTimeout_)
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

Frmlog& FrmMain::frmlog()
{
    if (!frmlog_)
        frmlog_ = std::make_unique<Frmlog>(diagnostics_, state_.badLineCount, this);
    return *frmlog_;
}

void FrmMain::Lbl_name_DblClick()
{
    Frmlog& window = frmlog();
    services_.dialogs.exec(window);
    frmlog_.reset();
}

void FrmMain::about_Click()
{
    FrmSplash splash(this);
    services_.dialogs.exec(splash);
}

void FrmMain::Txt_event_DblClick()
{
    frmstatustext status([this] { return eventBox_->text(); }, this);
    services_.dialogs.exec(status);
}

void FrmMain::cmd_ext_Click()
{
    FrmMessage_show messages(this);
    messages.setMessages(decoderView_->extended.text, decoderView_->extended.caret);
    messages.onRecordingChanged = [this](bool recording) { decoderView_->recording = recording; };
    decoderView_->onExtendedMessages = [&messages](const QString& text, int caret) {
        messages.setMessages(text, caret);
    };
    services_.dialogs.exec(messages);
    decoderView_->onExtendedMessages = nullptr;
    decoderView_->recording = false;
}

void FrmMain::MenueVers_Click()
{
    FrmVersion version(state_.parameterInfo, this);
    services_.dialogs.exec(version);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widgets_.scroll->viewport() && event->type() == QEvent::Resize)
        relayout();
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == widgets_.Lbl_name) {
            Lbl_name_DblClick();
            return true;
        }
        if (widgets_.controls.Txt_event && watched == widgets_.controls.Txt_event->viewport()) {
            Txt_event_DblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

WindowShowState FrmMain::showState() const
{
    if (isMinimized())
        return WindowShowState::Minimized;
    if (isMaximized() || isFullScreen())
        return WindowShowState::Maximized;
    return WindowShowState::Normal;
}

void FrmMain::layoutFor(WindowShowState state, QSize innerPx)
{
    widgets_.central->resize(innerPx);
    layout_.chartEnlarged = chartHandlers_ && chartHandlers_->chartEnlarged;
    const double innerWidth = scale_.toTwips(innerPx.width());
    const bool endedEnlargedView = layout_.resize(state, innerWidth, scale_.toTwips(innerPx.height()));
    if (endedEnlargedView && chartHandlers_) {
        chartHandlers_->chartEnlarged = false;
        if (widgets_.controls.cmd_zoom_xy)
            widgets_.controls.cmd_zoom_xy->setText(QStringLiteral("Enlarge XY graph"));
    }
    LayoutApplier(widgets_, scale_).apply(layout_, innerWidth);
}

void FrmMain::relayout()
{
    const QSize minimum(scale_.toPixels(MainLayout::normalMinimumWidth()),
                        scale_.toPixels(MainLayout::normalMinimumHeight()));
    const WindowShowState state = showState();
    layoutFor(state, WindowFit::contentSize(state, widgets_.scroll->viewport()->size(), minimum));
}

void FrmMain::fitToScreen()
{
    const QScreen* screen = this->screen();
    if (!screen || showState() != WindowShowState::Normal)
        return;
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    const QRect fitted = WindowFit::fitClient(screen->availableGeometry(), margins, client);
    if (fitted != client)
        setGeometry(fitted);
}


void FrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    relayout();
    if (showState() == WindowShowState::Normal)
        fitWhileSettling();
}

void FrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (showState() == WindowShowState::Normal)
        fitWhileSettling();
}

void FrmMain::fitWhileSettling()
{
    // The window manager gives a restored window its old size back and puts
    // its frame around it some moments later; until it has settled, every
    // move or resize is checked against the screen. After that the user may
    // place the window as they like.
    settling_.setRemainingTime(FitSettleMs);
    QTimer::singleShot(0, this, [this] { fitToScreen(); });
    QTimer::singleShot(FitSettleMs, this, [this] { fitToScreen(); });
}

void FrmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (!settling_.hasExpired())
        QTimer::singleShot(0, this, [this] { fitToScreen(); });
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!settling_.hasExpired())
        QTimer::singleShot(0, this, [this] { fitToScreen(); });
}
