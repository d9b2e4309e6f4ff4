#pragma once
#include <functional>

class ChartHandlers;
struct MainControls;
struct MeasurementState;

// One display tick: the latest sensor values onto the chart (one row), the
// selected value onto the gauges and readouts, then the relay and alarm
// tracking. Every step stands alone; a missing control is skipped.
class DisplayCycle {
public:
    // scales applies a gauge scale option (ChartHandlers::selectScaleGauge);
    // track runs the relay and alarm tracking at the end of each tick.
    DisplayCycle(MainControls& controls, const MeasurementState& state, ChartHandlers* scales,
                 std::function<void()> track);

    // The TimerDisplay tick.
    void TimerDisplay_Timer();

    // Element k (1..5) is true while value k is on the gauges and its default
    // scale has been applied.
    bool gaugeScaleSet[6] = {};

private:
    void showOnGauge(int sensor, int value, double stored);

    MainControls& c_;
    const MeasurementState& state_;
    ChartHandlers* scales_;
    std::function<void()> track_;
};
