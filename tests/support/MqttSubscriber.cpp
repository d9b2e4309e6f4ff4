#include "support/MqttSubscriber.h"

#include "support/ProgramProcess.h"

#include <QFile>
#include <chrono>
#include <mosquitto.h>

MqttSubscriber::MqttSubscriber(const QString& clientId, bool persistentSession)
    : id_(clientId.toUtf8()), clean_(!persistentSession)
{
    mosquitto_lib_init();
}

MqttSubscriber::~MqttSubscriber()
{
    stop();
}

bool MqttSubscriber::start(int port, const QString& user, const QString& password, const QString& caFile)
{
    port_ = port;
    user_ = user.toUtf8();
    password_ = password.toUtf8();
    caFile_ = QFile::encodeName(caFile);
    thread_ = std::thread([this] { run(); });
    return waitUntil([this] { return subscriptions() > 0; }, 10000);
}

void MqttSubscriber::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
}

void MqttSubscriber::run()
{
    while (!stopping_) {
        mosquitto* m = mosquitto_new(id_.constData(), clean_, this);
        mosquitto_connect_callback_set(m, &MqttSubscriber::onConnect);
        mosquitto_subscribe_callback_set(m, &MqttSubscriber::onSubscribe);
        mosquitto_message_callback_set(m, &MqttSubscriber::onMessage);
        mosquitto_username_pw_set(m, user_.constData(), password_.constData());
        if (!caFile_.isEmpty())
            mosquitto_tls_set(m, caFile_.constData(), nullptr, nullptr, nullptr, nullptr);
        if (mosquitto_connect(m, caFile_.isEmpty() ? "127.0.0.1" : "localhost", port_, 10) == MOSQ_ERR_SUCCESS) {
            while (!stopping_ && mosquitto_loop(m, 50, 1) == MOSQ_ERR_SUCCESS) {
            }
            if (stopping_) {
                mosquitto_disconnect(m);
                mosquitto_loop(m, 50, 1);
            }
        }
        mosquitto_destroy(m);
        if (!stopping_)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
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
