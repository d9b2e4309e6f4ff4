#include "display/ChartHandlers.h"
#include "display/GaugeSetup.h"
#include "display/ModeLabel.h"
#include "chart/Colour.h"
#include "chart/IStripChart.h"
#include "playback/ControlAccess.h"
#include "playback/PlaybackController.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace Controls;

void PlaybackController::MenueFileUnload_Click()
{
    emit fileModeEnding();
    enable(c_.MenueSetup, true);
    state_.fileMode = false;
    restoreSensorColours();
    enableLiveControls();
    showLiveLamps();
    clear(c_.Txt_event);
    state_.cursorReadout = 0;
    showMenu(c_.MenueEva, false);
    resetGaugesForLive();

    emit startUpNeeded();

    for (int s = 1; s <= 6; ++s)
        tick(c_.CheckShow[s], true);
    if (c_.OptionDisplayGauge[4])
        c_.OptionDisplayGauge[4]->setChecked(true);
    selectScaleGauge(4);
    for (int v = 1; v <= 3; ++v)
        state_.valueScaleChosen[v] = false;
    GaugeSetup::showNoValue(c_, QStringLiteral("Sensor Gauges"));
}

void PlaybackController::restoreSensorColours()
{
    for (int s = 1; s <= 6; ++s) {
        if (!c_.iLedRectangleXl[s - 1])
            continue;
        const uint32_t colour = c_.iLedRectangleXl[s - 1]->ActiveColor();
        if (handlers_)
            handlers_->sensorColor[s] = colour;
        if (c_.iLinearGaugeX1[s - 1])
            c_.iLinearGaugeX1[s - 1]->SetScaleColor(colour);
    }
}

void PlaybackController::enableLiveControls()
{
    enable(c_.MenueFileUnload, false);
    enable(c_.MenueSetup, true);
    enable(c_.MenueFileStop, false);
    enable(c_.MenueFileLoad, true);
    enable(c_.MenueStartStop, true);

    enable(c_.Frame_x, true);
    for (int i = 1; i <= 3; ++i)
        enable(c_.OptionScaleX[i], true);
    selectOption(c_.OptionScaleX[1], [this] { if (handlers_) handlers_->OptionScaleX_Click(1); });
    if (c_.iStripChartX1)
        c_.iStripChartX1->SetFileView(false);

    enable(c_.Frame_evames, true);
    enable(c_.cmd_ext, true);
    enable(c_.Frame_comerror, true);
    showMode(c_.Lbl_mode, false);

    // Playback disabled the boxes of values it did not chart; live mode
    // needs all of them again (their ticks stay as the user left them).
    for (int v = 1; v <= 5; ++v) {
        enable(c_.OptionDisplayGauge[v], true);
        enable(c_.CheckChartDisplay[v], true);
    }
}

void PlaybackController::showLiveLamps()
{
    show(c_.Frame_relais, true);
    for (ILamp* lamp : {c_.LED_RDY, c_.LED_Prealarm, c_.LED_Alarm}) {
        show(lamp, true);
        lampOff(lamp);
    }
    for (int i = 0; i < 6; ++i) {
        show(c_.lbl_rdy[i], true);
        show(c_.Lbl_opa[i], true);
        show(c_.Lbl_temp[i], true);
        for (ILamp* lamp : {c_.sled_rdy[i], c_.oled_palm[i], c_.oled_malm[i], c_.tled_palm[i], c_.tled_malm[i]}) {
            show(lamp, true);
            lampOff(lamp);
        }
        show(c_.Lbl_sname[i], true);
        show(c_.gaugeUnit[i], true);
    }
    for (QLabel* label : {c_.Label2, c_.Label4, c_.Label5, c_.Label6, c_.Label7})
        show(label, true);
    show(c_.iLedRectangleX1, true);
    show(c_.iLedRectangleX2, true);
}

void PlaybackController::resetGaugesForLive()
{
    for (int i = 0; i < 6; ++i) {
        if (ILinearGauge* g = c_.iLinearGaugeX1[i]) {
            GaugeSetup::applyScale(*g, GaugeLooks::unloadScale());
            GaugeSetup::setTickColours(*g, Colours::Black);
            g->SetPositionMin(0);
            positionGauge(g, 0);
        }
        enable(c_.TextGauge[i], true);
        clear(c_.TextGauge[i]);
        enable(c_.Label3[i], true);
        enable(c_.CheckShow[i + 1], true);
    }
}
