#pragma once
// The levels of a value that a forecast looks for: the ends between the
// coloured sections of the value's own gauge scale, and the evaluator's
// alarm levels for the value they belong to (EvaluatorValue).
#include "history/AlarmLevel.h"

#include "core/Record.h"

#include <vector>

namespace AlarmLevels {

// The value (0..4, as Series numbers them) the main and pre-alarm levels of
// the parameter record, and their high ones, belong to: the TDN number.
//
// The record carries two sets of alarm levels, the temperature's (named so)
// and one without a name; the status word carries two sets of alarm bits,
// temperature main and pre-alarm (0x0400, 0x0800) and oil quality main and
// pre-alarm (0x0100, 0x0200). The unnamed levels are thus those of the
// oil quality alarms. But they are raw numbers like the records', and the
// record value named oil quality cannot meet them: it is a signed 8-bit
// number (-128..127, its gauge ends at 22), while the main alarm level high
// is off at 1300, a number chosen to lie just beyond a value that reaches
// some 1200. That is the TDN number: 16 bits, its gauge scale ends at 1200,
// and its coloured sections (red below 280, yellow to 400, green to 1040,
// yellow to 1120, red above) are the two-sided scheme of the record, a
// main and a pre-alarm level below and a main and a pre-alarm level high
// above. The oil quality alarms are alarms about the oil's quality, judged
// by its TDN number. (The temperature levels, in tenths of a degree, are the
// oil temperature's; no forecast names them.)
//
// The logfiles can prove it: where a sensor record's oil quality pre-alarm
// bit (0x0200) rose from the record before, the value the levels belong to
// has just passed the pre-alarm level between those two records, and the
// other values show no such thing; the same for the main alarm bit (0x0100)
// and the main alarm level.
constexpr int EvaluatorValue = 3;

// Main alarm level high at this value and pre-alarm level high at this one
// are off. A main alarm level high of 0 is taken as off too: it is what a
// parameter record that never carried the high levels leaves, and a high
// level at 0 would put every sound oil into alarm.
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
