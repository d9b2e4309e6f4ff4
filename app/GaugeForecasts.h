#pragma once
// Where the gauges' value is heading, at the foot of each gauge: the next
// level the value the gauges show will reach ("Pre-alarm in ~23 d"), in the
// level's colour, with the dates, the slope and the window in its tooltip.
// Shown while the gauges show live values; cleared in file mode.
#include <QObject>

class ForecastWatcher;
struct MainWidgets;
struct PlaybackState;

class GaugeForecasts final : public QObject {
    Q_OBJECT
public:
    GaugeForecasts(MainWidgets& widgets, const ForecastWatcher& watcher, const PlaybackState& playback,
                   QObject* parent = nullptr);

    // Follows the watcher's results and the gauge value options.
    void connectControls();
    // Brings the gauges' notes up to date.
    void show();

private:
    int shownValue() const;

    MainWidgets& w_;
    const ForecastWatcher& watcher_;
    const PlaybackState& playback_;
};
