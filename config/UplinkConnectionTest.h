#pragma once
#include "config/UplinkSettings.h"

#include <QObject>

class IMqttClient;

// The uplink dialog's connection test: one connect to the broker with the
// settings as typed, and the answer in words. It uses a client of its own,
// so the running uplink is not disturbed.
class UplinkConnectionTest final : public QObject {
    Q_OBJECT
public:
    explicit UplinkConnectionTest(IMqttClient& client, QObject* parent = nullptr);

    // Starts a test; one still running is given up. Answers with finished().
    void run(const UplinkSettings& settings);
    void cancel();
    bool running() const { return running_; }

signals:
    void finished(bool connected, const QString& text);

private:
    void onConnected();
    void onClosed(const QString& reason);

    IMqttClient& client_;
    QString where_;
    bool running_ = false;
};
