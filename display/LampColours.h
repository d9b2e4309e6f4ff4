#pragma once
#include <cstdint>

struct MainControls;

// The lit and unlit colours of the relay, alarm and legend lamps. Alarm
// lamps light red, pre-alarm lamps orange; unlit, each shows a dark shade of
// its colour, so an unlit alarm lamp never looks like a lit ready lamp. The
// ready lamps keep the lamp's own green. The legend lamps stay lit: they name
// the colours.
namespace LampColours {
constexpr uint32_t AlarmLit = 0x0000FF;      // red
constexpr uint32_t AlarmUnlit = 0x000080;    // maroon
constexpr uint32_t PreAlarmLit = 0x0080FF;   // orange
constexpr uint32_t PreAlarmUnlit = 0x003060; // dark orange

// Gives every lamp of the window its colours; a missing lamp is skipped.
void apply(MainControls& controls);
} // namespace LampColours
