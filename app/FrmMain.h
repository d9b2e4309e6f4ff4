#pragma once
#include "app/DecoderView.h"
#include "app/DisplayWidgetFactory.h"
#include "app/InfoWindows.h"
#include "app/LayoutUnits.h"
#include "app/MainLayout.h"
#include "app/MainWidgets.h"
#include "config/ConfigValues.h"
#include "link/MeasurementState.h"
#include "playback/PlaybackState.h"

#include <QDeadlineTimer>
#include <QMainWindow>
#include <QSize>
#include <functional>
#include <memory>

class AlarmPopup;
class AlarmTracker;
class ChartHandlers;
class ConfigurationLoader;
class DisplayCycle;
class EventList;
class IClock;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class ISerialPort;
class ISerialPortList;
class ISound;
class ITimer;
class LineReceiver;
class LogWriter;
class MenuHandlers;
class MeasurementController;
class MeasurementWindow;
class SetupMenus;
class PlaybackController;
class PlainTextBox;
class PortReopener;
class RdWrConfig;
class RecordDecoder;
class StartUpSequence;

// The outside world the main window works with. main() passes the Qt
// implementations; tests pass fakes. Everything must outlive the window.
struct FrmMainServices {
    IMessageBox& messageBox;
    IDialogRunner& dialogs;
    IFileDialog& fileDialog;
    ISound& sound;
    const IClock& clock;
    ISerialPort& serialPort;
    QString homeDirectory;
    DisplayWidgetFactory widgets;
    // Makes the serial port setup's own port for its test open.
    std::function<std::unique_ptr<ISerialPort>()> makeSerialPort;
    // Usable screen size in pixels; when unset, the window's screen.
    std::function<QSize()> screenSizePx;
    // Logical dots per inch for the twip layout; 0 means the screen's.
    double logicalDpi = 0;
    // The system's serial ports, offered by the serial port setup.
    const ISerialPortList* systemPorts = nullptr;
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

    // Runs the layout rules for a state and client size in pixels.
    void layoutFor(WindowShowState state, QSize innerPx);

    void Lbl_name_DblClick();
    void about_Click();
    void Txt_event_DblClick();
    void cmd_ext_Click();
    void MenueVers_Click();

    // Stops the display and closes the window after the exit routine.
    void endProgram();

    // Writers into the software info window (it is created when needed).
    Frmlog& frmlog();

    MainControls& controls() { return widgets_.controls; }
    MainWidgets& widgets() { return widgets_; }
    ConfigValues& config() { return config_; }
    MeasurementState& measurement() { return state_; }
    PlaybackState& playback() { return playback_; }
    MainLayout& layout() { return layout_; }
    DiagnosticsFlag& diagnostics() { return diagnostics_; }
    DecoderView& decoderView() { return *decoderView_; }
    ChartHandlers& chartHandlers() { return *chartHandlers_; }
    LogWriter& logWriter() { return *logWriter_; }
    const TwipScale& scale() const { return scale_; }
    StartUpSequence& startUp() { return *startUp_; }
    PlaybackController& playbackController() { return *playbackController_; }
    SetupMenus* setupMenus() { return setupMenus_.get(); }

    // The Start/Stop menu command and whether a measurement runs.
    void MenueStartStop_Click();
    bool measuring() const;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createParts();
    void wireParts();
    void relayout();
    // A restored window is moved and shrunk into the screen's free area.
    void fitToScreen();
    void fitWhileSettling();
    WindowShowState showState() const;

    FrmMainServices services_;
    ConfigValues config_;
    MeasurementState state_;
    PlaybackState playback_;
    DiagnosticsFlag diagnostics_;
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
    std::unique_ptr<DecoderView> decoderView_;
    std::unique_ptr<RecordDecoder> decoder_;
    std::unique_ptr<LineReceiver> receiver_;
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
    std::unique_ptr<MenuHandlers> menuHandlers_;
    std::unique_ptr<Frmlog> frmlog_;

    static constexpr int FitSettleMs = 1500;
    QDeadlineTimer settling_{0};
    bool exited_ = false;
    bool closeAllowed_ = false;
};
