#include "platform/QtSerialPort.h"

#include "platform/PortSettings.h"
#include "platform/SerialDevice.h"

#include <QFileInfo>
#include <QMetaObject>

QtSerialPort::QtSerialPort(QString homeDirectory, QObject* parent)
    : QObject(parent)
    , home_(QFileInfo(homeDirectory).absoluteFilePath())
{
    connect(&serial_, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&serial_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort()
{
    // No events may reach a handler that is being torn down with us.
    onComm = nullptr;
    serial_.close();
}

void QtSerialPort::setCommPort(int port)
{
    if (!serial_.isOpen())
        port_ = port;
}

bool QtSerialPort::setPortOpen(bool open)
{
    if (!open) {
        serial_.close();
        losing_ = false;
        return true;
    }
    if (serial_.isOpen())
        return true;
    device_ = serialDevicePath(home_, port_);
    return openDevice(device_);
}

bool QtSerialPort::reopen()
{
    if (device_.isEmpty())
        return setPortOpen(true);
    return serial_.isOpen() || openDevice(device_);
}

bool QtSerialPort::openDevice(const QString& device)
{
    accessDenied_.reset();
    const std::optional<PortSettings> settings = parsePortSettings(settings_);
    if (!settings) {
        lastOpenError_ = QStringLiteral("settings refused: ") + settings_;
        return false;
    }
    serial_.setPortName(device);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_.open(QIODevice::ReadOnly)) {
        lastOpenError_ = serial_.errorString();
        accessDenied_ = serialAccessDenied(device);
        serial_.clearError();
        return false;
    }
    if (!serial_.setBaudRate(settings->baudRate) || !serial_.setParity(settings->parity)
        || !serial_.setDataBits(settings->dataBits) || !serial_.setStopBits(settings->stopBits)) {
        lastOpenError_ = serial_.errorString();
        serial_.close();
        serial_.clearError();
        return false;
    }
    lastOpenError_.clear();
    losing_ = false;
    event_ = 0;
    return true;
}

QByteArray QtSerialPort::input()
{
    return serial_.read(MaxChunk);
}

void QtSerialPort::onReadyRead()
{
    if (losing_)
        return;
    raise(2);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (!serial_.isOpen() || losing_)
        return;
    // The device is gone. QSerialPort keeps reporting the failed read for as
    // long as the descriptor stays open, so it is closed at once - but from
    // the event loop, not inside QSerialPort's own notification.
    losing_ = true;
    QMetaObject::invokeMethod(this, [this] { closeLostPort(); }, Qt::QueuedConnection);
}

void QtSerialPort::closeLostPort()
{
    if (!losing_)
        return; // closed or reopened by the user meanwhile
    serial_.close();
    serial_.clearError();
    losing_ = false;
    raise(PortLostEvent);
}

void QtSerialPort::raise(int code)
{
    event_ = code;
    if (onComm)
        onComm();
    // input() hands out a bounded chunk; the rest gets an event of its own.
    if (code == 2 && serial_.isOpen() && serial_.bytesAvailable() > 0)
        raiseLater(2);
}

void QtSerialPort::raiseLater(int code)
{
    QMetaObject::invokeMethod(
        this,
        [this, code] {
            if (code == 2 && (!serial_.isOpen() || serial_.bytesAvailable() == 0))
                return;
            raise(code);
        },
        Qt::QueuedConnection);
}
