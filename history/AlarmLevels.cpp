#include "history/AlarmLevels.h"

#include "core/GaugeLooks.h"
#include "history/Series.h"

namespace AlarmLevels {

namespace {

bool mainHighOn(const ParameterInfo& p)
{
    return p.mainAlarmLevelHigh != MainAlarmHighOff && p.mainAlarmLevelHigh != 0;
}

bool preHighOn(const ParameterInfo& p)
{
    return p.preAlarmLevelHigh != PreAlarmHighOff;
}

void addEvaluatorLevels(int value, const ParameterInfo& p, std::vector<AlarmLevel>& out)
{
    const int side = lowLevelsSide(p);
    const auto add = [&](const QString& name, int raw, int levelSide) {
        AlarmLevel level;
        level.name = name;
        level.value = Series::inUnits(value, raw);
        level.side = levelSide;
        out.push_back(level);
    };
    add(AlarmLevel::preAlarm(), p.preAlarmLevel, side);
    add(AlarmLevel::mainAlarm(), p.mainAlarmLevel, side);
    if (preHighOn(p))
        add(AlarmLevel::preAlarmHigh(), p.preAlarmLevelHigh, +1);
    if (mainHighOn(p))
        add(AlarmLevel::mainAlarmHigh(), p.mainAlarmLevelHigh, +1);
}

// The colour of section i (0-based) as the scale leaves it, false when the
// scale does not set it.
bool colourOf(const GaugeLooks::Sections& s, int i, uint32_t& colour)
{
    if (i >= s.coloursSet)
        return false;
    colour = s.colours[i];
    return true;
}

void addSectionEnds(int value, std::vector<AlarmLevel>& out)
{
    const GaugeLooks::Look* look = GaugeLooks::forValue(value + 1);
    const GaugeLooks::Scale* scale = look ? GaugeLooks::scaleOption(look->scaleOption) : nullptr;
    if (!scale)
        return;
    const GaugeLooks::Sections& s = scale->sections;
    // The gauge's pointer covers positionMin..positionMax in the gauge's
    // unit, which is the readout's.
    for (int i = 0; i < s.endsSet && i + 1 < s.count; ++i) {
        AlarmLevel level;
        level.name = AlarmLevel::sectionEnd();
        level.value = s.ends[i];
        if (level.value <= look->positionMin || level.value >= scale->positionMax
            || !colourOf(s, i, level.colourBelow) || !colourOf(s, i + 1, level.colourAbove)
            || level.colourBelow == level.colourAbove)
            continue;
        out.push_back(level);
    }
}

} // namespace

int lowLevelsSide(const ParameterInfo& p)
{
    if (p.preAlarmLevel < p.mainAlarmLevel)
        return +1;
    if (p.preAlarmLevel > p.mainAlarmLevel)
        return -1;
    return mainHighOn(p) || preHighOn(p) ? -1 : 0;
}

std::vector<AlarmLevel> of(int value, const ParameterInfo* parameters)
{
    std::vector<AlarmLevel> levels;
    if (parameters && value == EvaluatorValue)
        addEvaluatorLevels(value, *parameters, levels);
    addSectionEnds(value, levels);
    return levels;
}

} // namespace AlarmLevels
