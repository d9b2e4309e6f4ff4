#pragma once
// One sensor record of a logfile as the history reads it back.
#include "history/Series.h"

#include <cstdint>

struct RawRecord {
    int64_t instant = 0; // UTC seconds since 1970 (see LogfileClock for how local times are read)
    int32_t sensor = 0;  // 1..6
    int16_t value[Series::kValues] = {}; // as sent, by value 0..4 (oil quality signed 8-bit)
};
