#pragma once
// The stretch of time a sensor's trend is fitted over: since the last oil
// change or sensor replacement noted for it (or for all sensors) before the
// instant, else the last days of a set length.
#include "history/NotesFile.h"

#include <cstdint>
#include <vector>

struct TrendWindow {
    int64_t from = 0;        // UTC seconds
    int64_t settledFrom = 0; // hours before this are left out: the new oil settles
    int64_t to = 0;          // the instant the trend is made as of
    bool sinceNote = false;  // `from` is the instant of a note
};

namespace TrendWindows {

// The hours after an oil change or a sensor replacement that are left out.
constexpr int64_t SettleSeconds = 24 * 3600;

// A note after which the oil or the sensor is new: "Oil changed" or
// "Sensor replaced", in any case, with blanks around it or not.
bool beginsAnew(const Note& note);

// The longest window of days asked for that is taken as asked.
constexpr int MaxWindowDays = 36600;

// The window of a sensor (1..6) as of `at`: notes after `at` do not count.
// windowDays is taken into 1..MaxWindowDays.
TrendWindow of(const std::vector<Note>& notes, int sensor, int64_t at, int windowDays);

} // namespace TrendWindows
