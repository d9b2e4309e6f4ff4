#pragma once
// One entry of the alarm journal: an alarm episode of a sensor or of an
// alarm relay, or a period in which the evaluator was lost, the measurement
// was stopped or the logger was not running. Times are UTC seconds.
#include <cstdint>

enum class JournalKind : uint8_t {
    SensorAlarm,        // sensor, quantity and level say which
    AlarmRelay,         // relay 1 (the main alarm relay) or 2 (the pre-alarm relay)
    EvaluatorLost,      // "Evaluator not connected" to "Evaluator connected"
    MeasurementStopped, // a stop to the next start
    LoggerNotRunning,   // the logger's last sign of life to its return after an unexpected end
};
enum class AlarmQuantity : uint8_t { None, OilQuality, Temperature };
enum class AlarmStage : uint8_t { None, PreAlarm, MainAlarm };

struct JournalEntry {
    static constexpr int64_t None = INT64_MIN;

    JournalKind kind = JournalKind::SensorAlarm;
    int sensor = 0; // 1..6 for sensor alarms, else 0
    AlarmQuantity quantity = AlarmQuantity::None;
    AlarmStage level = AlarmStage::None;
    int relay = 0; // 1 or 2 for alarm relays, else 0
    int64_t start = 0;
    int64_t confirmed = None; // when the alarm pop-up showing it was confirmed
    int64_t end = 0;          // for an open entry the range's end
    bool open = false;        // no end seen before the range's end
    bool beganBefore = false; // began before the range: start is the range's start
    // Where an entry ended or began other than by its own lines:
    bool endedByStop = false;     // the measurement stopped: the alarm was no longer watched
    bool endedWithLogger = false; // the logger ended (unexpectedly, or without a line)
    bool carried = false;         // went on after a restart of the measurement in the same program run
    bool unrecorded = false;      // MeasurementStopped: no stop line, the logger began anew
    bool programEnded = false;    // MeasurementStopped: the program was closed while measuring

    int64_t duration() const { return end - start; }
    bool isConfirmed() const { return confirmed != None; }
};
