#include "display/LampColours.h"

#include "display/MainControls.h"
#include "platform/ILamp.h"

#include <initializer_list>

namespace LampColours {
namespace {
void colour(ILamp* lamp, uint32_t lit, uint32_t unlit)
{
    if (!lamp)
        return;
    lamp->SetActiveColor(lit);
    lamp->SetInactiveColor(unlit);
}
} // namespace

void apply(MainControls& c)
{
    colour(c.LED_Alarm, AlarmLit, AlarmUnlit);
    colour(c.LED_Prealarm, AlarmLit, AlarmUnlit);
    for (int i = 0; i < 6; ++i) {
        colour(c.oled_palm[i], PreAlarmLit, PreAlarmUnlit);
        colour(c.tled_palm[i], PreAlarmLit, PreAlarmUnlit);
        colour(c.oled_malm[i], AlarmLit, AlarmUnlit);
        colour(c.tled_malm[i], AlarmLit, AlarmUnlit);
    }
    colour(c.iLedRectangleX1, PreAlarmLit, PreAlarmUnlit);
    colour(c.iLedRectangleX2, AlarmLit, AlarmUnlit);
    for (ILamp* legend : {c.iLedRectangleX1, c.iLedRectangleX2})
        if (legend)
            legend->SetActive(true);
    // The sensors' colour bars are a legend too: always lit, in the colour
    // the start-up gives them.
    for (ILamp* legend : c.iLedRectangleXl)
        if (legend)
            legend->SetActive(true);
}
} // namespace LampColours
