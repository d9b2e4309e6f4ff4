#pragma once
#include "platform/IMqttClient.h"

#include <QElapsedTimer>
#include <QHash>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class MosquittoClient;
struct mosquitto;

// The thread behind a MosquittoClient: it alone touches the library's
// connection. The client hands it commands through a locked queue; it
// answers through queued calls on the client, for as long as the client is
// there to take them.
class MosquittoWorker : public std::enable_shared_from_this<MosquittoWorker> {
public:
    struct Command {
        enum class Kind { Open, Close, Publish, Quit };
        Kind kind = Kind::Publish;
        int session = 0;
        MqttConnection connection;
        QList<MqttMessage> messages; // Publish; Close: the last words
    };

    explicit MosquittoWorker(MosquittoClient* client);
    ~MosquittoWorker();

    void start();
    void post(Command command);
    // Quits; true when the thread finished within the time and was joined.
    bool quit(int waitMilliseconds);

    // Library callbacks, on the worker thread.
    void onConnect(int rc);
    void onPublish(int mid);

private:
    void run();
    std::deque<Command> take();
    bool handle(Command& command);
    void openSession(const Command& command);
    bool configure(const MqttConnection& c);
    void publishAll(const QList<MqttMessage>& messages);
    void step();
    void closeSession(const QList<MqttMessage>& lastWords);
    void dropSession();
    void endWith(const QString& reason);
    QString where() const;
    void reportAcknowledged();
    template <typename F> void answer(F&& call);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Command> inbox_;
    MosquittoClient* client_; // guarded by mutex_; null once the client is gone
    bool finished_ = false;   // guarded by mutex_
    std::condition_variable finishedCondition_;
    std::thread thread_;

    // The worker thread's own.
    mosquitto* mosq_ = nullptr;
    int session_ = 0;
    MqttConnection connection_;
    bool acknowledgedConnect_ = false;
    QString endReason_; // set by a callback: the session ends after this step
    QElapsedTimer sinceConnect_;
    QHash<int, quint64> tags_; // message id -> caller's tag
    QList<quint64> acknowledged_;
};
