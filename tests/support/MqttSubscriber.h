#pragma once
// A subscriber for the broker tests, on the same client library as the
// logger: subscribes to veltra/# with QoS 1 and keeps what arrives. With a
// persistent session the broker holds the messages for it while it is away
// (and, with the broker's persistence, across a broker killed once the
// session was saved). It reconnects by itself after a broker restart, each
// time with a fresh client, so nothing of a broken connection is carried
// into the next.
#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

struct mosquitto;
struct mosquitto_message;

class MqttSubscriber {
public:
    struct Received {
        QByteArray topic;
        QByteArray payload;
        bool retained;
    };

    MqttSubscriber(const QString& clientId, bool persistentSession);
    ~MqttSubscriber();

    // Connects to 127.0.0.1 (or localhost, with a CA file: TLS) and starts
    // its own thread. Waits until the subscription stands.
    bool start(int port, const QString& user, const QString& password, const QString& caFile = QString());
    void stop();

    std::vector<Received> received() const;
    size_t count() const;
    int subscriptions() const;

private:
    void run();
    static void onConnect(mosquitto*, void* self, int rc);
    static void onSubscribe(mosquitto*, void* self, int, int, const int*);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* message);

    QByteArray id_;
    bool clean_;
    int port_ = 0;
    QByteArray user_, password_, caFile_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<Received> received_;
    int subscriptions_ = 0;
};
