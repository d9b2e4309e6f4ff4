#pragma once
#include <functional>
#include <memory>

class IStripChart;
class ILinearGauge;
class ILamp;
class ITimer;
class QWidget;

// A widget placed on the window together with the interface the logic uses
// to drive it. Both usually point at the same object.
template <class Interface>
struct PlacedWidget {
    QWidget* widget = nullptr;
    Interface* control = nullptr;
};

enum class LampShape { Round, Rectangle };

// Makes the chart, gauges, lamps and timers of the main window. main()
// supplies the real widgets; tests supply recording fakes. Widgets are
// created as children of parent, so Qt owns them.
struct DisplayWidgetFactory {
    std::function<PlacedWidget<IStripChart>(QWidget* parent)> makeChart;
    std::function<PlacedWidget<ILinearGauge>(QWidget* parent, int index)> makeGauge;
    std::function<PlacedWidget<ILamp>(QWidget* parent, LampShape shape)> makeLamp;
    std::function<std::unique_ptr<ITimer>()> makeTimer;
};
