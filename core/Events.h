#pragma once
// The events the logger reports: one code, and in one table its event list
// text and the information lines it writes into the data logfile and the
// event file. Call sites name an event by its code and never spell its
// number or its texts.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

enum class EventCode : int16_t {
    MeasureStarted = 1,
    MeasureStopped = 2,
    ReadyRelayOn = 3,
    ReadyRelayOff = 4,
    AlarmRelay1On = 5,
    AlarmRelay1Off = 6,
    AlarmRelay2On = 7,
    AlarmRelay2Off = 8,
    SensorReady = 9,
    SensorError = 10,
    OilPreAlarmOn = 11,
    OilPreAlarmOff = 12,
    OilMainAlarmOn = 13,
    OilMainAlarmOff = 14,
    TemperaturePreAlarmOn = 15,
    TemperaturePreAlarmOff = 16,
    TemperatureMainAlarmOn = 17,
    TemperatureMainAlarmOff = 18,
    EvaluatorNoSensor = 19,
    EvaluatorClockError = 20,
    EvaluatorLogEepromError = 21,
    EvaluatorCpuEepromError = 22,
    DacHigh = 23, // 23-28 and 35-41: no part of the logger raises them
    DacLow = 24,
    DacCalibration = 25,
    TrsHigh = 26,
    TrsDirty = 27,
    TrsTooHighAtDacOff = 28,
    TemperatureHighError = 29,
    TemperatureLowError = 30,
    CpuTemperatureHighError = 31,
    CpuTemperatureLowError = 32,
    PowerUpBusy = 33,
    MainAlarmConfirmed = 34,
    AlarmInhibited = 35,
    AlarmActive = 36,
    UnrequestedSensorType = 37,
    TemperatureDifferencePreAlarmOn = 38,
    TemperatureDifferencePreAlarmOff = 39,
    TemperatureDifferenceMainAlarmOn = 40,
    TemperatureDifferenceMainAlarmOff = 41,
    PreAlarmConfirmed = 42,
    EvaluatorConnected = 43,
    EvaluatorNotConnected = 44,
};

namespace Events {

constexpr int FirstCode = 1;
constexpr int LastCode = 44;

inline int number(EventCode code)
{
    return int(code);
}

// The event list's text after its time stamp; per-sensor codes carry their
// sensor prefix and number ("Sensor 2 Ready"). A null string for a number
// outside 1..44.
QString listText(int code, int sensor);
inline QString listText(EventCode code, int sensor = 0)
{
    return listText(number(code), sensor);
}

// The information line of an event in the data logfile and in the event
// file (they differ for one event); empty for the events that write none.
// The start, stop and connection texts name the installation.
QString logfileText(EventCode code, int sensor = 0, const QString& installation = QString());
QString eventfileText(EventCode code, int sensor = 0, const QString& installation = QString());

// The two information lines a logger writes into both files when it comes
// back after an unexpected end (a crash, kill -9, the out-of-memory killer,
// a power cut), stamped with the time it came back:
//   "Logger ended unexpectedly at MM-DD-YYYY HH:MM:SS !"  (its last sign of life)
//   "Logger running again at <installation> !"
// Between the two times the logger was not running.
QString loggerEndedText(const QDateTime& lastSignOfLife);
QString loggerRunningAgainText(const QString& installation);
// The last sign of life a "Logger ended unexpectedly" line names (local
// time); nullopt for any other text.
std::optional<QDateTime> loggerEndedAt(const QString& text);

} // namespace Events
