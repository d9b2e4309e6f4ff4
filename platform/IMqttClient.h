#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// Where and how to reach an MQTT broker.
struct MqttConnection {
    QString host;
    int port = 1883;
    QString user;     // empty: no user name and no password are sent
    QString password;
    bool tls = false;
    QString caFile;   // with tls: the certificate authorities to trust; empty: the system's
    QString clientId;
    // Sent by the broker on our behalf when the connection breaks.
    QByteArray willTopic;
    QByteArray willPayload;
    // How long a broker may take to answer a connect, and the keep-alive:
    // a broker that falls silent is given up after about 1.5 of these.
    int answerSeconds = 10;
    int keepAliveSeconds = 10;
};

// One message to publish with QoS 1. The tag is the caller's: it comes back
// in acknowledged() once the broker has the message.
struct MqttMessage {
    quint64 tag = 0;
    QByteArray topic;
    QByteArray payload;
    bool retain = false;
};

// A client of one MQTT broker at a time. Every call returns at once: name
// look-ups, connects, the TLS handshake and the waiting all happen
// elsewhere, so an unreachable or silent broker never holds the caller up.
// Signals arrive on the thread that owns the client.
class IMqttClient : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~IMqttClient() override = default;

    // Starts a session, ending the one before (its acknowledgements that
    // are still on their way are dropped). Answers with connected() or with
    // closed().
    virtual void open(const MqttConnection& connection) = 0;
    // Ends the session: `lastWords` (if it has a topic) is published first,
    // then the client says goodbye. No signal follows.
    virtual void close(const MqttMessage& lastWords = {}) = 0;
    // QoS 1, in order. Only meaningful between connected() and closed();
    // messages of a session that ends are never acknowledged.
    virtual void publish(const QList<MqttMessage>& messages) = 0;

signals:
    void connected();
    // The session ended without close(): refused, not reachable, silent or
    // lost, in words for the user.
    void closed(const QString& reason);
    void acknowledged(const QList<quint64>& tags);
};
