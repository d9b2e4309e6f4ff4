#include "app/GaugeForecasts.h"

#include "app/MainWidgets.h"
#include "core/GaugeLooks.h"
#include "display/LinearGauge.h"
#include "history/ForecastText.h"
#include "history/ForecastWatcher.h"
#include "playback/PlaybackState.h"

#include <QRadioButton>

GaugeForecasts::GaugeForecasts(MainWidgets& widgets, const ForecastWatcher& watcher, const PlaybackState& playback,
                               QObject* parent)
    : QObject(parent), w_(widgets), watcher_(watcher), playback_(playback)
{
}

void GaugeForecasts::connectControls()
{
    connect(&watcher_, &ForecastWatcher::updated, this, &GaugeForecasts::show);
    for (int v = 1; v <= 5; ++v)
        if (QRadioButton* option = w_.controls.OptionDisplayGauge[v])
            connect(option, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    show();
            });
}

int GaugeForecasts::shownValue() const
{
    for (int v = 1; v <= 5; ++v)
        if (w_.controls.OptionDisplayGauge[v] && w_.controls.OptionDisplayGauge[v]->isChecked())
            return v;
    return 0;
}

void GaugeForecasts::show()
{
    const int value = shownValue();
    for (int t = 0; t < 6; ++t) {
        auto* gauge = qobject_cast<LinearGauge*>(w_.gaugeWidget[t]);
        if (!gauge)
            continue;
        const LevelForecast* f = playback_.fileMode || value == 0 ? nullptr : watcher_.of(t + 1, value - 1);
        gauge->setFootnote(f ? ForecastText::shortLine(*f) : QString(), f ? ForecastText::colour(*f) : 0);
        const int decimals = value > 0 ? (GaugeLooks::forValue(value)->gaugeDivisor == 10 ? 1 : 0) : 0;
        gauge->setToolTip(f ? ForecastText::toolTip(*f, decimals) : QString());
    }
}
