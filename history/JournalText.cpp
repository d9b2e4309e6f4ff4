#include "history/JournalText.h"

namespace JournalText {

namespace {

QString sensorName(int sensor, const QStringList& names)
{
    const QString given = sensor >= 1 && sensor <= names.size() ? names[sensor - 1] : QString();
    return given.isEmpty() ? QStringLiteral("Sensor %1").arg(sensor) : given;
}

} // namespace

QString what(const JournalEntry& e, const QStringList& sensorNames)
{
    switch (e.kind) {
    case JournalKind::SensorAlarm:
        return sensorName(e.sensor, sensorNames)
            + (e.quantity == AlarmQuantity::OilQuality ? QStringLiteral(" oil quality")
                                                       : QStringLiteral(" temperature"))
            + (e.level == AlarmStage::MainAlarm ? QStringLiteral(" main alarm") : QStringLiteral(" pre-alarm"));
    case JournalKind::AlarmRelay:
        return QStringLiteral("Alarm relay %1").arg(e.relay);
    case JournalKind::EvaluatorLost:
        return QStringLiteral("Evaluator lost");
    case JournalKind::MeasurementStopped:
        return QStringLiteral("Measurement stopped");
    case JournalKind::LoggerNotRunning:
        return QStringLiteral("Logger not running");
    }
    return QString();
}

QString remarks(const JournalEntry& e)
{
    QStringList r;
    if (e.beganBefore)
        r << QStringLiteral("began before the range");
    if (e.carried)
        r << QStringLiteral("carried over a restart");
    if (e.open) {
        const bool alarm = e.kind == JournalKind::SensorAlarm || e.kind == JournalKind::AlarmRelay;
        r << (alarm ? QStringLiteral("still on at the range's end")
              : e.kind == JournalKind::EvaluatorLost ? QStringLiteral("still lost at the range's end")
                                                     : QStringLiteral("still stopped at the range's end"));
    }
    if (e.endedByStop)
        r << QStringLiteral("ended by the stop");
    if (e.endedWithLogger)
        r << QStringLiteral("the logger ended");
    if (e.unrecorded)
        r << QStringLiteral("no stop recorded: the logger began anew");
    if (e.programEnded)
        r << QStringLiteral("the program was closed");
    return r.join(QStringLiteral("; "));
}

QString duration(int64_t seconds)
{
    seconds = std::max<int64_t>(seconds, 0);
    const int64_t days = seconds / 86400;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                              .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return days > 0 ? QStringLiteral("%1 d ").arg(days) + clock : clock;
}

QByteArray kindName(JournalKind kind)
{
    switch (kind) {
    case JournalKind::SensorAlarm:
        return "sensor_alarm";
    case JournalKind::AlarmRelay:
        return "alarm_relay";
    case JournalKind::EvaluatorLost:
        return "evaluator_lost";
    case JournalKind::MeasurementStopped:
        return "measurement_stopped";
    case JournalKind::LoggerNotRunning:
        return "logger_not_running";
    }
    return QByteArray();
}

QByteArray quantityName(AlarmQuantity quantity)
{
    return quantity == AlarmQuantity::OilQuality ? "oil_quality"
        : quantity == AlarmQuantity::Temperature ? "temperature"
                                                 : QByteArray();
}

QByteArray levelName(AlarmStage level)
{
    return level == AlarmStage::PreAlarm ? "pre_alarm" : level == AlarmStage::MainAlarm ? "main_alarm" : QByteArray();
}

} // namespace JournalText
