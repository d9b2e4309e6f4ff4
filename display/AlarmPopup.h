#pragma once
#include <QPointer>
#include <functional>
#include <memory>

class FrmAlert;
class IEventSink;
class IInfoLog;
class ISound;
class ITimer;
class QWidget;

// Loads the alarm pop-up on first use and keeps it while it is shown: a new
// relay edge while it is open only makes that relay's label visible; once it
// has been confirmed, the next edge loads a fresh window.
class AlarmPopup {
public:
    // makeTimer supplies the blink timer of each new window.
    AlarmPopup(IInfoLog* info, IEventSink* events, ISound* sound,
               std::function<std::unique_ptr<ITimer>()> makeTimer, QWidget* parent = nullptr);
    ~AlarmPopup();

    // Alarm relay 1 (main) or 2 (pre-alarm) switched on.
    void open(int relay);

    // The window while it is shown, else null.
    FrmAlert* window() const { return window_; }

private:
    IInfoLog* info_;
    IEventSink* events_;
    ISound* sound_;
    std::function<std::unique_ptr<ITimer>()> makeTimer_;
    QWidget* parent_;
    QPointer<FrmAlert> window_;
};
