#pragma once
#include <QObject>

class ChartHandlers;
struct MainControls;
struct MeasurementState;

// One display tick: the latest sensor values onto the chart (one row), the
// selected value onto the gauges and readouts, then the relay and alarm
// tracking. Every step stands alone; a missing control is skipped.
class DisplayCycle final : public QObject {
    Q_OBJECT
public:
    // scales applies a gauge scale option (ChartHandlers::selectScaleGauge).
    DisplayCycle(MainControls& controls, const MeasurementState& state, ChartHandlers* scales,
                 QObject* parent = nullptr);

    // The TimerDisplay tick.
    void TimerDisplay_Timer();

    // Element k (1..5) is true while value k is on the gauges and its default
    // scale has been applied.
    bool gaugeScaleSet[6] = {};

signals:
    // The end of every tick, where the relay and alarm tracking runs.
    void ticked();

private:
    void showOnGauge(int sensor, int value, double stored);

    MainControls& c_;
    const MeasurementState& state_;
    ChartHandlers* scales_;
};
