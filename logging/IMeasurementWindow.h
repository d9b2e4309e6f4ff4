#pragma once
#include <QString>

// What the measurement control needs from the main window beyond the port,
// the display timer and the chart. The main window implements it.
class IMeasurementWindow {
public:
    virtual ~IMeasurementWindow() = default;

    // The Start/Stop menu item's caption, "Start" or "Stop".
    virtual void setStartStopCaption(const QString& caption) = 0;
    // Enables or disables the menus "File", "Setup" and the item "Load".
    virtual void setMenusEnabled(bool enabled) = 0;

    // Playback: a stored logfile is shown; ask a running load to stop.
    virtual bool fileMode() const = 0;
    virtual void requestStopLoading() = 0;

    // Re-applies the selected time span of the chart (the X scale option
    // handler with index 1).
    virtual void applyTimeScale() = 0;

    virtual void startWatchdog() = 0;
    virtual void stopWatchdog() = 0;

    // Ends the program (after the exit routine has closed port and logfile).
    virtual void endProgram() = 0;
};
