#include "display/DisplayCycle.h"

#include "core/GaugeLooks.h"
#include "display/ChartHandlers.h"
#include "display/GaugeSetup.h"
#include "display/MainControls.h"
#include "link/MeasurementState.h"
#include "platform/ILinearGauge.h"
#include "chart/IStripChart.h"
#include "core/NumberText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>


DisplayCycle::DisplayCycle(MainControls& controls, const MeasurementState& state, ChartHandlers* scales,
                           QObject* parent)
    : QObject(parent)
    , c_(controls)
    , state_(state)
    , scales_(scales)
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
            const GaugeLooks::Look& look = *GaugeLooks::forValue(k);
            const double chartValue = measured ? stored / look.chartDivisor : std::nan("");
            if (chart)
                chart->SetChannelValue(ChartHandlers::liveChannel(s, k), -1, chartValue);

            QRadioButton* option = c_.OptionDisplayGauge[k];
            if (!option || !option->isChecked()) {
                gaugeScaleSet[k] = false;
                continue;
            }
            showOnGauge(s, k, stored);
            GaugeSetup::showValue(c_, k);
            if (!gaugeScaleSet[k]) {
                if (scales_)
                    scales_->selectScaleGauge(look.scaleOption);
                gaugeScaleSet[k] = true;
            }
        }
    }

    if (chart)
        chart->EndRow();
    emit ticked();
}

void DisplayCycle::showOnGauge(int sensor, int value, double stored)
{
    const GaugeLooks::Look& look = *GaugeLooks::forValue(value);
    const double shown = stored / look.gaugeDivisor;
    if (ILinearGauge* gauge = c_.iLinearGaugeX1[sensor - 1]) {
        GaugeSetup::applyLook(*gauge, look);
        GaugeSetup::position(gauge, shown);
    }
    if (QLineEdit* text = c_.TextGauge[sensor - 1])
        text->setText(look.gaugeDivisor == 1 ? NumberText::general(stored) : NumberText::oneDecimal(shown));
}
