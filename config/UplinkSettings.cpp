#include "config/UplinkSettings.h"

#include "config/RdWrConfig.h"
#include "platform/IMqttClient.h"

#include <QFileInfo>

namespace {

const QString HostKey = QStringLiteral("MQTT_HOST");
const QString PortKey = QStringLiteral("MQTT_PORT");
const QString UserKey = QStringLiteral("MQTT_USER");
const QString PasswordKey = QStringLiteral("MQTT_PASSWORD");
const QString TlsKey = QStringLiteral("MQTT_TLS");
const QString CaFileKey = QStringLiteral("MQTT_CAFILE");

int portFrom(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? port : 0;
}

} // namespace

UplinkSettings UplinkSettings::read(RdWrConfig& store, const QString& file)
{
    UplinkSettings s;
    s.host = store.GetConfigValue(file, HostKey).trimmed();
    s.port = portFrom(store.GetConfigValue(file, PortKey));
    s.user = store.GetConfigValue(file, UserKey);
    s.password = store.GetConfigValue(file, PasswordKey);
    s.tls = store.GetConfigValue(file, TlsKey).trimmed() == QLatin1String("1");
    s.caFile = store.GetConfigValue(file, CaFileKey);
    return s;
}

bool UplinkSettings::write(RdWrConfig& store, const QString& file) const
{
    const QString values[6][2] = {
        {HostKey, host},
        {PortKey, port > 0 ? QString::number(port) : QString()},
        {UserKey, user},
        {PasswordKey, password},
        {TlsKey, tls ? QStringLiteral("1") : QStringLiteral("0")},
        {CaFileKey, caFile},
    };
    for (const auto& value : values)
        if (!store.SetConfigValue(file, value[0], value[1]))
            return false;
    return true;
}

QString UplinkSettings::problem() const
{
    const QString fields[4][2] = {{QStringLiteral("The broker's host"), host},
                                  {QStringLiteral("The user name"), user},
                                  {QStringLiteral("The password"), password},
                                  {QStringLiteral("The CA file's name"), caFile}};
    for (const auto& field : fields)
        if (field[1].size() > RdWrConfig::MaxValueLength)
            return QStringLiteral("%1 is longer than %2 characters; the configuration would keep only those.")
                .arg(field[0])
                .arg(RdWrConfig::MaxValueLength);
    if (host.contains(QLatin1Char(' ')))
        return QStringLiteral("The broker's host must not contain blanks.");
    if (tls && !caFile.isEmpty() && !QFileInfo(caFile).isReadable())
        return QStringLiteral("The CA file %1 cannot be read.").arg(caFile);
    return QString();
}

MqttConnection UplinkSettings::connection(const QString& clientId) const
{
    MqttConnection c;
    c.host = host;
    c.port = portInUse();
    c.user = user;
    c.password = password;
    c.tls = tls;
    c.caFile = caFile;
    c.clientId = clientId;
    return c;
}
