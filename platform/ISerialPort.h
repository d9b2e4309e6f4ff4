#pragma once
#include "platform/SerialAccess.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The serial port control. Event codes of commEvent():
//   1 transmit, 2 data received, 3-7 line state changes
//   (3 CTS, 4 DSR, 5 CD, 6 ring, 7 end-of-file character),
//   1001-1011 line errors (1001 break, 1002 CTS timeout, 1003 DSR timeout,
//   1004 frame error, 1006 overrun, 1007 CD timeout, 1008 receive buffer
//   overflow, 1009 parity, 1010 transmit buffer full, 1011 DCB error).
// onComm is raised on the user-interface thread for every event, for received
// data as soon as one character waits. It is never re-entered as long as
// the handler opens no nested event loop (no modal dialog); the live path
// reports its failures after the handler has returned for that reason.
class ISerialPort {
public:
    // Raised once when an open port's device disappears (adapter pulled,
    // far end of a pseudo-terminal closed); the port is closed by then.
    static constexpr int PortLostEvent = 1100;

    virtual ~ISerialPort() = default;

    // Port number, 1 = COM1. Set only while the port is closed.
    virtual void setCommPort(int port) = 0;
    virtual int commPort() const = 0;

    // Settings text: baud rate + ",n,8,1", for example "9600,n,8,1".
    virtual void setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;

    virtual bool portOpen() const = 0;
    // Opens (true) or closes (false) the port. Returns false when opening
    // fails: the port is missing or in use, or the settings are refused.
    virtual bool setPortOpen(bool open) = 0;
    // Opens the device that the last open tried again (a link to it is
    // followed anew), never another one; a lost port comes back this way.
    virtual bool reopen() { return setPortOpen(true); }

    // After an open that failed because the user may not use the device:
    // that device; nullopt after a good open or any other failure.
    virtual std::optional<SerialAccessDenied> accessDenied() const { return std::nullopt; }

    // Event code of the event being delivered.
    virtual int commEvent() const = 0;
    // All characters waiting in the receive buffer; reading removes them.
    virtual QByteArray input() = 0;

    std::function<void()> onComm;
};
