#include "app/RealDisplayWidgets.h"

#include "display/LampWidget.h"
#include "display/LinearGauge.h"
#include "chart/StripChartWidget.h"
#include "platform/QtTimer.h"

DisplayWidgetFactory realDisplayWidgets(const IClock& clock, StripChartWidget** madeChart)
{
    DisplayWidgetFactory widgets;
    widgets.makeChart = [&clock, madeChart](QWidget* parent) {
        auto* chart = new StripChartWidget(parent, &clock);
        if (madeChart)
            *madeChart = chart;
        return PlacedWidget<IStripChart>{chart, chart};
    };
    widgets.makeGauge = [](QWidget* parent, int) {
        auto* gauge = new LinearGauge(parent);
        return PlacedWidget<ILinearGauge>{gauge, gauge};
    };
    widgets.makeLamp = [](QWidget* parent, LampShape shape) {
        LampWidget* lamp = shape == LampShape::Round ? static_cast<LampWidget*>(new LedRound(parent))
                                                     : static_cast<LampWidget*>(new LedRectangle(parent));
        return PlacedWidget<ILamp>{lamp, lamp};
    };
    widgets.makeTimer = [] { return std::unique_ptr<ITimer>(new QtTimer); };
    return widgets;
}
