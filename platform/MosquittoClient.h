#pragma once
#include "platform/IMqttClient.h"

#include <memory>

class MosquittoWorker;

// The MQTT client on libmosquitto. Each client has a thread of its own that
// owns the library's connection: it resolves the name, connects, runs the
// TLS handshake and the keep-alive, and publishes what the owner handed it.
// Its answers come back to the owner's thread as queued calls, so no state
// is shared except the hand-over queue.
//
// Destroying the client ends its session politely and waits up to two
// seconds for that; a thread still stuck in a connect by then (a broker
// address that swallows packets) is left to finish on its own.
class MosquittoClient final : public IMqttClient {
    Q_OBJECT
public:
    explicit MosquittoClient(QObject* parent = nullptr);
    ~MosquittoClient() override;

    void open(const MqttConnection& connection) override;
    void close(const MqttMessage& lastWords = {}) override;
    void publish(const QList<MqttMessage>& messages) override;

private:
    friend class MosquittoWorker;
    // From the worker, on this client's thread.
    void deliverConnected(int session);
    void deliverClosed(int session, const QString& reason);
    void deliverAcknowledged(int session, const QList<quint64>& tags);

    std::shared_ptr<MosquittoWorker> worker_;
    int session_ = 0;
};
