#pragma once
#include <QString>

// A window that shows how far a long job has come, with a "Stop" button.
// The job runs in steps on the event loop and asks stopRequested() between
// them; the window never stops anything itself.
class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    // Shows `text` at 0 %; an open window starts again with the new text.
    virtual void open(const QString& text) = 0;
    // 0..100. May run pending window events (a click on "Stop" among them),
    // so call it between steps, never inside one.
    virtual void setPercent(int percent) = 0;
    // "Stop" was clicked since open().
    virtual bool stopRequested() const = 0;
    virtual void close() = 0;
};
