#pragma once
#include <QString>
#include <cstdint>

// The logging fields of the measurement state.
struct LogState {
    QString logfileName;   // full path of the current data logfile
    QString LogDate;       // yyyymmdd the logfile name was built for
    QString eventfileName; // full path of the event file
    bool LogWriteFailed = false;
    bool EventWriteFailed = false;
    int32_t secondsCounter = 0; // seconds since 2010-01-01 12:00:00 local time
    int32_t highestSeconds = 0; // largest secondsCounter seen, never reset
};
