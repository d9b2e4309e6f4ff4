#include "core/GaugeLooks.h"

#include "core/Colours.h"

namespace GaugeLooks {
namespace {

using namespace Colours;

const Sections Keep{};
const Sections OilQualityBands{4, 4, {0, 13, 17, 22}, 4, {Violet, Green, Yellow, Red}};
const Sections LossFactorBands{5, 4, {-7, 25, 31, 60}, 4, {Red, Green, Yellow, Red}};
const Sections SilverBand{0, 0, {}, 1, {Silver}};

const Look Looks[ValueCount] = {
    {"Oil Quality", "Oil Quality", "", Black, 0, -2.0, 1, 1, 1, OilQualityBands},
    {"Oil Temperature", "Oil Temperature", "\u00B0C", BlueGreen, 3, -10.0, 10, 10, 2, SilverBand},
    {"Loss factor %", "Loss factor %", "%", Black, 0, -20.0, 10, 10, 3, LossFactorBands},
    {"TDN number", "TDN number / 10", "", Black, 0, 0.0, 10, 1, 4, Keep},
    {"Ambient Temperature", "Ambient Temperature", "\u00B0C", DarkBlueGreen, 3, -10.0, 10, 10, 2, SilverBand},
};

const Sections TrafficLight{5, 4, {280, 400, 1040, 1120}, 5, {Red, Yellow, Green, Yellow, Red}};

const Scale ScaleOptions[4] = {
    {22.0, 11, 4, {4, 4, {0.0, 13.0, 17.0, 22.0}, 4, {Violet, Green, Yellow, Red}}},
    {150.0, 17, 3, {1, 1, {150.0}, 1, {Silver}}},
    {250.0, 10, 5, {5, 4, {-7.0, 25.0, 31.0, 60.0}, 4, {Red, Green, Yellow, Red}}},
    {1200.0, 11, 4, TrafficLight},
};

const Scale Start{1200.0, 11, 6, TrafficLight};
const Scale Unload{150.0, 7, 4, SilverBand};

} // namespace

const Look* forValue(int value)
{
    return value >= 1 && value <= ValueCount ? &Looks[value - 1] : nullptr;
}

const Scale* scaleOption(int index)
{
    return index >= 1 && index <= 4 ? &ScaleOptions[index - 1] : nullptr;
}

const Scale& startScale()
{
    return Start;
}

const Scale& unloadScale()
{
    return Unload;
}

} // namespace GaugeLooks
