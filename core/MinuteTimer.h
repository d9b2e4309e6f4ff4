#pragma once
// Fires once a minute and, besides, within a few seconds of each change of
// the local date (midnight, or the clock set to another day), so the work
// of a day just over need not wait for the minute. Looking at the date
// every few seconds costs next to nothing.
#include <QDate>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class IClock;

class MinuteTimer final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinuteMs = 60000;
    static constexpr int kDateLookMs = 2000;

    explicit MinuteTimer(const IClock& clock, QObject* parent = nullptr);

    // The first firing comes a minute from now, or at the next date change.
    void start();
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

signals:
    void timeout();

private:
    void look();

    const IClock& clock_;
    QTimer timer_;
    QElapsedTimer sinceFired_;
    QDate date_;
};
