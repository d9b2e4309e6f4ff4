#pragma once
#include <QString>

// What the uplink is doing, for the main window's status bar.
struct UplinkState {
    enum class Mode {
        Off,        // no broker configured
        Connecting, // the first attempt, or the next after an outage
        Connected,
        Down,       // refused, unreachable, silent or lost; retried by itself
    };
    Mode mode = Mode::Off;
    qint64 waiting = 0; // logged lines the broker has not acknowledged yet
    bool sending = false; // connected, and more is waiting than is on its way
    QString reason;     // Down: why, in words
    QString note;       // a problem beside the connection (the position not saved)

    // "off", "connected", "1234 lines waiting", or the reason the broker
    // cannot be used, with the lines waiting before it.
    QString text() const;

    bool operator==(const UplinkState& o) const
    {
        return mode == o.mode && waiting == o.waiting && sending == o.sending && reason == o.reason
            && note == o.note;
    }
    bool operator!=(const UplinkState& o) const { return !(*this == o); }
};
