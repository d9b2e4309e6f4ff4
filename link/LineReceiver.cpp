#include "link/LineReceiver.h"

#include "link/SubFunctions.h"

namespace {
constexpr int EventDataReceived = 2;
constexpr int EventTransmit = 1;
} // namespace

LineReceiver::LineReceiver(ISerialPort& port, ITimer& watchdog, MeasurementState& state, const ConfigValues& config,
                           IEventSink& events, IInfoLog& info, ReceiverLamps lamps, QObject* parent)
    : QObject(parent)
    , port_(port)
    , watchdog_(watchdog)
    , state_(state)
    , config_(config)
    , events_(events)
    , info_(info)
    , lamps_(lamps)
{
    port_.onComm = [this] { MSComm1_OnComm(); };
    watchdog_.onTimeout = [this] { Timer_timeout_Timer(); };
}

QString LineReceiver::statusTextFor(int eventCode)
{
    switch (eventCode) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return QStringLiteral("no error");
    case 1001:
        return QStringLiteral("Break received");
    case 1002:
        return QStringLiteral("CTS-Timeout");
    case 1003:
        return QStringLiteral("DSR-Timeout");
    case 1004:
        return QStringLiteral("Frame Error");
    case 1006:
        return QStringLiteral("Overflow Error");
    case 1007:
        return QStringLiteral("CD-Timeout");
    case 1008:
        return QStringLiteral("Receive Buffer overflow");
    case 1009:
        return QStringLiteral("Parity Error");
    case 1010:
        return QStringLiteral("Transmit Buffer full");
    case 1011:
        return QStringLiteral("DCB-Error");
    case ISerialPort::PortLostEvent:
        return QStringLiteral("Port lost");
    default:
        return QStringLiteral("Unknown Event");
    }
}

QString LineReceiver::lineStateTextFor(int eventCode)
{
    switch (eventCode) {
    case 3:
        return QStringLiteral("CTS changed");
    case 4:
        return QStringLiteral("DSR changed");
    case 5:
        return QStringLiteral("CD changed");
    case 6:
        return QStringLiteral("Ringing");
    case 7:
        return QStringLiteral("EOF recognized");
    default:
        return QString();
    }
}

void LineReceiver::MSComm1_OnComm()
{
    status_ = QStringLiteral("no error");
    const int code = port_.commEvent();
    if (code == EventDataReceived) {
        receiveChunk(port_.input());
        reportConnected();
    } else if (code != EventTransmit) {
        status_ = statusTextFor(code);
        const QString lineState = lineStateTextFor(code);
        if (!lineState.isEmpty()) {
            lineState_ = lineState;
            emit lineStateTextChanged(lineState_);
        }
    }
    emit statusTextChanged(status_);
}

void LineReceiver::receiveChunk(const QByteArray& chunk)
{
    for (const char c : chunk) {
        switch (c) {
        case ':':
            inLine_ = true;
            crSeen_ = false;
            line_ = QByteArrayLiteral(":");
            break;
        case '\r':
            if (inLine_)
                crSeen_ = true;
            break;
        case '\n':
            if (inLine_ && crSeen_)
                completeLine();
            break;
        default:
            if (!inLine_)
                break;
            if (line_.size() >= MaxLineLength) {
                discardOverlongLine();
                break;
            }
            line_.append(c);
            break;
        }
    }
}

void LineReceiver::completeLine()
{
    line_.append("\r\n");
    inLine_ = false;
    crSeen_ = false;
    StopWatchdog(watchdog_);
    StartWatchdog(watchdog_);
    const QByteArray line = line_;
    line_.clear();
    emit lineReceived(line);
}

void LineReceiver::discardOverlongLine()
{
    inLine_ = false;
    crSeen_ = false;
    line_.clear();
    emit overlongLineDiscarded();
}

void LineReceiver::reportConnected()
{
    if (state_.evaluatorConnected)
        return;
    state_.evaluatorConnected = true;
    recordEvent(&events_, &info_, EventCode::EvaluatorConnected, 0, config_.INSTALLATION);
}

void LineReceiver::Timer_timeout_Timer()
{
    recordEvent(&events_, &info_, EventCode::EvaluatorNotConnected, 0, config_.INSTALLATION);
    state_.evaluatorConnected = false;
    StopWatchdog(watchdog_);
    for (int sensor = 1; sensor <= MeasurementState::SensorCount; ++sensor)
        for (int slot = 1; slot < Slot::Spare; ++slot)
            state_.value(sensor, slot) = 0;
    for (ILamp* lamp : {lamps_.alarm, lamps_.preAlarm, lamps_.ready})
        if (lamp)
            lamp->SetActive(false);
}
