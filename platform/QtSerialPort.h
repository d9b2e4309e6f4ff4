#pragma once
#include "platform/ISerialPort.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

// The serial port control on QSerialPort. Port n opens the device named by
// serialDevicePath(homeDirectory, n), looked up again at every open, so a
// re-pointed serial/COM<n> link is followed by the next open. reopen() keeps
// to the name the last open chose: a vanished link is waited for, never
// replaced by the fallback device.
//
// Receive events (code 2) are raised as soon as data waits; input() hands out
// at most MaxChunk characters and raises a further receive event for the rest.
// When the device disappears the port is closed and PortLostEvent raised once;
// the port then stays closed until it is opened again.
class QtSerialPort final : public QObject, public ISerialPort {
    Q_OBJECT
public:
    static constexpr int MaxChunk = 32767;

    explicit QtSerialPort(QString homeDirectory, QObject* parent = nullptr);
    ~QtSerialPort() override;

    void setCommPort(int port) override;
    int commPort() const override { return port_; }
    void setSettings(const QString& settings) override { settings_ = settings; }
    QString settings() const override { return settings_; }
    bool portOpen() const override { return serial_.isOpen(); }
    bool setPortOpen(bool open) override;
    bool reopen() override;
    int commEvent() const override { return event_; }
    QByteArray input() override;
    std::optional<SerialAccessDenied> accessDenied() const override { return accessDenied_; }

    // Why the last open failed, for diagnostics; empty after a good open.
    QString lastOpenError() const { return lastOpenError_; }

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    bool openDevice(const QString& device);
    void closeLostPort();
    void raise(int code);
    void raiseLater(int code);

    QString home_;
    int port_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    QString device_; // what the last open chose
    QSerialPort serial_;
    int event_ = 0;
    bool losing_ = false;
    QString lastOpenError_;
    std::optional<SerialAccessDenied> accessDenied_;
};
