#pragma once
#include <cstdint>

struct ConfigValues;
class IDialogRunner;
class IEventSink;
class IMeasurementWindow;
class ISerialPort;
class IStripChart;
class ITimer;
class LogWriter;
class QWidget;

// Starts and stops a measurement: the Start/Stop menu command, the password
// guarded stop, the forced stop after a failed logfile write, the close
// request of the main window and the exit routine.
//
// Construct it after the LogWriter and call connectWriter() so write failures
// stop the measurement. chart may be null (no chart shown).
class MeasurementController {
public:
    struct Parts {
        IMeasurementWindow& window;
        ISerialPort& port;
        ITimer& displayTimer;
        IStripChart* chart;
        LogWriter& log;
        IEventSink& events;
        const ConfigValues& config;
        IDialogRunner& dialogs;
        QWidget* dialogParent;
    };

    explicit MeasurementController(const Parts& parts) : p_(parts) {}

    // Lets the writer stop the measurement after a failed write.
    void connectWriter();

    bool measuring() const { return measuring_; }

    // The Start/Stop menu command: starts when the caption is "Start";
    // otherwise stops, without asking after a failed data logfile write and
    // after the password otherwise.
    void MenueStartStop_Click();

    // The main window wants to close. Returns whether it may: while
    // measuring only after the password; the exit routine has then run.
    // Once the exit routine has run, every later request is granted at once
    // (quitting the application closes the window again).
    bool Form_QueryUnload();

    // "Exit" in the File menu.
    void MenueFileExit_Click() { exitRoutine(); }

    // Called by the writer after LogWriteFailed was set.
    void logfileWriteFailed();
    // Called by the writer after EventWriteFailed was set.
    void eventfileWriteFailed();

private:
    enum class StopKind { Confirmed, Forced };

    void start();
    void stop(StopKind kind);
    bool passwordConfirmsStop();
    void setAllChannelsZero();
    void exitRoutine();

    Parts p_;
    bool measuring_ = false;
    bool exited_ = false;
};
