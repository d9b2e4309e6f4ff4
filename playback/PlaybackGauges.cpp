#include "playback/PlaybackController.h"

#include "playback/ControlAccess.h"
#include "playback/PlaybackGaugeLooks.h"

#include <QGroupBox>
#include <QRadioButton>

void PlaybackController::SetupPlaybackGauges(int value)
{
    const PlaybackGaugeLooks::Look* look = PlaybackGaugeLooks::forValue(value);
    if (!look)
        return;
    if (c_.OptionDisplayGauge[value])
        c_.OptionDisplayGauge[value]->setChecked(true);
    for (int g = 0; g < 6; ++g) {
        if (ILinearGauge* gauge = c_.iLinearGaugeX1[g]) {
            gauge->SetScaleColor(look->colour);
            gauge->SetPointerStyle(look->style);
            gauge->SetPositionMin(look->positionMin);
            if (look->sectionCount > 0) {
                gauge->SetSectionCount(look->sectionCount);
                for (int e = 1; e <= 4; ++e)
                    gauge->SetSectionEnd(e, look->sectionEnd[e - 1]);
            }
            for (int i = 1; i <= look->sectionColourCount; ++i)
                gauge->SetSectionColor(i, look->sectionColour[i - 1]);
        }
        if (c_.Frame3 && c_.OptionDisplayGauge[value])
            c_.Frame3->setTitle(c_.OptionDisplayGauge[value]->text());
        if (!state_.valueScaleChosen[value]) {
            selectScaleGauge(look->scaleOption);
            state_.valueScaleChosen[value] = true;
        }
    }
}
