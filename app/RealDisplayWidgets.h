#pragma once
#include "app/DisplayWidgetFactory.h"

class IClock;
class StripChartWidget;

// The program's own chart, gauges, lamps and Qt timers. The chart made is
// also handed to `madeChart` when given (benchmarks time its paints).
DisplayWidgetFactory realDisplayWidgets(const IClock& clock, StripChartWidget** madeChart = nullptr);
