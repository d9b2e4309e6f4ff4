#include "link/PortReopener.h"

PortReopener::PortReopener(ISerialPort& port, ITimer& timer, QObject* parent)
    : QObject(parent)
    , port_(port)
    , timer_(timer)
{
    timer_.onTimeout = [this] { retry(); };
}

void PortReopener::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled) {
        timer_.setInterval(RetryIntervalMs);
        timer_.setEnabled(true);
    } else {
        timer_.setEnabled(false);
    }
}

void PortReopener::retry()
{
    if (!enabled_ || port_.portOpen())
        return;
    if (port_.reopen())
        emit reopened();
}
