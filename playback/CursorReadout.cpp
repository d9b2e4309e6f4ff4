#include "display/GaugeSetup.h"
#include "chart/StripChartTime.h"
#include "link/MeasurementState.h"
#include "chart/Colour.h"
#include "chart/IStripChart.h"
#include "core/NumberText.h"
#include "playback/ControlAccess.h"
#include "playback/PlaybackController.h"

#include <QDebug>
#include <QGroupBox>
#include <QRadioButton>
#include <cmath>

namespace {

// A chart row holds the values of one sensor only; the other sensors' values
// at the cursor are those of their latest row at or before it.
constexpr int64_t LookBackRows = 64;

double valueAtOrBefore(const IStripChart& chart, int64_t index, int channel)
{
    for (int64_t i = index; i >= 0 && i > index - LookBackRows; --i) {
        const double v = chart.ChannelValueAt(i, channel);
        if (!std::isnan(v))
            return v;
    }
    return std::nan("");
}

// The gauges show a value in their own unit: the TDN number, plotted in
// tenths, as the whole number it is. The chart keeps single-precision values,
// so a whole number is read back rounded.
double gaugeValue(int value, double chartValue)
{
    const GaugeLooks::Look& look = *GaugeLooks::forValue(value);
    if (look.chartDivisor == look.gaugeDivisor)
        return chartValue;
    const double inGaugeUnit = chartValue * look.chartDivisor / look.gaugeDivisor;
    return look.gaugeDivisor == 1 ? std::round(inGaugeUnit) : inGaugeUnit;
}

// Whole numbers in the general number form, tenths with one decimal.
QString readoutText(int value, double shown)
{
    return GaugeLooks::forValue(value)->gaugeDivisor == 1 ? NumberText::general(shown)
                                                          : NumberText::oneDecimal(shown);
}

} // namespace

void PlaybackController::connectChart()
{
    if (!c_.iStripChartX1)
        return;
    c_.iStripChartX1->onCursorChange = [this] { iStripChartX1_CursorChange(); };
    c_.iStripChartX1->onToggle = [this] { iStripChartX1_Toggle(); };
}

void PlaybackController::iStripChartX1_CursorChange()
{
    if (state_.cursorReadout != 1 || !c_.iStripChartX1)
        return;
    const int64_t index = c_.iStripChartX1->CursorIndex();
    if (index < 0)
        return;
    ShowCursorValues(index);
    qDebug().noquote() << QStringLiteral("cursor: ") + QString::number(index) + QLatin1Char(' ')
            + QString::number(c_.iStripChartX1->XValueAt(index), 'g', 17);
}

void PlaybackController::iStripChartX1_Toggle()
{
    if (c_.iStripChartX1)
        c_.iStripChartX1->ToggleCursor();
}

void PlaybackController::ShowCursorValues(int64_t index)
{
    IStripChart* chart = c_.iStripChartX1;
    if (!chart)
        return;
    const PlaybackChannelMap& map = state_.channelMap;
    int selected = 0;
    for (int v = 1; v <= 5; ++v)
        if (c_.OptionDisplayGauge[v] && c_.OptionDisplayGauge[v]->isChecked())
            selected = v;

    // Each shown sensor reads its own channels onto its own gauge.
    for (int s = 1; s <= 6; ++s) {
        if (!map.sensorShown[s])
            continue;
        ILinearGauge* gauge = c_.iLinearGaugeX1[s - 1];
        int slot = 0;
        for (int v = 1; v <= 5; ++v) {
            if (!c_.CheckChartDisplay[v] || !c_.CheckChartDisplay[v]->isEnabled())
                continue;
            const double read = valueAtOrBefore(*chart, index, map.sensorFirstChannel[s] + slot);
            ++slot;
            const bool haveValue = !std::isnan(read);
            if (haveValue)
                state_.cursorValues[s][v] = gaugeValue(v, read);
            if (v != selected) {
                state_.valueScaleChosen[v] = false;
                continue;
            }
            const GaugeLooks::Look* look = GaugeLooks::forValue(v);
            if (gauge)
                GaugeSetup::applyLook(*gauge, *look);
            GaugeSetup::showValue(c_, v);
            if (!state_.valueScaleChosen[v]) {
                selectScaleGauge(look->scaleOption);
                state_.valueScaleChosen[v] = true;
            }
            if (!Controls::ticked(c_.CheckShow[s]))
                continue;
            QLineEdit* text = c_.TextGauge[s - 1];
            if (!haveValue) {
                // Nothing of this quantity at the cursor: no reading, rather
                // than one left over from another value.
                Controls::positionGauge(gauge, look->positionMin);
                Controls::clear(text);
                continue;
            }
            const double shown = state_.cursorValues[s][v];
            Controls::positionGauge(gauge, shown);
            if (text)
                text->setText(readoutText(v, shown));
        }
    }
    // Gauges of sensors the evaluator does not have stay white.
    for (int k = std::max<int>(measurement_.sensorCount, 0); k <= 5; ++k)
        if (map.sensorShown[k + 1] && c_.iLinearGaugeX1[k])
            c_.iLinearGaugeX1[k]->SetScaleColor(Colours::White);
}

QDateTime PlaybackController::get_time(double x)
{
    // Years 100..9999, the range of logfile dates.
    if (!std::isfinite(x) || x < -657434.0 || x > 2958466.0)
        return chartDateTimeFromDays(0);
    return chartDateTimeFromDays(x);
}
