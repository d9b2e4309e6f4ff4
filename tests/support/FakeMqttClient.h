#pragma once
// An MQTT client the test answers for the broker.
#include "platform/IMqttClient.h"

class FakeMqttClient final : public IMqttClient {
public:
    void open(const MqttConnection& connection) override
    {
        ++opens;
        lastConnection = connection;
    }
    void close(const MqttMessage& words) override
    {
        ++closes;
        lastWords = words;
    }
    void publish(const QList<MqttMessage>& messages) override { published += messages; }

    void accept() { emit connected(); }
    void fail(const QString& reason) { emit closed(reason); }
    // Acknowledges the first `count` published lines not acknowledged yet.
    void acknowledge(qsizetype count = -1)
    {
        QList<quint64> tags;
        for (; nextToAcknowledge < published.size() && count != 0; ++nextToAcknowledge) {
            if (published[nextToAcknowledge].tag != 0) {
                tags << published[nextToAcknowledge].tag;
                --count;
            }
        }
        emit acknowledged(tags);
    }
    // The published messages that carry logfile lines.
    QList<MqttMessage> lines() const
    {
        QList<MqttMessage> out;
        for (const MqttMessage& m : published)
            if (m.tag != 0)
                out << m;
        return out;
    }

    int opens = 0;
    int closes = 0;
    MqttConnection lastConnection;
    MqttMessage lastWords;
    QList<MqttMessage> published;
    qsizetype nextToAcknowledge = 0;
};
