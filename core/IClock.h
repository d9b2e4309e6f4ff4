#pragma once
#include <QDateTime>

// Local date and time. Writers, event texts and the display cycle read the
// time only through this, so tests can run a measurement across midnight.
class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
