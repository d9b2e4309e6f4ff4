#include "logging/EventTexts.h"

namespace {

enum class Prefix { None, Sensor, SpacedSensor };

struct EventEntry {
    const char* text;
    Prefix prefix;
};

constexpr int FirstCode = 1;
constexpr int LastCode = 44;

// Indexed by code - 1. Codes 23-28 and 35-41 are raised by nobody today but
// keep their texts so an evaluator firmware that adds them reads correctly.
constexpr EventEntry Events[LastCode] = {
    {"Measure Started", Prefix::None},
    {"Measure Stopped", Prefix::None},
    {"Ready Relay ON", Prefix::None},
    {"Ready Relay OFF", Prefix::None},
    {"Alarm Relay 1 ON", Prefix::None},
    {"Alarm Relay 1 OFF", Prefix::None},
    {"Alarm Relay 2 ON", Prefix::None},
    {"Alarm Relay 2 OFF", Prefix::None},
    {" Ready", Prefix::Sensor},
    {" ERROR", Prefix::Sensor},
    {" Oil Quality Prealarm ON", Prefix::Sensor},
    {" Oil Quality Prealarm OFF", Prefix::Sensor},
    {" Oil Quality Mainalarm ON", Prefix::Sensor},
    {" Oil Quality Mainalarm OFF", Prefix::Sensor},
    {" Temperature Prealarm ON", Prefix::Sensor},
    {" Temperature Prealarm OFF", Prefix::Sensor},
    {" Temperature Mainalarm ON", Prefix::Sensor},
    {" Temperature Mainalarm OFF", Prefix::Sensor},
    {"EvaError no sensor detected", Prefix::None},
    {"EvaError clock", Prefix::None},
    {"EvaError LOG EEPROM", Prefix::None},
    {"EvaError CPU EEPROM", Prefix::None},
    {" ERROR DAC HIGH", Prefix::Sensor},
    {" ERROR DAC LOW", Prefix::Sensor},
    {" ERROR DAC calibration", Prefix::Sensor},
    {" ERROR TRS HIGH", Prefix::Sensor},
    {" ERROR TRS DIRTY", Prefix::Sensor},
    {" ERROR TRS too high at DAC OFF", Prefix::Sensor},
    {" ERROR TEMPERATURE HIGH", Prefix::Sensor},
    {" ERROR TEMPERATURE LOW", Prefix::Sensor},
    {" ERROR CPU TEMPERATURE HIGH", Prefix::Sensor},
    {" ERROR CPU TEMPERATURE LOW", Prefix::Sensor},
    {" POWERUP BUSY", Prefix::Sensor},
    {"Mainalarm confirmed by user", Prefix::None},
    {" ALARM INHIBITED", Prefix::Sensor},
    {" ALARM ACTIVE", Prefix::Sensor},
    {" UNREQUESTED sensor type", Prefix::Sensor},
    {" Temp. diff. Prealarm ON", Prefix::SpacedSensor},
    {" Temp. diff. Prealarm OFF", Prefix::SpacedSensor},
    {" Temp. diff. Mainalarm ON", Prefix::SpacedSensor},
    {" Temp. diff. Mainalarm OFF", Prefix::SpacedSensor},
    {"Pre-Alarm confirmed by user", Prefix::None},
    {"Evaluator connected", Prefix::None},
    {"Evaluator not connected", Prefix::None},
};

} // namespace

QString eventText(int code, int sensor)
{
    if (code < FirstCode || code > LastCode)
        return QString();
    const EventEntry& entry = Events[code - FirstCode];
    const QString text = QString::fromLatin1(entry.text);
    switch (entry.prefix) {
    case Prefix::Sensor:
        return QStringLiteral("Sensor ") + QString::number(sensor) + text;
    case Prefix::SpacedSensor:
        return QStringLiteral(" Sensor ") + QString::number(sensor) + text;
    case Prefix::None:
        break;
    }
    return text;
}
