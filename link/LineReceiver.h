#pragma once
#include "config/ConfigValues.h"
#include "link/MeasurementState.h"
#include "logging/EventSinks.h"
#include "platform/ILamp.h"
#include "platform/ISerialPort.h"
#include "platform/ITimer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The lamps the watchdog puts out when the evaluator falls silent; any may
// be null.
struct ReceiverLamps {
    ILamp* alarm = nullptr;    // LED_Alarm
    ILamp* preAlarm = nullptr; // LED_Prealarm
    ILamp* ready = nullptr;    // LED_RDY
};

// Turns the serial port's events into complete evaluator lines and watches
// the connection (the lineReceiver state with the handlers MSComm1_OnComm
// and Timer_timeout_Timer).
//
// A line runs from ":" through CR LF; a ":" restarts the line, an LF counts
// only after a CR, characters between CR and LF are kept, anything outside a
// line is dropped. A line that grows past MaxLineLength characters without
// its CR LF is discarded as a bad line and reception waits for the next ":".
//
// The constructor takes over port.onComm and watchdog.onTimeout. Every
// reference must outlive the receiver. The receiver is not reset between
// measurements: a partial line survives a stop and start.
class LineReceiver final : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxLineLength = 512;

    LineReceiver(ISerialPort& port, ITimer& watchdog, MeasurementState& state, const ConfigValues& config,
                 IEventSink& events, IInfoLog& info, ReceiverLamps lamps = ReceiverLamps(), QObject* parent = nullptr);

    void MSComm1_OnComm();
    void Timer_timeout_Timer();

    QString statusText() const { return status_; }
    QString lineStateText() const { return lineState_; }
    bool inLine() const { return inLine_; }

signals:
    // Each complete line, ":" through CR LF, in arrival order.
    void lineReceived(const QByteArray& line);
    // The status text at the end of every serial event (Txt_ComError).
    void statusTextChanged(const QString& status);
    // Line state changes ("CTS changed", ...), kept apart from the status;
    // suits a tooltip of Txt_ComError.
    void lineStateTextChanged(const QString& lineState);
    // A line grew past MaxLineLength without its CR LF and was discarded: a
    // bad line.
    void overlongLineDiscarded();

public:
    // The status text of an event code: "no error", a line error text, or
    // "Unknown Event".
    static QString statusTextFor(int eventCode);
    // The line-state text of codes 3..7, empty for any other code.
    static QString lineStateTextFor(int eventCode);

private:
    void receiveChunk(const QByteArray& chunk);
    void completeLine();
    void discardOverlongLine();
    void reportConnected();

    ISerialPort& port_;
    ITimer& watchdog_;
    MeasurementState& state_;
    const ConfigValues& config_;
    IEventSink& events_;
    IInfoLog& info_;
    ReceiverLamps lamps_;

    bool inLine_ = false;
    bool crSeen_ = false;
    QByteArray line_;
    QString status_ = QStringLiteral("no error");
    QString lineState_;
};
