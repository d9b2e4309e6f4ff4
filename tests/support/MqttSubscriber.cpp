#include "support/MqttSubscriber.h"

#include "support/ProgramProcess.h"

#include <QFile>
#include <mosquitto.h>

MqttSubscriber::MqttSubscriber(const QString& clientId, bool persistentSession)
{
    mosquitto_lib_init();
    mosq_ = mosquitto_new(clientId.toUtf8().constData(), !persistentSession, this);
    mosquitto_connect_callback_set(mosq_, &MqttSubscriber::onConnect);
    mosquitto_subscribe_callback_set(mosq_, &MqttSubscriber::onSubscribe);
    mosquitto_message_callback_set(mosq_, &MqttSubscriber::onMessage);
    mosquitto_reconnect_delay_set(mosq_, 1, 1, false);
}

MqttSubscriber::~MqttSubscriber()
{
    stop();
    mosquitto_destroy(mosq_);
}

bool MqttSubscriber::start(int port, const QString& user, const QString& password, const QString& caFile)
{
    mosquitto_username_pw_set(mosq_, user.toUtf8().constData(), password.toUtf8().constData());
    if (!caFile.isEmpty())
        mosquitto_tls_set(mosq_, QFile::encodeName(caFile).constData(), nullptr, nullptr, nullptr, nullptr);
    const char* host = caFile.isEmpty() ? "127.0.0.1" : "localhost";
    if (mosquitto_connect(mosq_, host, port, 10) != MOSQ_ERR_SUCCESS || mosquitto_loop_start(mosq_) != MOSQ_ERR_SUCCESS)
        return false;
    return waitUntil([this] { return subscriptions() > 0; }, 10000);
}

void MqttSubscriber::stop()
{
    mosquitto_disconnect(mosq_);
    mosquitto_loop_stop(mosq_, false);
}

void MqttSubscriber::onConnect(mosquitto* mosq, void*, int rc)
{
    if (rc == 0)
        mosquitto_subscribe(mosq, nullptr, "veltra/#", 1);
}

void MqttSubscriber::onSubscribe(mosquitto*, void* self, int, int, const int*)
{
    auto* s = static_cast<MqttSubscriber*>(self);
    std::lock_guard<std::mutex> lock(s->mutex_);
    ++s->subscriptions_;
}

void MqttSubscriber::onMessage(mosquitto*, void* self, const mosquitto_message* m)
{
    auto* s = static_cast<MqttSubscriber*>(self);
    std::lock_guard<std::mutex> lock(s->mutex_);
    s->received_.push_back({QByteArray(m->topic),
                            QByteArray(static_cast<const char*>(m->payload), m->payloadlen), m->retain});
}

std::vector<MqttSubscriber::Received> MqttSubscriber::received() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

size_t MqttSubscriber::count() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_.size();
}

int MqttSubscriber::subscriptions() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return subscriptions_;
}
