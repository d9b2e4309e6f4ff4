#pragma once
#include "config/UplinkSettings.h"
#include "platform/IMqttClient.h"
#include "uplink/LogfileQueue.h"
#include "uplink/UplinkState.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>

class IClock;
class Payloads;
class QueueStateFile;

// Publishes every line of an installation's data logfiles to the broker,
// at least once and in order, and keeps across outages and restarts where
// the broker's acknowledgements have got to (QueueStateFile, in the
// program's home). Without a saved position it begins with today's file.
//
// At most Window lines are on their way at a time. After a broker outage or
// a lost connection it goes back to the last acknowledged line and sends
// from there, so repeats stay within that window (and the lines acknowledged
// in the last SaveMilliseconds, after a crash of the program). It reads the
// files the writer appends to and never writes them; it runs on the
// user-interface thread, and nothing it does waits for the broker.
class UplinkPublisher final : public QObject {
    Q_OBJECT
public:
    static constexpr int Window = 2000;
    static constexpr int PollMilliseconds = 100;
    static constexpr int SaveMilliseconds = 200;

    UplinkPublisher(IMqttClient& client, const IClock& clock, QString homeDirectory, QObject* parent = nullptr);
    ~UplinkPublisher() override;

    // Publishes the logfiles of `installation` in `logDir` with these
    // settings; off when they name no broker. The same settings again
    // change nothing.
    void configure(const UplinkSettings& settings, const QString& logDir, const QString& installation);
    // Saves the position and says goodbye to the broker ("offline").
    void stop();

    // Reads what the writer appended and sends what the window allows; runs
    // every PollMilliseconds.
    void poll();

    const UplinkState& state() const { return state_; }
    const QueuePosition& acknowledged() const { return acked_; }
    // The waits between attempts to reach the broker: from `first`, doubled
    // after each failure up to `longest`.
    void setRetryDelays(int firstMilliseconds, int longestMilliseconds);
    // How long a broker may take to answer a connect (10 s unless set).
    void setAnswerSeconds(int seconds) { answerSeconds_ = seconds; }

signals:
    void stateChanged(const UplinkState& state);

private:
    struct Sent {
        quint64 tag;
        QueuePosition end;
        bool acknowledged;
    };
    void start(const UplinkSettings& settings, const QString& logDir, const QString& installation);
    void connectNow();
    void onConnected();
    void onClosed(const QString& reason);
    void onAcknowledged(const QList<quint64>& tags);
    void send();
    void saveState();
    void updateState();
    MqttMessage statusMessage(const char* text) const;

    IMqttClient& client_;
    const IClock& clock_;
    QString home_;
    QString configuredAs_; // what configure() was last given, to spot repeats
    MqttConnection connection_;
    std::unique_ptr<LogfileQueue> queue_;
    std::unique_ptr<Payloads> payloads_;
    std::unique_ptr<QueueStateFile> stateFile_;
    std::deque<Sent> sent_;
    quint64 nextTag_ = 1;
    QueuePosition acked_;
    QueuePosition saved_;
    bool connected_ = false;
    int polls_ = 0;
    QTimer pollTimer_;
    QTimer retryTimer_;
    QTimer saveTimer_;
    int firstRetry_ = 500;
    int longestRetry_ = 8000;
    int nextRetry_ = 500;
    int answerSeconds_ = MqttConnection{}.answerSeconds;
    QString reason_; // why the broker cannot be used, until it can
    QString note_;   // why the position could not be saved
    UplinkState state_;
};
