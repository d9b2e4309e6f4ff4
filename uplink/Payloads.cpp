#include "uplink/Payloads.h"

#include "core/GaugeLooks.h"
#include "core/Record.h"
#include "uplink/LoggedLine.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const ValueKeys[GaugeLooks::ValueCount] = {"oilQuality", "oilTemperature", "lossFactor", "tdnNumber",
                                                       "ambientTemperature"};

// The five values in their units (degrees C, percent, plain numbers) and
// the status words of a sensor record; only what the record holds.
void addSensor(QJsonObject& json, QByteArrayView record)
{
    Record::Sensor values;
    if (!Record::parseSensor(record, Record::Logfile, values))
        return;
    Record::Sensor words; // logged records were cleaned to hex digits when they arrived
    Record::parseSensor(record, Record::SerialLine, words);
    json.insert(QStringLiteral("sensor"), values.sensor);
    for (int k = 1; k <= GaugeLooks::ValueCount; ++k)
        json.insert(QLatin1String(ValueKeys[k - 1]),
                    double(values.value[k - 1]) / GaugeLooks::forValue(k)->gaugeDivisor);
    json.insert(QStringLiteral("statusWord"), words.statusWord);
    json.insert(QStringLiteral("sensorErrorWord"), words.sensorErrorWord);
    json.insert(QStringLiteral("evaluatorErrorWord"), words.evaluatorErrorWord);
}

void addParameters(QJsonObject& json, QByteArrayView record)
{
    Record::Parameter p;
    if (!Record::parseParameter(record, Record::Logfile, p))
        return;
    const ParameterInfo& i = p.info;
    json.insert(QStringLiteral("modelCode"), i.modelCode);
    json.insert(QStringLiteral("versionText"), i.versionText);
    json.insert(QStringLiteral("serialNumber"), i.serialNumber);
    json.insert(QStringLiteral("sensorCount"), i.sensorCount);
    const std::pair<const char*, int16_t> levels[] = {
        {"mainAlarmLevel", i.mainAlarmLevel},         {"preAlarmLevel", i.preAlarmLevel},
        {"tempAlarmLevel", i.tempAlarmLevel},         {"tempPreAlarmLevel", i.tempPreAlarmLevel},
        {"mainAlarmLevel2", i.mainAlarmLevel2},       {"alarm2Sensor", i.alarm2Sensor},
        {"tempAlarmLevel2", i.tempAlarmLevel2},       {"tempPreAlarmLevel2", i.tempPreAlarmLevel2},
        {"mainAlarmLevelHigh", i.mainAlarmLevelHigh}, {"preAlarmLevelHigh", i.preAlarmLevelHigh},
        {"preAlarmLevel2", i.preAlarmLevel2}};
    for (const auto& level : levels)
        json.insert(QLatin1String(level.first), level.second);
}

} // namespace

Payloads::Payloads(const QString& installation) : topics_(installation), events_(installation) {}

QString Payloads::timeText(const QDateTime& receivedAt) const
{
    if (receivedAt != lastTime_) {
        lastTime_ = receivedAt;
        lastTimeText_ = isoTimeWithOffset(receivedAt);
    }
    return lastTimeText_;
}

MqttMessage Payloads::messageFor(const QueuedLine& line) const
{
    const LoggedLine logged = LoggedLine::split(line.bytes);
    QJsonObject json{{QStringLiteral("file"), line.file},
                     {QStringLiteral("offset"), line.offset},
                     {QStringLiteral("line"), QString::fromUtf8(line.bytes)}};
    if (logged.receivedAt.isValid())
        json.insert(QStringLiteral("time"), timeText(logged.receivedAt));

    MqttMessage message;
    if (logged.text.startsWith(':')) {
        const int type = Record::typeOf(logged.text);
        json.insert(QStringLiteral("type"), type);
        const Record::Kind kind = Record::kindOf(type);
        if (kind == Record::Kind::Sensor)
            addSensor(json, logged.text);
        else if (kind == Record::Kind::Parameter)
            addParameters(json, logged.text);
        message.topic = kind == Record::Kind::Parameter ? topics_.parameters : topics_.record;
        message.retain = kind == Record::Kind::Parameter;
    } else {
        const QString text = QString::fromUtf8(logged.text);
        json.insert(QStringLiteral("text"), text);
        if (const auto event = events_.find(text)) {
            json.insert(QStringLiteral("code"), Events::number(event->code));
            if (event->sensor > 0)
                json.insert(QStringLiteral("sensor"), event->sensor);
        }
        message.topic = topics_.event;
    }
    message.payload = QJsonDocument(json).toJson(QJsonDocument::Compact);
    return message;
}
