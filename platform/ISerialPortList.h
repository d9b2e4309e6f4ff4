#pragma once
#include <QString>
#include <vector>

// A serial port the system has.
struct SystemSerialPort {
    QString device;      // /dev/ttyUSB0
    QString byIdName;    // /dev/serial/by-id/usb-FTDI_..., empty when the system gives none
    QString description; // what the adapter says it is; may be empty

    // What a serial/COM<n> link should point at: the by-id name, which stays
    // the same when adapters are plugged in another order.
    QString linkTarget() const { return byIdName.isEmpty() ? device : byIdName; }
};

// The serial ports the system has, asked again at every call.
class ISerialPortList {
public:
    virtual ~ISerialPortList() = default;
    virtual std::vector<SystemSerialPort> ports() const = 0;
};
