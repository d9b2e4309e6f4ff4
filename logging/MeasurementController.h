#pragma once
#include <QObject>

struct ConfigValues;
struct WriteFailure;
class IDialogRunner;
class IEventSink;
class IMeasurementWindow;
class IMessageBox;
class ISerialPort;
class IStripChart;
class ITimer;
class LogWriter;
class QWidget;

// Starts and stops a measurement: the Start/Stop menu command, the password
// guarded stop, the forced stop after a failed logfile write, the close
// request of the main window and the exit routine.
//
// The writer's failures reach reportWriteFailure through a queued
// connection, so the stop and the message come after whatever was writing
// (a serial read, a display tick) has returned. chart may be null.
class MeasurementController final : public QObject {
    Q_OBJECT
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
        IMessageBox& messages;
        QWidget* dialogParent;
    };

    explicit MeasurementController(const Parts& parts, QObject* parent = nullptr);

    bool measuring() const { return measuring_; }

    // The Start/Stop menu command: starts when no measurement runs;
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

    // A failed write: a data logfile failure stops the measurement without
    // the password, an event file failure runs the Start/Stop command as if
    // the user had chosen it; then the message. Outside a measurement only
    // the message, and the data logfile gets a fresh try next time.
    void reportWriteFailure(const WriteFailure& failure);

signals:
    // A measurement began writing the logfiles, or ended.
    void loggingChanged(bool logging);

private:
    enum class StopKind { Confirmed, Forced };

    void start();
    void stop(StopKind kind);
    void requestStop();
    bool passwordConfirmsStop();
    void setAllChannelsZero();
    void exitRoutine();

    Parts p_;
    bool measuring_ = false;
    bool exited_ = false;
};
