#include "core/Events.h"

#include "core/LogLine.h"

namespace Events {
namespace {

enum class Prefix { None, Sensor, SpacedSensor };

struct Entry {
    const char* list;      // the event list's text
    Prefix prefix;         // how per-sensor codes put the sensor before it
    const char* logfile;   // the information line; "%1" is the installation
    const char* eventfile; // the event file's line when it differs
};

// Indexed by code - 1.
constexpr Entry Table[LastCode] = {
    {"Measure Started", Prefix::None, "Measure Started at %1 !", nullptr},
    {"Measure Stopped", Prefix::None, "Measure Stopped at %1 !", nullptr},
    {"Ready Relay ON", Prefix::None, "Ready Relay ON !", nullptr},
    {"Ready Relay OFF", Prefix::None, "Ready Relay OFF !", nullptr},
    {"Alarm Relay 1 ON", Prefix::None, "Alarm Relay 1 ON !", nullptr},
    {"Alarm Relay 1 OFF", Prefix::None, "Alarm Relay 1 OFF !", nullptr},
    {"Alarm Relay 2 ON", Prefix::None, "Alarm Relay 2 ON !", nullptr},
    {"Alarm Relay 2 OFF", Prefix::None, "Alarm Relay 2 OFF !", nullptr},
    {" Ready", Prefix::Sensor, " Ready !", nullptr},
    {" ERROR", Prefix::Sensor, " ERROR !", nullptr},
    {" Oil Quality Prealarm ON", Prefix::Sensor, " Oil quality Prealarm ON !", nullptr},
    {" Oil Quality Prealarm OFF", Prefix::Sensor, " Oil quality Prealarm OFF !", nullptr},
    {" Oil Quality Mainalarm ON", Prefix::Sensor, " Oil quality Mainalarm ON !", nullptr},
    {" Oil Quality Mainalarm OFF", Prefix::Sensor, " Oil quality Mainalarm OFF !", nullptr},
    {" Temperature Prealarm ON", Prefix::Sensor, " Temperature Prealarm ON !", nullptr},
    {" Temperature Prealarm OFF", Prefix::Sensor, " Temperature Prealarm OFF !", nullptr},
    {" Temperature Mainalarm ON", Prefix::Sensor, " Temperature Mainalarm ON !", nullptr},
    {" Temperature Mainalarm OFF", Prefix::Sensor, " Temperature Mainalarm OFF !", nullptr},
    {"EvaError no sensor detected", Prefix::None, "EvaError no sensor detected !", nullptr},
    {"EvaError clock", Prefix::None, "EvaError clock !", nullptr},
    {"EvaError LOG EEPROM", Prefix::None, "EvaError LOG EEPROM !", nullptr},
    {"EvaError CPU EEPROM", Prefix::None, "EvaError CPU EEPROM !", nullptr},
    {" ERROR DAC HIGH", Prefix::Sensor, nullptr, nullptr},
    {" ERROR DAC LOW", Prefix::Sensor, nullptr, nullptr},
    {" ERROR DAC calibration", Prefix::Sensor, nullptr, nullptr},
    {" ERROR TRS HIGH", Prefix::Sensor, nullptr, nullptr},
    {" ERROR TRS DIRTY", Prefix::Sensor, nullptr, nullptr},
    {" ERROR TRS too high at DAC OFF", Prefix::Sensor, nullptr, nullptr},
    {" ERROR TEMPERATURE HIGH", Prefix::Sensor, " Error TEMPERATURE HIGH !", nullptr},
    {" ERROR TEMPERATURE LOW", Prefix::Sensor, " Error TEMPERATURE LOW !", nullptr},
    {" ERROR CPU TEMPERATURE HIGH", Prefix::Sensor, " Error CPU TEMPERATURE HIGH !", nullptr},
    {" ERROR CPU TEMPERATURE LOW", Prefix::Sensor, " Error CPU TEMPERATURE LOW !", nullptr},
    {" POWERUP BUSY", Prefix::Sensor, " POWERUP BUSY !", nullptr},
    {"Mainalarm confirmed by user", Prefix::None, "Mainalarm confirmed by user!", nullptr},
    {" ALARM INHIBITED", Prefix::Sensor, nullptr, nullptr},
    {" ALARM ACTIVE", Prefix::Sensor, nullptr, nullptr},
    {" UNREQUESTED sensor type", Prefix::Sensor, nullptr, nullptr},
    {" Temp. diff. Prealarm ON", Prefix::SpacedSensor, nullptr, nullptr},
    {" Temp. diff. Prealarm OFF", Prefix::SpacedSensor, nullptr, nullptr},
    {" Temp. diff. Mainalarm ON", Prefix::SpacedSensor, nullptr, nullptr},
    {" Temp. diff. Mainalarm OFF", Prefix::SpacedSensor, nullptr, nullptr},
    {"Pre-Alarm confirmed by user", Prefix::None, "Pre-Alarm confirmed by user!", "Pre-Aalarm confirmed by user!"},
    {"Evaluator connected", Prefix::None, "Evaluator connected at %1 !", nullptr},
    {"Evaluator not connected", Prefix::None, "Evaluator not connected at %1 !", nullptr},
};

const Entry* entry(int code)
{
    return code >= FirstCode && code <= LastCode ? &Table[code - FirstCode] : nullptr;
}

// A file line: per-sensor texts after "Sensor " and the sensor number.
QString fileText(const Entry* e, const char* text, int sensor, const QString& installation)
{
    if (!e || !text)
        return QString();
    QString line = QString::fromLatin1(text);
    if (line.contains(QLatin1String("%1")))
        line = line.arg(installation);
    if (e->prefix != Prefix::None)
        line.prepend(QStringLiteral("Sensor ") + QString::number(sensor));
    return line;
}

} // namespace

QString listText(int code, int sensor)
{
    const Entry* e = entry(code);
    if (!e)
        return QString();
    const QString text = QString::fromLatin1(e->list);
    switch (e->prefix) {
    case Prefix::Sensor:
        return QStringLiteral("Sensor ") + QString::number(sensor) + text;
    case Prefix::SpacedSensor:
        return QStringLiteral(" Sensor ") + QString::number(sensor) + text;
    case Prefix::None:
        break;
    }
    return text;
}

QString logfileText(EventCode code, int sensor, const QString& installation)
{
    const Entry* e = entry(number(code));
    return fileText(e, e ? e->logfile : nullptr, sensor, installation);
}

QString eventfileText(EventCode code, int sensor, const QString& installation)
{
    const Entry* e = entry(number(code));
    return fileText(e, e && e->eventfile ? e->eventfile : e ? e->logfile : nullptr, sensor, installation);
}

namespace {
const QString EndedPrefix = QStringLiteral("Logger ended unexpectedly at ");
const QString TextEnd = QStringLiteral(" !");
const QString StampForm = QStringLiteral("MM-dd-yyyy HH:mm:ss");
} // namespace

QString loggerEndedText(const QDateTime& lastSignOfLife)
{
    return EndedPrefix + LogLine::timeStamp(lastSignOfLife) + TextEnd;
}

QString loggerRunningAgainText(const QString& installation)
{
    return QStringLiteral("Logger running again at ") + installation + TextEnd;
}

std::optional<QDateTime> loggerEndedAt(const QString& text)
{
    if (!text.startsWith(EndedPrefix) || !text.endsWith(TextEnd))
        return std::nullopt;
    const QString stamp = text.mid(EndedPrefix.size(), text.size() - EndedPrefix.size() - TextEnd.size());
    const QDateTime when = QDateTime::fromString(stamp, StampForm);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

} // namespace Events
