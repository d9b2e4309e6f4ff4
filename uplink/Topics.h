#pragma once
#include <QByteArray>
#include <QString>

// The uplink's topics: veltra/<installation>/record, event, parameters and
// status.
namespace Topics {

// The installation name as one topic level: the MQTT wildcards and the
// level separator ('+', '#', '/') and control characters become '_', so a
// typed name can neither subscribe nor publish across installations; an
// empty name becomes "_".
QString installationLevel(QString installation);

struct Set {
    explicit Set(const QString& installation);
    QByteArray record;
    QByteArray event;
    QByteArray parameters;
    QByteArray status;
};

} // namespace Topics
