#pragma once
// The levels of a value that a forecast looks for: the ends between the
// coloured sections of the value's own gauge scale, and the evaluator's
// alarm levels for the value they belong to.
#include "history/AlarmLevel.h"

#include "core/Record.h"

#include <vector>

namespace AlarmLevels {

// The value (0..4, as Series numbers them) the main and pre-alarm levels of
// the parameter record belong to: oil quality.
//
// The record carries two sets of alarm levels, the temperature's (named so)
// and one without a name; the status word carries two sets of alarm bits,
// temperature main and pre-alarm (0x0400, 0x0800) and oil quality main and
// pre-alarm (0x0100, 0x0200). The unnamed levels are thus those of the oil
// quality alarms, and the record value named oil quality is the one an
// operator reads them against; like every number of the records they are
// raw, so in oil quality's unit as they stand.
constexpr int EvaluatorValue = 0;

// Main alarm level high at this value and pre-alarm level high at this one
// are off. A main alarm level high of 0 is taken as off too: it is what a
// parameter record that never carried the high levels leaves, and a level
// at 0 would put every sound oil into alarm.
constexpr int MainAlarmHighOff = 1300;
constexpr int PreAlarmHighOff = 0;

// The levels of value 0..4: the evaluator's first (pre-alarm, main alarm,
// then the high ones that are on) when `parameters` is given and the value
// is EvaluatorValue, then the section ends of the value's default gauge
// scale, upwards. An end counts when it lies inside the scale and the
// sections either side of it are given different colours by the scale.
std::vector<AlarmLevel> of(int value, const ParameterInfo* parameters);

// The side of the main and pre-alarm levels: above when the pre-alarm comes
// first on the way up, below when it comes first on the way down; below
// when they are equal and high levels are on (those are the upper ones),
// else on neither side.
int lowLevelsSide(const ParameterInfo& parameters);

} // namespace AlarmLevels
