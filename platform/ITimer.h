#pragma once
#include <functional>

// A repeating timer of the user-interface thread (display timer, watchdog,
// blink timer). onTimeout runs on every expiry while enabled.
// Disabling and enabling again restarts the count.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

    std::function<void()> onTimeout;
};
