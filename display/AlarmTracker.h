#pragma once
#include "core/Events.h"

#include <cstdint>
#include <QObject>

class IEventSink;
class IInfoLog;
class ILamp;
struct MainControls;
struct MeasurementState;

// Follows the relay, alarm and error bits of the sensor table from tick to
// tick. Lamps show the present bits on every tick; each change of a bit is
// recorded as an event (event list, then data logfile, then event file).
// A rising alarm relay asks for the alarm pop-up (relay 1 or 2).
// The memory of earlier ticks is never cleared.
class AlarmTracker final : public QObject {
    Q_OBJECT
public:
    AlarmTracker(MainControls& controls, const MeasurementState& state, IEventSink* events, IInfoLog* info,
                 QObject* parent = nullptr);

    // Runs once at the end of every display tick.
    void track();

    bool readyRelayOn = false;
    bool alarmRelay1On = false;
    bool alarmRelay2On = false;
    // Per sensor 1..6 (element 0 unused).
    bool sensorReadyOn[7] = {};
    bool oilPreAlarmOn[7] = {};
    bool oilMainAlarmOn[7] = {};
    bool tempPreAlarmOn[7] = {};
    bool tempMainAlarmOn[7] = {};
    bool tempHighErrorOn[7] = {};
    bool tempLowErrorOn[7] = {};
    bool cpuTempHighErrorOn[7] = {};
    bool cpuTempLowErrorOn[7] = {};
    bool powerUpBusyOn[7] = {};
    bool evaNoSensorOn = false;
    bool evaClockErrorOn = false;
    bool evaLogEepromErrorOn = false;
    bool evaCpuEepromErrorOn = false;

signals:
    // Alarm relay 1 (main) or 2 (pre-alarm) switched on, after its event.
    void alarmRelayOn(int relay);

private:
    void trackRelays();
    void trackSensor(int sensor);
    void trackSensorErrors(int sensor, int32_t errors);
    void trackEvaluatorErrors();
    void record(EventCode code, int sensor = 0);

    MainControls& c_;
    const MeasurementState& state_;
    IEventSink* events_;
    IInfoLog* info_;
};
