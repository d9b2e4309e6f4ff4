#include "display/GaugeSetup.h"
#include "playback/ControlAccess.h"
#include "playback/PlaybackController.h"

#include <QGroupBox>
#include <QRadioButton>

void PlaybackController::SetupPlaybackGauges(int value)
{
    const GaugeLooks::Look* look = GaugeLooks::forValue(value);
    if (!look)
        return;
    if (c_.OptionDisplayGauge[value])
        c_.OptionDisplayGauge[value]->setChecked(true);
    for (int g = 0; g < 6; ++g) {
        if (ILinearGauge* gauge = c_.iLinearGaugeX1[g]) {
            GaugeSetup::applyLook(*gauge, *look);
            GaugeSetup::applySections(*gauge, look->playbackSections);
        }
        GaugeSetup::showValue(c_, value);
        if (!state_.valueScaleChosen[value]) {
            selectScaleGauge(look->scaleOption);
            state_.valueScaleChosen[value] = true;
        }
    }
}
