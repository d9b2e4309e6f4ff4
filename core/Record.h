#pragma once
// The evaluator's record format, parsed in one place for the serial line and
// for logfiles. A record is the text of one evaluator line from its ":" on:
// ":" + a two-digit hex record type + fixed-width fields, with or without its
// CR LF. Positions count from 1 at the ":".
//
// The two readers differ only in the dialect: on the serial line a field's
// non-hex characters read as "0" and a field cut short reads 0 (the line is
// sanitised before it is logged, so the logfile holds what was decoded); in a
// logfile a field with a non-hex character makes the record unreadable and a
// field cut short reads the digits it has.
#include "core/Hex.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>

// The last parameter record of the evaluator.
struct ParameterInfo {
    QString modelCode;    // 5 characters, "07K31" for the known system
    QString versionText;  // 13 characters
    QString serialNumber; // 8 characters
    int16_t sensorCount = 0;
    int16_t mainAlarmLevel = 0;
    int16_t preAlarmLevel = 0;
    int16_t tempAlarmLevel = 0;
    int16_t tempPreAlarmLevel = 0;
    int16_t mainAlarmLevel2 = 0;    // 0 means off
    int16_t alarm2Sensor = 0;
    int16_t tempAlarmLevel2 = 0;
    int16_t tempPreAlarmLevel2 = 0;
    int16_t mainAlarmLevelHigh = 0; // 1300 means off
    int16_t preAlarmLevelHigh = 0;  // 0 means off
    int16_t preAlarmLevel2 = 0;     // 0 means off
};

namespace Record {

// Record types.
constexpr int FirstSensorType = 0x00; // sensor 1
constexpr int LastSensorType = 0x05;  // sensor 6
constexpr int TextType = 0x80;
constexpr int ParameterType = 0x81;
// The type of a record whose type field is not two hexadecimal digits.
constexpr int UnreadableType = -1;

enum class Kind {
    Sensor,    // types 0x00-0x05
    Parameter, // 0x81
    Text,      // 0x80: free text, nothing decoded
    Other,     // any other type, or no readable type: a bad line
};

struct Dialect {
    bool fromLogfile;       // the logfile's rules for bad and short fields
    int highLevelsAfter;    // the three high levels are read when the text
                            // (":" on, no CR LF) is longer than this
};
// The serial line: the high levels come with lines over 85 characters, CR
// LF included.
constexpr Dialect SerialLine{false, 83};
// A logfile: the record text after the ":" longer than 85 characters.
constexpr Dialect Logfile{true, 86};

// A sensor record: value[k - 1] is slot k of the sensor's row as sent
// (1 oil quality, 2 oil temperature in tenths, 3 loss factor in tenths of a
// percent, 4 TDN number, 5 ambient temperature in tenths), signed.
struct Sensor {
    int sensor = 0; // 1..6
    int value[5] = {};
    int statusWord = 0;         // masked with 0x3FFF
    int sensorErrorWord = 0;    // masked with 0x1FFF
    int evaluatorErrorWord = 0; // masked with 0x0FFF
    int extraValue = 0;
};

// A parameter record. A record cut off before its sensor count says nothing
// about the sensors; one without the high levels keeps the previous ones.
struct Parameter {
    ParameterInfo info;
    bool hasSensorCount = false;
    bool hasHighLevels = false;
    // The record over the previous one: what it does not carry stays.
    void applyTo(ParameterInfo& target) const;
};

// The record type of positions 2-3, masked with 0x0FFF; UnreadableType
// unless both are hex digits.
inline int typeOf(QByteArrayView record)
{
    if (record.size() < 3)
        return UnreadableType;
    const int high = Hex::digit(record[1]);
    const int low = Hex::digit(record[2]);
    return high < 0 || low < 0 ? UnreadableType : (high * 16 + low) & 0x0FFF;
}

inline Kind kindOf(int type)
{
    if (type >= FirstSensorType && type <= LastSensorType)
        return Kind::Sensor;
    if (type == ParameterType)
        return Kind::Parameter;
    if (type == TextType)
        return Kind::Text;
    return Kind::Other;
}

// A sensor record's fields; false when the record is not a readable
// sensor record in the dialect. From a logfile only the sensor and its five
// values are read back.
bool parseSensor(QByteArrayView record, const Dialect& dialect, Sensor& out);
// A parameter record's fields (its texts as sent, never sanitised).
bool parseParameter(QByteArrayView record, const Dialect& dialect, Parameter& out);

// The text before the first CR LF (all of it when there is none).
QByteArrayView beforeLineEnd(QByteArrayView text);

// From startPosition up to the first CR LF, every character that is not a
// hex digit becomes "0", in the line itself.
void sanitiseFrom(QByteArray& line, int startPosition);

// The serial line's cleaning, in the line itself: from the first numeric
// position of the record's kind (4 for sensor records, 46 for parameter
// records) up to the first CR LF, every character that is not a hex digit
// becomes "0"; anything after the first CR LF goes. Other kinds stay as
// they are.
void sanitise(QByteArray& line, Kind kind);

} // namespace Record
