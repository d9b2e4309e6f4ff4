#pragma once
// How long each sensor's oil quality and temperature were in pre-alarm and
// in main alarm, from journal entries already clipped to a range. A
// pre-alarm the logger held under a main alarm counts as pre-alarm time too,
// as its lamp showed it.
#include "history/JournalEntry.h"

#include <cstdint>
#include <vector>

struct AlarmTimes {
    // Seconds, by sensor 1..6 at 0..5.
    int64_t seconds[6][2][2] = {}; // [sensor - 1][oil quality, temperature][pre-alarm, main alarm]

    int64_t of(int sensor, AlarmQuantity quantity, AlarmStage level) const;

    static AlarmTimes of(const std::vector<JournalEntry>& entries);
};
