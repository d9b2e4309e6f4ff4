#pragma once
// The alarm journal in words, the same in the window, the report and the
// command-line tool.
#include "history/JournalEntry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace JournalText {

// "Sensor 2 oil quality main alarm", "Alarm relay 1", "Evaluator lost",
// "Measurement stopped", "Logger not running". sensorNames[0..5], where
// given and not empty, stand for "Sensor 1".."Sensor 6".
QString what(const JournalEntry& e, const QStringList& sensorNames = {});
// What the flags say, "; " between: "began before the range", "still on at
// the range's end", "ended by the stop", ... Empty without flags.
QString remarks(const JournalEntry& e);
// "04:05:06"; "3 d 04:05:06" from a day on.
QString duration(int64_t seconds);

// Names for tables read by programs: "sensor_alarm", "alarm_relay",
// "evaluator_lost", "measurement_stopped", "logger_not_running";
// "oil_quality", "temperature"; "pre_alarm", "main_alarm"; empty for None.
QByteArray kindName(JournalKind kind);
QByteArray quantityName(AlarmQuantity quantity);
QByteArray levelName(AlarmStage level);

} // namespace JournalText
