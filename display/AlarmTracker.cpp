#include "display/AlarmTracker.h"

#include "display/MainControls.h"
#include "link/MeasurementState.h"
#include "logging/EventSinks.h"
#include "platform/ILamp.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {
namespace Bit {
constexpr int32_t ReadyRelay = 0x20;
constexpr int32_t AlarmRelay1 = 0x80;
constexpr int32_t AlarmRelay2 = 0x40;
constexpr int32_t SensorReady = 0x001;
constexpr int32_t OilMainAlarm = 0x100;
constexpr int32_t OilPreAlarm = 0x200;
constexpr int32_t TempMainAlarm = 0x400;
constexpr int32_t TempPreAlarm = 0x800;
constexpr int32_t TempLow = 0x040;
constexpr int32_t TempHigh = 0x080;
constexpr int32_t CpuTempHigh = 0x100;
constexpr int32_t CpuTempLow = 0x200;
constexpr int32_t PowerUpBusy = 0x400;
constexpr int32_t EvaNoSensor = 0x001;
constexpr int32_t EvaClock = 0x002;
constexpr int32_t EvaLogEeprom = 0x004;
constexpr int32_t EvaCpuEeprom = 0x100;
} // namespace Bit

// A slot holds a whole number; anything that is not a 32-bit number reads
// as no bits set.
int32_t bitsOf(double slot)
{
    if (!std::isfinite(slot))
        return 0;
    const double r = std::nearbyint(slot);
    if (r < double(std::numeric_limits<int32_t>::min()) || r > double(std::numeric_limits<int32_t>::max()))
        return 0;
    return int32_t(r);
}

void setLamp(ILamp* lamp, bool on)
{
    if (lamp)
        lamp->SetActive(on);
}

enum class Edge { None, Rising, Falling };

Edge follow(bool& memory, bool bit)
{
    if (bit == memory)
        return Edge::None;
    memory = bit;
    return bit ? Edge::Rising : Edge::Falling;
}
} // namespace

AlarmTracker::AlarmTracker(MainControls& controls, const MeasurementState& state, IEventSink* events,
                           IInfoLog* info, std::function<void(int relay)> openAlert)
    : c_(controls)
    , state_(state)
    , events_(events)
    , info_(info)
    , openAlert_(std::move(openAlert))
{
}

void AlarmTracker::track()
{
    trackRelays();
    for (int s = 1; s <= 6; ++s)
        trackSensor(s);
    trackEvaluatorErrors();
}

void AlarmTracker::record(int code, int sensor, const QString& text)
{
    if (events_)
        events_->SetEventtext(code, sensor);
    if (info_) {
        info_->SetInfotext(text);
        info_->SetEvtInfotext(text);
    }
}

void AlarmTracker::recordSensor(int code, int sensor, const char* suffix)
{
    record(code, sensor, QStringLiteral("Sensor ") + QString::number(sensor) + QLatin1String(suffix));
}

void AlarmTracker::trackRelays()
{
    const int32_t status = bitsOf(state_.value(1, Slot::StatusWord));

    const bool ready = status & Bit::ReadyRelay;
    setLamp(c_.LED_RDY, ready);
    const Edge readyEdge = follow(readyRelayOn, ready);
    if (readyEdge != Edge::None && state_.evaluatorConnected) {
        if (readyEdge == Edge::Rising)
            record(3, 0, QStringLiteral("Ready Relay ON !"));
        else
            record(4, 0, QStringLiteral("Ready Relay OFF !"));
    }

    const bool relay1 = status & Bit::AlarmRelay1;
    setLamp(c_.LED_Alarm, relay1);
    switch (follow(alarmRelay1On, relay1)) {
    case Edge::Rising:
        record(5, 0, QStringLiteral("Alarm Relay 1 ON !"));
        if (openAlert_)
            openAlert_(1);
        break;
    case Edge::Falling: record(6, 0, QStringLiteral("Alarm Relay 1 OFF !")); break;
    case Edge::None: break;
    }

    const bool relay2 = status & Bit::AlarmRelay2;
    setLamp(c_.LED_Prealarm, relay2);
    switch (follow(alarmRelay2On, relay2)) {
    case Edge::Rising:
        record(7, 0, QStringLiteral("Alarm Relay 2 ON !"));
        if (openAlert_)
            openAlert_(2);
        break;
    case Edge::Falling: record(8, 0, QStringLiteral("Alarm Relay 2 OFF !")); break;
    case Edge::None: break;
    }
}

void AlarmTracker::trackSensor(int s)
{
    const int32_t status = bitsOf(state_.value(s, Slot::StatusWord));
    const int32_t errors = bitsOf(state_.value(s, Slot::SensorErrorWord));
    const int i = s - 1;

    const bool ready = status & Bit::SensorReady;
    setLamp(c_.sled_rdy[i], ready);
    const Edge readyEdge = follow(sensorReadyOn[s], ready);
    if (readyEdge != Edge::None && state_.evaluatorConnected)
        recordSensor(readyEdge == Edge::Rising ? 9 : 10, s, readyEdge == Edge::Rising ? " Ready !" : " ERROR !");

    // A pre-alarm that gives way to its main alarm stays lit and is not
    // reported as ended until the main alarm has gone too.
    auto preAlarm = [&](int32_t preBit, int32_t mainBit, ILamp* lamp, bool& memory, int onCode,
                        const char* onSuffix, int offCode, const char* offSuffix) {
        if (status & preBit) {
            setLamp(lamp, true);
            if (follow(memory, true) == Edge::Rising)
                recordSensor(onCode, s, onSuffix);
        } else if (!(status & mainBit)) {
            setLamp(lamp, false);
            if (follow(memory, false) == Edge::Falling)
                recordSensor(offCode, s, offSuffix);
        }
    };
    auto mainAlarm = [&](int32_t bit, ILamp* lamp, bool& memory, int onCode, const char* onSuffix, int offCode,
                         const char* offSuffix) {
        const bool on = status & bit;
        setLamp(lamp, on);
        switch (follow(memory, on)) {
        case Edge::Rising: recordSensor(onCode, s, onSuffix); break;
        case Edge::Falling: recordSensor(offCode, s, offSuffix); break;
        case Edge::None: break;
        }
    };
    preAlarm(Bit::OilPreAlarm, Bit::OilMainAlarm, c_.oled_palm[i], oilPreAlarmOn[s], 11,
             " Oil quality Prealarm ON !", 12, " Oil quality Prealarm OFF !");
    mainAlarm(Bit::OilMainAlarm, c_.oled_malm[i], oilMainAlarmOn[s], 13, " Oil quality Mainalarm ON !", 14,
              " Oil quality Mainalarm OFF !");
    preAlarm(Bit::TempPreAlarm, Bit::TempMainAlarm, c_.tled_palm[i], tempPreAlarmOn[s], 15,
             " Temperature Prealarm ON !", 16, " Temperature Prealarm OFF !");
    mainAlarm(Bit::TempMainAlarm, c_.tled_malm[i], tempMainAlarmOn[s], 17, " Temperature Mainalarm ON !", 18,
              " Temperature Mainalarm OFF !");

    // Sensor errors are reported when they appear; their end is silent.
    auto sensorError = [&](int32_t bit, bool& memory, int code, const char* suffix) {
        if (follow(memory, errors & bit) == Edge::Rising)
            recordSensor(code, s, suffix);
    };
    sensorError(Bit::TempHigh, tempHighErrorOn[s], 29, " Error TEMPERATURE HIGH !");
    sensorError(Bit::TempLow, tempLowErrorOn[s], 30, " Error TEMPERATURE LOW !");
    sensorError(Bit::CpuTempHigh, cpuTempHighErrorOn[s], 31, " Error CPU TEMPERATURE HIGH !");
    sensorError(Bit::CpuTempLow, cpuTempLowErrorOn[s], 32, " Error CPU TEMPERATURE LOW !");
    sensorError(Bit::PowerUpBusy, powerUpBusyOn[s], 33, " POWERUP BUSY !");
}

void AlarmTracker::trackEvaluatorErrors()
{
    const int32_t errors = bitsOf(state_.value(1, Slot::EvaluatorErrorWord));
    auto evaError = [&](int32_t bit, bool& memory, int code, const char* text) {
        if (follow(memory, errors & bit) == Edge::Rising)
            record(code, 0, QLatin1String(text));
    };
    evaError(Bit::EvaNoSensor, evaNoSensorOn, 19, "EvaError no sensor detected !");
    evaError(Bit::EvaClock, evaClockErrorOn, 20, "EvaError clock !");
    evaError(Bit::EvaLogEeprom, evaLogEepromErrorOn, 21, "EvaError LOG EEPROM !");
    evaError(Bit::EvaCpuEeprom, evaCpuEepromErrorOn, 22, "EvaError CPU EEPROM !");
}
