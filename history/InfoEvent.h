#pragma once
// What an information line of a data logfile says happened, when it is one
// of the logger's own texts: an event of the event table (with its sensor),
// the exit line, or the two lines of a logger back after an unexpected end.
#include <cstdint>

struct InfoEvent {
    enum class Kind : uint8_t {
        Event,          // code and sensor say which
        ExitLine,       // "Measure Stopped": the program ended while measuring
        LoggerEnded,    // "Logger ended unexpectedly at <time> !"
        RunningAgain,   // "Logger running again at <installation> !"
    };
    static constexpr int64_t NoRecord = INT64_MIN;

    int64_t instant = 0;             // UTC seconds, placed as RowParser places records
    int64_t lastRecord = NoRecord;   // the latest record instant of its file before it
    int64_t endedAt = 0;             // LoggerEnded: the last sign of life it names
    Kind kind = Kind::Event;
    int16_t code = 0;                // EventCode number of Kind::Event
    int8_t sensor = 0;               // 1..6 for the per-sensor codes, else 0

    bool is(int eventCode) const { return kind == Kind::Event && code == eventCode; }
};
