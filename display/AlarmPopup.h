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
// has been confirmed, the next edge loads a fresh window. Every edge raises
// and activates the window, which stays above the main window (its parent).
class AlarmPopup {
public:
    // makeTimer supplies the blink timer of each new window.
    AlarmPopup(IInfoLog* info, IEventSink* events, ISound* sound,
               std::function<std::unique_ptr<ITimer>()> makeTimer, QWidget* parent = nullptr);
    ~AlarmPopup();

    // Alarm relay 1 (main) or 2 (pre-alarm) switched on.
    void open(int relay);

    // A new window opens over the top of this widget (the chart), below the
    // menu bar and clear of the relay lamps.
    void setAnchor(QWidget* anchor) { anchor_ = anchor; }

    // The program ends: an open window closes without a confirmation, since
    // nobody confirmed it.
    void dismiss();

    // The window while it is shown, else null.
    FrmAlert* window() const;

private:
    void place(FrmAlert& window) const;

    IInfoLog* info_;
    IEventSink* events_;
    ISound* sound_;
    std::function<std::unique_ptr<ITimer>()> makeTimer_;
    QWidget* parent_;
    QPointer<QWidget> anchor_;
    QPointer<FrmAlert> window_;
};
