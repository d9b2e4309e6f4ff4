#pragma once
#include "app/DisplayWidgetFactory.h"
#include "app/LayoutUnits.h"
#include "app/MainLayout.h"
#include "app/MainWidgets.h"
#include "config/ConfigValues.h"
#include "config/KeepRunning.h"
#include "link/MeasurementState.h"
#include "playback/PlaybackState.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class AlarmPopup;
class AlarmTracker;
class ChartExportCommands;
class ChartHandlers;
class ConfigurationLoader;
class DecoderView;
class DisplayCycle;
class EventList;
class HistoryController;
class HistoryFollower;
class ForecastWatcher;
class GaugeForecasts;
class DailyReports;
class ReportCommand;
class IClock;
class ICommandRunner;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class IProgressWindow;
class IMqttClient;
class IScreen;
class ISerialPort;
class ISerialPortList;
class ISound;
class ITimer;
class InfoWindowMenus;
class LineReceiver;
class LogWriter;
class MeasurementController;
class MeasurementWindow;
class MenuHandlers;
class PlainTextBox;
class PlaybackController;
class PortReopener;
class RdWrConfig;
class RecordDecoder;
class SetupMenus;
class StartUpSequence;
class StateUpdater;
class UplinkParts;
class WindowSizing;

// The outside world the main window works with. main() passes the Qt
// implementations; tests pass fakes. Everything must outlive the window,
// and every factory of `widgets` must be set.
struct FrmMainServices {
    IMessageBox& messageBox;
    IDialogRunner& dialogs;
    IFileDialog& fileDialog;
    // Shows how far an export has come, with its "Stop" button.
    IProgressWindow& progress;
    ISound& sound;
    const IClock& clock;
    ISerialPort& serialPort;
    const IScreen& screen;
    // The system's serial ports, offered by the serial port setup.
    const ISerialPortList& systemPorts;
    QString homeDirectory;
    DisplayWidgetFactory widgets;
    // Makes the serial port setup's own port for its test open.
    std::function<std::unique_ptr<ISerialPort>()> makeSerialPort;
    // Makes a client of the plant uplink's broker (the uplink and its
    // connection test have one each).
    std::function<std::unique_ptr<IMqttClient>()> makeMqttClient;
    // Runs systemctl for Setup > Keep logger running, which switches the
    // start with the desktop session at `sessionStart`; null: the item is
    // shown but disabled.
    ICommandRunner* commands = nullptr;
    SessionStartPlace sessionStart = {};
};

// The main window. It owns the measurement state, the configuration, the
// controls and every part that works on them, and wires them together; the
// logic itself lives in those parts.
class FrmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(FrmMainServices services, QWidget* parent = nullptr);
    ~FrmMain() override;

    // The load step. Returns false when the screen is too small; the window
    // has then been closed.
    bool Form_Load();

    // The close request: while measuring it asks for the password first.
    // Returns whether the window may close.
    bool Form_QueryUnload();
    // Closes the port, marks the end of a running measurement in the data
    // logfile and closes the window.
    void exitRoutine();
    bool exited() const { return exited_; }
    // Stops the display, closes an open alarm pop-up without a confirmation
    // and closes the window, after the exit routine.
    void endProgram();

    // The last run in this home ended unexpectedly at its last sign of life:
    // the load step records that in the data logfile and the event file,
    // once, before AUTOSTART may start a measurement. Call before Form_Load.
    void noteUnexpectedEnd(const QDateTime& lastSignOfLife) { unexpectedEnd_ = lastSignOfLife; }

    // Another start of the program wants this window: brings it back from
    // the task bar, on top and active.
    void bringToFront();

    // The Start/Stop menu command and whether a measurement runs.
    void MenueStartStop_Click();
    bool measuring() const;

    // Runs the layout rules for a state and a panels' area in pixels.
    void layoutFor(WindowShowState state, QSize innerPx);

    MainControls& controls() { return widgets_.controls; }
    MainWidgets& widgets() { return widgets_; }
    ConfigValues& config() { return config_; }
    MeasurementState& measurement() { return state_; }
    PlaybackState& playback() { return playback_; }
    MainLayout& layout() { return layout_; }
    const TwipScale& scale() const { return scale_; }
    DecoderView& decoderView() { return *decoderView_; }
    ChartHandlers& chartHandlers() { return *chartHandlers_; }
    LogWriter& logWriter() { return *logWriter_; }
    PlaybackController& playbackController() { return *playbackController_; }
    SetupMenus& setupMenus() { return *setupMenus_; }
    InfoWindowMenus& infoWindows() { return *infoWindows_; }
    StartUpSequence& startUp() { return *startUp_; }
    UplinkParts& uplink() { return *uplink_; }
    // The exports; null when the chart is not the program's own widget.
    ChartExportCommands* chartExport() { return chartExport_.get(); }
    // File > "History..."; null when the chart is not the program's own widget.
    HistoryController* history() { return history_.get(); }
    ReportCommand& reportCommand() { return *reportCommand_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createLogging();
    void createLivePath();
    void createDisplay();
    void createMeasurement();
    void createSetup();
    void createWindowParts();
    void createUplink();
    void wireLivePath();
    void wireDisplay();
    void wireSetup();
    void wireHistory();
    void wireReports();
    void setUpDailyReports();
    void recordUnexpectedEnd();

    FrmMainServices services_;
    ConfigValues config_;
    MeasurementState state_;
    PlaybackState playback_;
    MainLayout layout_;
    TwipScale scale_;
    MainWidgets widgets_;

    std::unique_ptr<ITimer> timerDisplay_;
    std::unique_ptr<ITimer> timerTimeout_;
    std::unique_ptr<ITimer> reopenTimer_;
    std::unique_ptr<RdWrConfig> configStore_;
    std::unique_ptr<ConfigurationLoader> configLoader_;
    std::unique_ptr<PlainTextBox> eventBox_;
    std::unique_ptr<EventList> eventList_;
    std::unique_ptr<LogWriter> logWriter_;
    std::unique_ptr<LineReceiver> receiver_;
    std::unique_ptr<RecordDecoder> decoder_;
    std::unique_ptr<StateUpdater> stateUpdater_;
    std::unique_ptr<DecoderView> decoderView_;
    std::unique_ptr<PortReopener> reopener_;
    std::unique_ptr<ChartHandlers> chartHandlers_;
    std::unique_ptr<AlarmPopup> alarmPopup_;
    std::unique_ptr<AlarmTracker> tracker_;
    std::unique_ptr<DisplayCycle> displayCycle_;
    std::unique_ptr<PlaybackController> playbackController_;
    std::unique_ptr<MeasurementWindow> measurementWindow_;
    std::unique_ptr<MeasurementController> measurementController_;
    std::unique_ptr<ISerialPort> setupPort_;
    std::unique_ptr<SetupMenus> setupMenus_;
    std::unique_ptr<StartUpSequence> startUp_;
    std::unique_ptr<InfoWindowMenus> infoWindows_;
    std::unique_ptr<WindowSizing> sizing_;
    std::unique_ptr<MenuHandlers> menuHandlers_;
    std::unique_ptr<UplinkParts> uplink_;
    std::unique_ptr<ChartExportCommands> chartExport_;
    std::unique_ptr<HistoryController> history_;
    std::unique_ptr<HistoryFollower> historyFollower_;
    std::unique_ptr<ForecastWatcher> forecastWatcher_;
    std::unique_ptr<GaugeForecasts> gaugeForecasts_;
    std::unique_ptr<DailyReports> dailyReports_;
    std::unique_ptr<ReportCommand> reportCommand_;
    std::unique_ptr<KeepRunning> keepRunning_;
    std::optional<QDateTime> unexpectedEnd_;

    bool exited_ = false;
    bool closeAllowed_ = false;
};
