#pragma once
#include "logging/IMeasurementWindow.h"

#include <functional>

struct MainControls;
struct PlaybackState;
class ChartHandlers;
class ITimer;
class PortReopener;

// The main window as the measurement control sees it: the Start/Stop item,
// the menus it locks, the playback flags, the X scale, the watchdog and the
// port reopening that runs exactly as long as the watchdog.
class MeasurementWindow final : public IMeasurementWindow {
public:
    MeasurementWindow(MainControls& controls, PlaybackState& playback, ChartHandlers& chart, ITimer* watchdog,
                      PortReopener* reopener, std::function<void()> endProgram)
        : c_(controls), playback_(playback), chart_(chart), watchdog_(watchdog), reopener_(reopener),
          endProgram_(std::move(endProgram))
    {
    }

    void setStartStopCaption(const QString& caption) override;
    void setMenusEnabled(bool enabled) override;
    bool fileMode() const override;
    void requestStopLoading() override;
    void applyTimeScale() override;
    void startWatchdog() override;
    void stopWatchdog() override;
    void endProgram() override;

private:
    MainControls& c_;
    PlaybackState& playback_;
    ChartHandlers& chart_;
    ITimer* watchdog_;
    PortReopener* reopener_;
    std::function<void()> endProgram_;
};
