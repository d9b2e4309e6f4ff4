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
                           IInfoLog* info, QObject* parent)
    : QObject(parent)
    , c_(controls)
    , state_(state)
    , events_(events)
    , info_(info)
{
}

void AlarmTracker::track()
{
    trackRelays();
    for (int s = 1; s <= 6; ++s)
        trackSensor(s);
    trackEvaluatorErrors();
}

void AlarmTracker::record(EventCode code, int sensor)
{
    recordEvent(events_, info_, code, sensor);
}

void AlarmTracker::trackRelays()
{
    const int32_t status = bitsOf(state_.value(1, Slot::StatusWord));

    const bool ready = status & Bit::ReadyRelay;
    setLamp(c_.LED_RDY, ready);
    const Edge readyEdge = follow(readyRelayOn, ready);
    if (readyEdge != Edge::None && state_.evaluatorConnected)
        record(readyEdge == Edge::Rising ? EventCode::ReadyRelayOn : EventCode::ReadyRelayOff);

    // An alarm relay switching on opens the pop-up with its label.
    auto alarmRelay = [&](int32_t bit, ILamp* lamp, bool& memory, EventCode on, EventCode off, int relay) {
        const bool set = status & bit;
        setLamp(lamp, set);
        switch (follow(memory, set)) {
        case Edge::Rising:
            record(on);
            emit alarmRelayOn(relay);
            break;
        case Edge::Falling: record(off); break;
        case Edge::None: break;
        }
    };
    alarmRelay(Bit::AlarmRelay1, c_.LED_Alarm, alarmRelay1On, EventCode::AlarmRelay1On, EventCode::AlarmRelay1Off, 1);
    alarmRelay(Bit::AlarmRelay2, c_.LED_Prealarm, alarmRelay2On, EventCode::AlarmRelay2On, EventCode::AlarmRelay2Off, 2);
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
        record(readyEdge == Edge::Rising ? EventCode::SensorReady : EventCode::SensorError, s);

    // A pre-alarm that gives way to its main alarm stays lit and is not
    // reported as ended until the main alarm has gone too.
    auto preAlarm = [&](int32_t preBit, int32_t mainBit, ILamp* lamp, bool& memory, EventCode on, EventCode off) {
        if (status & preBit) {
            setLamp(lamp, true);
            if (follow(memory, true) == Edge::Rising)
                record(on, s);
        } else if (!(status & mainBit)) {
            setLamp(lamp, false);
            if (follow(memory, false) == Edge::Falling)
                record(off, s);
        }
    };
    auto mainAlarm = [&](int32_t bit, ILamp* lamp, bool& memory, EventCode on, EventCode off) {
        const bool set = status & bit;
        setLamp(lamp, set);
        switch (follow(memory, set)) {
        case Edge::Rising: record(on, s); break;
        case Edge::Falling: record(off, s); break;
        case Edge::None: break;
        }
    };
    preAlarm(Bit::OilPreAlarm, Bit::OilMainAlarm, c_.oled_palm[i], oilPreAlarmOn[s], EventCode::OilPreAlarmOn,
             EventCode::OilPreAlarmOff);
    mainAlarm(Bit::OilMainAlarm, c_.oled_malm[i], oilMainAlarmOn[s], EventCode::OilMainAlarmOn,
              EventCode::OilMainAlarmOff);
    preAlarm(Bit::TempPreAlarm, Bit::TempMainAlarm, c_.tled_palm[i], tempPreAlarmOn[s],
             EventCode::TemperaturePreAlarmOn, EventCode::TemperaturePreAlarmOff);
    mainAlarm(Bit::TempMainAlarm, c_.tled_malm[i], tempMainAlarmOn[s], EventCode::TemperatureMainAlarmOn,
              EventCode::TemperatureMainAlarmOff);
    trackSensorErrors(s, errors);
}

void AlarmTracker::trackSensorErrors(int s, int32_t errors)
{
    // Sensor errors are reported when they appear; their end is silent.
    auto sensorError = [&](int32_t bit, bool& memory, EventCode code) {
        if (follow(memory, errors & bit) == Edge::Rising)
            record(code, s);
    };
    sensorError(Bit::TempHigh, tempHighErrorOn[s], EventCode::TemperatureHighError);
    sensorError(Bit::TempLow, tempLowErrorOn[s], EventCode::TemperatureLowError);
    sensorError(Bit::CpuTempHigh, cpuTempHighErrorOn[s], EventCode::CpuTemperatureHighError);
    sensorError(Bit::CpuTempLow, cpuTempLowErrorOn[s], EventCode::CpuTemperatureLowError);
    sensorError(Bit::PowerUpBusy, powerUpBusyOn[s], EventCode::PowerUpBusy);
}

void AlarmTracker::trackEvaluatorErrors()
{
    const int32_t errors = bitsOf(state_.value(1, Slot::EvaluatorErrorWord));
    auto evaError = [&](int32_t bit, bool& memory, EventCode code) {
        if (follow(memory, errors & bit) == Edge::Rising)
            record(code);
    };
    evaError(Bit::EvaNoSensor, evaNoSensorOn, EventCode::EvaluatorNoSensor);
    evaError(Bit::EvaClock, evaClockErrorOn, EventCode::EvaluatorClockError);
    evaError(Bit::EvaLogEeprom, evaLogEepromErrorOn, EventCode::EvaluatorLogEepromError);
    evaError(Bit::EvaCpuEeprom, evaCpuEepromErrorOn, EventCode::EvaluatorCpuEepromError);
}
