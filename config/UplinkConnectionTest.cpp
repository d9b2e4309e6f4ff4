#include "config/UplinkConnectionTest.h"

#include "platform/IMqttClient.h"

#include <QSysInfo>

UplinkConnectionTest::UplinkConnectionTest(IMqttClient& client, QObject* parent) : QObject(parent), client_(client)
{
    connect(&client_, &IMqttClient::connected, this, &UplinkConnectionTest::onConnected);
    connect(&client_, &IMqttClient::closed, this, &UplinkConnectionTest::onClosed);
}

void UplinkConnectionTest::run(const UplinkSettings& settings)
{
    const MqttConnection c = settings.connection(QStringLiteral("veltra-test-") + QSysInfo::machineHostName());
    where_ = c.host + QLatin1Char(':') + QString::number(c.port);
    running_ = true;
    client_.open(c);
}

void UplinkConnectionTest::cancel()
{
    if (running_)
        client_.close();
    running_ = false;
}

void UplinkConnectionTest::onConnected()
{
    if (!running_)
        return;
    running_ = false;
    client_.close();
    emit finished(true, QStringLiteral("The broker at %1 accepted the connection.").arg(where_));
}

void UplinkConnectionTest::onClosed(const QString& reason)
{
    if (!running_)
        return;
    running_ = false;
    emit finished(false, reason);
}
