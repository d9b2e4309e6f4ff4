#include "platform/MosquittoWorker.h"

#include "platform/MosquittoClient.h"

#include <QFile>
#include <QMetaObject>

#include <cerrno>
#include <cstring>
#include <mosquitto.h>

namespace {

// How long one turn of the loop waits for the socket: also how soon a
// command handed over is seen.
constexpr int TurnMilliseconds = 10;
// How long a polite goodbye may take.
constexpr int GoodbyeMilliseconds = 500;

void initialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

extern "C" void connectCallback(mosquitto*, void* worker, int rc)
{
    static_cast<MosquittoWorker*>(worker)->onConnect(rc);
}

extern "C" void publishCallback(mosquitto*, void* worker, int mid)
{
    static_cast<MosquittoWorker*>(worker)->onPublish(mid);
}

} // namespace

template <typename F> void MosquittoWorker::answer(F&& call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!client_)
        return;
    MosquittoClient* client = client_;
    QMetaObject::invokeMethod(
        client, [client, call = std::forward<F>(call)]() { call(*client); }, Qt::QueuedConnection);
}

MosquittoWorker::MosquittoWorker(MosquittoClient* client) : client_(client)
{
    initialiseLibrary();
}

MosquittoWorker::~MosquittoWorker()
{
    dropSession();
}

void MosquittoWorker::start()
{
    // The thread keeps the worker alive, should it outlive the client.
    thread_ = std::thread([self = shared_from_this()] { self->run(); });
}

void MosquittoWorker::post(Command command)
{
    std::lock_guard<std::mutex> lock(mutex_);
    inbox_.push_back(std::move(command));
    wake_.notify_one();
}

bool MosquittoWorker::quit(int waitMilliseconds)
{
    std::unique_lock<std::mutex> lock(mutex_);
    client_ = nullptr;
    Command quit;
    quit.kind = Command::Kind::Quit;
    inbox_.push_back(std::move(quit));
    wake_.notify_one();
    const bool done =
        finishedCondition_.wait_for(lock, std::chrono::milliseconds(waitMilliseconds), [this] { return finished_; });
    lock.unlock();
    if (done)
        thread_.join();
    else
        thread_.detach();
    return done;
}

void MosquittoWorker::run()
{
    for (;;) {
        std::deque<Command> commands = take();
        for (Command& command : commands) {
            if (!handle(command)) {
                std::lock_guard<std::mutex> lock(mutex_);
                finished_ = true;
                finishedCondition_.notify_all();
                return;
            }
        }
        if (mosq_)
            step();
    }
}

std::deque<MosquittoWorker::Command> MosquittoWorker::take()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!mosq_)
        wake_.wait(lock, [this] { return !inbox_.empty(); });
    std::deque<Command> commands;
    commands.swap(inbox_);
    return commands;
}

bool MosquittoWorker::handle(Command& command)
{
    switch (command.kind) {
    case Command::Kind::Open:
        dropSession();
        openSession(command);
        return true;
    case Command::Kind::Close:
        closeSession(command.messages);
        return true;
    case Command::Kind::Publish:
        if (mosq_ && command.session == session_)
            publishAll(command.messages);
        return true;
    case Command::Kind::Quit:
        closeSession({});
        return false;
    }
    return true;
}

QString MosquittoWorker::where() const
{
    return connection_.host + QLatin1Char(':') + QString::number(connection_.port);
}

bool MosquittoWorker::configure(const MqttConnection& c)
{
    mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_int_option(mosq_, MOSQ_OPT_TCP_NODELAY, 1);
    // The owner keeps its own window of unacknowledged messages.
    mosquitto_max_inflight_messages_set(mosq_, 0);
    mosquitto_connect_callback_set(mosq_, connectCallback);
    mosquitto_publish_callback_set(mosq_, publishCallback);
    if (!c.user.isEmpty()) {
        const QByteArray password = c.password.toUtf8();
        mosquitto_username_pw_set(mosq_, c.user.toUtf8().constData(), c.password.isEmpty() ? nullptr : password.constData());
    }
    if (!c.willTopic.isEmpty())
        mosquitto_will_set(mosq_, c.willTopic.constData(), int(c.willPayload.size()), c.willPayload.constData(), 1, true);
    if (!c.tls)
        return true;
    const int rc = c.caFile.isEmpty()
        ? mosquitto_int_option(mosq_, MOSQ_OPT_TLS_USE_OS_CERTS, 1)
        : mosquitto_tls_set(mosq_, QFile::encodeName(c.caFile).constData(), nullptr, nullptr, nullptr, nullptr);
    if (rc == MOSQ_ERR_SUCCESS)
        return true;
    endWith(QStringLiteral("the CA file %1 cannot be read").arg(c.caFile));
    return false;
}

void MosquittoWorker::openSession(const Command& command)
{
    session_ = command.session;
    connection_ = command.connection;
    acknowledgedConnect_ = false;
    endReason_.clear();
    const QByteArray id = connection_.clientId.toUtf8();
    mosq_ = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    if (!mosq_) {
        answer([session = session_](MosquittoClient& c) {
            c.deliverClosed(session, QStringLiteral("the MQTT library could not start"));
        });
        return;
    }
    if (!configure(connection_))
        return;
    sinceConnect_.start();
    // Blocks this thread for the name look-up and the TCP connect only; the
    // TLS handshake and the broker's answer come in the loop.
    const int rc = mosquitto_connect(mosq_, connection_.host.toUtf8().constData(), connection_.port,
                                     connection_.keepAliveSeconds);
    const int error = errno;
    if (rc == MOSQ_ERR_SUCCESS)
        return;
    if (rc == MOSQ_ERR_EAI)
        endWith(QStringLiteral("unknown host %1").arg(connection_.host));
    else if (rc == MOSQ_ERR_ERRNO)
        endWith(QStringLiteral("%1 not reachable (%2)").arg(where(), QString::fromLocal8Bit(std::strerror(error))));
    else if (rc == MOSQ_ERR_TLS)
        endWith(QStringLiteral("the TLS connection to %1 failed").arg(where()));
    else
        endWith(QStringLiteral("no connection to %1 (%2)").arg(where(), QString::fromUtf8(mosquitto_strerror(rc))));
}

void MosquittoWorker::publishAll(const QList<MqttMessage>& messages)
{
    for (const MqttMessage& m : messages) {
        int mid = 0;
        const int rc = mosquitto_publish(mosq_, &mid, m.topic.constData(), int(m.payload.size()),
                                         m.payload.constData(), 1, m.retain);
        if (rc != MOSQ_ERR_SUCCESS)
            return; // the loop reports the broken connection
        if (m.tag != 0)
            tags_.insert(mid, m.tag);
    }
}

void MosquittoWorker::step()
{
    const int rc = mosquitto_loop(mosq_, TurnMilliseconds, 1);
    reportAcknowledged();
    if (!endReason_.isEmpty())
        endWith(endReason_);
    else if (rc == MOSQ_ERR_KEEPALIVE)
        endWith(QStringLiteral("the broker at %1 stopped answering").arg(where()));
    else if (rc == MOSQ_ERR_TLS)
        endWith(QStringLiteral("the TLS connection to %1 failed").arg(where()));
    else if (rc != MOSQ_ERR_SUCCESS)
        endWith(QStringLiteral("connection to %1 lost (%2)").arg(where(), QString::fromUtf8(mosquitto_strerror(rc))));
    else if (!acknowledgedConnect_ && sinceConnect_.elapsed() > connection_.answerSeconds * 1000LL)
        endWith(QStringLiteral("the broker at %1 does not answer").arg(where()));
}

void MosquittoWorker::onConnect(int rc)
{
    if (rc != 0) {
        endReason_ = QString::fromUtf8(mosquitto_connack_string(rc));
        return;
    }
    acknowledgedConnect_ = true;
    answer([session = session_](MosquittoClient& c) { c.deliverConnected(session); });
}

void MosquittoWorker::onPublish(int mid)
{
    const auto tag = tags_.find(mid);
    if (tag == tags_.end())
        return;
    acknowledged_.append(tag.value());
    tags_.erase(tag);
}

void MosquittoWorker::reportAcknowledged()
{
    if (acknowledged_.isEmpty())
        return;
    QList<quint64> tags;
    tags.swap(acknowledged_);
    answer([session = session_, tags](MosquittoClient& c) { c.deliverAcknowledged(session, tags); });
}

void MosquittoWorker::closeSession(const QList<MqttMessage>& lastWords)
{
    if (!mosq_)
        return;
    if (acknowledgedConnect_) {
        for (const MqttMessage& m : lastWords)
            mosquitto_publish(mosq_, nullptr, m.topic.constData(), int(m.payload.size()), m.payload.constData(), 1,
                              m.retain);
        mosquitto_disconnect(mosq_);
        QElapsedTimer goodbye;
        goodbye.start();
        while (goodbye.elapsed() < GoodbyeMilliseconds && mosquitto_loop(mosq_, TurnMilliseconds, 1) == MOSQ_ERR_SUCCESS) {
        }
    }
    dropSession();
}

void MosquittoWorker::endWith(const QString& reason)
{
    answer([session = session_, reason](MosquittoClient& c) { c.deliverClosed(session, reason); });
    dropSession();
}

void MosquittoWorker::dropSession()
{
    if (mosq_)
        mosquitto_destroy(mosq_);
    mosq_ = nullptr;
    tags_.clear();
    acknowledged_.clear();
    endReason_.clear();
}
