#include "display/DisplayCycle.h"

#include "display/ChartHandlers.h"
#include "display/MainControls.h"
#include "link/MeasurementState.h"
#include "platform/ILinearGauge.h"
#include "platform/IStripChart.h"
#include "platform/NumberText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace {
// How each value appears on the gauges.
struct GaugeLook {
    uint32_t scaleColour;
    int pointerStyle;
    double positionMin;
    bool tenths;       // the gauge shows the stored number / 10
    int defaultScale;  // gauge scale option applied when the value is chosen
};
const GaugeLook Looks[6] = {
    {},
    {0x000000, 0, -2.0, false, 1},
    {0xC0C000, 3, -10.0, true, 2},
    {0x000000, 0, -20.0, true, 3},
    {0x000000, 0, 0.0, false, 4},
    {0x808000, 3, -10.0, true, 2},
};
} // namespace

DisplayCycle::DisplayCycle(MainControls& controls, const MeasurementState& state, ChartHandlers* scales,
                           std::function<void()> track)
    : c_(controls)
    , state_(state)
    , scales_(scales)
    , track_(std::move(track))
{
}

void DisplayCycle::TimerDisplay_Timer()
{
    IStripChart* chart = c_.iStripChartX1;
    if (chart) {
        chart->BeginRow();
        chart->AddRowNow();
    }

    const int n = state_.sensorCountKnown ? std::clamp<int>(state_.sensorCount, 0, 6) : 6;
    // Without the evaluator the table holds no readings (the watchdog zeroed
    // it): the chart shows a gap rather than zeros that look measured.
    const bool measured = state_.evaluatorConnected;
    for (int s = 1; s <= n; ++s) {
        for (int k = 1; k <= 5; ++k) {
            const double stored = state_.value(s, k);
            // The TDN number goes onto the chart in tenths to fit its range.
            const double chartValue = !measured ? std::nan("") : k == 1 ? stored : stored / 10.0;
            if (chart)
                chart->SetChannelValue(ChartHandlers::liveChannel(s, k), -1, chartValue);

            QRadioButton* option = c_.OptionDisplayGauge[k];
            if (!option || !option->isChecked()) {
                gaugeScaleSet[k] = false;
                continue;
            }
            showOnGauge(s, k, stored);
            if (c_.Frame3)
                c_.Frame3->setTitle(option->text());
            if (!gaugeScaleSet[k]) {
                if (scales_)
                    scales_->selectScaleGauge(Looks[k].defaultScale);
                gaugeScaleSet[k] = true;
            }
        }
    }

    if (chart)
        chart->EndRow();
    if (track_)
        track_();
}

void DisplayCycle::showOnGauge(int sensor, int value, double stored)
{
    const GaugeLook& look = Looks[value];
    const double shown = look.tenths ? stored / 10.0 : stored;
    if (ILinearGauge* gauge = c_.iLinearGaugeX1[sensor - 1]) {
        gauge->SetScaleColor(look.scaleColour);
        gauge->SetPointerStyle(look.pointerStyle);
        gauge->SetPositionMin(look.positionMin);
        gauge->BeginUpdate();
        gauge->SetPosition(shown);
        gauge->EndUpdate();
    }
    if (QLineEdit* text = c_.TextGauge[sensor - 1])
        text->setText(look.tenths ? NumberText::oneDecimal(shown) : NumberText::general(stored));
}
