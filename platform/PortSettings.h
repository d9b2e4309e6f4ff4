#pragma once
#include <QSerialPort>
#include <QString>
#include <optional>

// A settings text of the serial port control: baud rate, parity letter
// (n, e, o, m, s), data bits (5-8) and stop bits (1, 1.5, 2), separated by
// commas, for example "9600,n,8,1".
struct PortSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// The settings a text names, or nothing when the port would refuse it
// (unknown baud rate, a missing or malformed field).
std::optional<PortSettings> parsePortSettings(const QString& text);
