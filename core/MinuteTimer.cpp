#include "core/MinuteTimer.h"

#include "core/IClock.h"

MinuteTimer::MinuteTimer(const IClock& clock, QObject* parent) : QObject(parent), clock_(clock)
{
    timer_.setInterval(kDateLookMs);
    connect(&timer_, &QTimer::timeout, this, &MinuteTimer::look);
}

void MinuteTimer::start()
{
    date_ = clock_.now().date();
    sinceFired_.start();
    timer_.start();
}

void MinuteTimer::look()
{
    const QDate today = clock_.now().date();
    if (today == date_ && sinceFired_.elapsed() < kMinuteMs)
        return;
    date_ = today;
    sinceFired_.start();
    emit timeout();
}
