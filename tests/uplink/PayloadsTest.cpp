// What a subscriber reads: topics that stay inside their installation, and
// payloads with the values in their units and the event behind a text.
#include "uplink/Payloads.h"
#include "uplink/QueueStateFile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

QJsonObject payloadOf(const Payloads& payloads, const QByteArray& line, MqttMessage* message = nullptr)
{
    const MqttMessage m = payloads.messageFor(QueuedLine{QStringLiteral("20260211VL_Main_Engine.vlg"), 120, 200, line});
    if (message)
        *message = m;
    return QJsonDocument::fromJson(m.payload).object();
}

TEST(UplinkTopics, InstallationNameCannotReachAnotherInstallationsTopicsOrLeaveTheHome)
{
    EXPECT_EQ(Topics::Set(QStringLiteral("Deck/#/+")).record, QByteArray("veltra/Deck____/record"));
    EXPECT_EQ(Topics::Set(QString()).status, QByteArray("veltra/_/status"));
    EXPECT_EQ(Topics::Set(QStringLiteral("Kessel Ö")).event, QStringLiteral("veltra/Kessel Ö/event").toUtf8());
    const QString state = QueueStateFile::pathFor(QStringLiteral("/home/op"), QStringLiteral("../../etc/x"));
    EXPECT_TRUE(state.startsWith(QStringLiteral("/home/op/uplink_"))) << state.toStdString();
    EXPECT_FALSE(state.mid(9).contains(QLatin1Char('/')));
}

TEST(UplinkPayloads, SensorRecordCarriesItsValuesInTheirUnitsAndItsWords)
{
    const Payloads payloads(QStringLiteral("Main_Engine"));
    MqttMessage m;
    const QJsonObject json =
        payloadOf(payloads, "#02-11-2026 10:34:26 :011E0226001900C800EB0021000300050007", &m);
    EXPECT_EQ(m.topic, QByteArray("veltra/Main_Engine/record"));
    EXPECT_FALSE(m.retain);
    EXPECT_EQ(json.value(QStringLiteral("file")).toString(), QStringLiteral("20260211VL_Main_Engine.vlg"));
    EXPECT_EQ(json.value(QStringLiteral("offset")).toInteger(), 120);
    EXPECT_EQ(json.value(QStringLiteral("sensor")).toInt(), 2);
    EXPECT_EQ(json.value(QStringLiteral("oilQuality")).toDouble(), 30);
    EXPECT_DOUBLE_EQ(json.value(QStringLiteral("oilTemperature")).toDouble(), 55.0);  // 0x0226 tenths
    EXPECT_DOUBLE_EQ(json.value(QStringLiteral("lossFactor")).toDouble(), 2.5);       // 0x0019 tenths of a percent
    EXPECT_EQ(json.value(QStringLiteral("tdnNumber")).toDouble(), 200);
    EXPECT_DOUBLE_EQ(json.value(QStringLiteral("ambientTemperature")).toDouble(), 23.5);
    EXPECT_EQ(json.value(QStringLiteral("statusWord")).toInt(), 0x21);
    EXPECT_EQ(json.value(QStringLiteral("sensorErrorWord")).toInt(), 3);
    EXPECT_EQ(json.value(QStringLiteral("evaluatorErrorWord")).toInt(), 5);
    const QDateTime local(QDate(2026, 2, 11), QTime(10, 34, 26));
    EXPECT_EQ(QDateTime::fromString(json.value(QStringLiteral("time")).toString(), Qt::ISODate), local);
    EXPECT_TRUE(json.value(QStringLiteral("time")).toString().contains(QRegularExpression("[+-]\\d\\d:\\d\\d$")));
}

TEST(UplinkPayloads, InformationLinesNameTheirEventAndParametersAreRetained)
{
    const Payloads payloads(QStringLiteral("Main_Engine"));
    QJsonObject json = payloadOf(payloads, "#02-11-2026 10:34:26 Evaluator connected at Main_Engine !");
    EXPECT_EQ(json.value(QStringLiteral("code")).toInt(), 43);
    EXPECT_FALSE(json.contains(QStringLiteral("sensor")));
    json = payloadOf(payloads, "#02-11-2026 10:40:03 Sensor 2 Oil quality Prealarm ON !");
    EXPECT_EQ(json.value(QStringLiteral("code")).toInt(), 11);
    EXPECT_EQ(json.value(QStringLiteral("sensor")).toInt(), 2);
    json = payloadOf(payloads, "#02-11-2026 10:34:25 lbl_S1 Sensor1");
    EXPECT_EQ(json.value(QStringLiteral("text")).toString(), QStringLiteral("lbl_S1 Sensor1"));
    EXPECT_FALSE(json.contains(QStringLiteral("code")));

    MqttMessage m;
    json = payloadOf(payloads, "#02-11-2026 10:34:27 :8107K31V1.03 2015-100000000000000000123456780203E8012C02BC"
                               "00FA0000000000000000",
                     &m);
    EXPECT_EQ(m.topic, QByteArray("veltra/Main_Engine/parameters"));
    EXPECT_TRUE(m.retain);
    EXPECT_EQ(json.value(QStringLiteral("modelCode")).toString(), QStringLiteral("07K31"));
    EXPECT_EQ(json.value(QStringLiteral("sensorCount")).toInt(), 2);
}

} // namespace
