#pragma once
#include "platform/ISerialPort.h"
#include "platform/ITimer.h"

#include <QObject>

// Keeps the serial port open while a measurement runs: when the port is
// closed (its device vanished, or it could not be opened at the start), it
// tries to open it again every RetryIntervalMs, quietly, with the port's
// current settings and the device name its last open chose (a serial/COM<n>
// link is waited for, never swapped for another device). Reception resumes
// by itself once it opens.
//
// Wiring: construct with the main window's port and a timer of its own;
// setEnabled(true) after the start of a measurement has tried to open the
// port, setEnabled(false) before the stop closes it. The constructor takes
// over timer.onTimeout; both references must outlive the reopener.
class PortReopener final : public QObject {
    Q_OBJECT
public:
    static constexpr int RetryIntervalMs = 2000;

    PortReopener(ISerialPort& port, ITimer& timer, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }

    // One retry: opens the port when it is closed. The timer calls this.
    void retry();

signals:
    // A retry has opened the port.
    void reopened();

private:
    ISerialPort& port_;
    ITimer& timer_;
    bool enabled_ = false;
};
