#pragma once
// When a trend reaches one level, or why that cannot be said.
#include "history/AlarmLevel.h"
#include "history/TrendFit.h"

#include <QString>
#include <cstdint>

struct LevelForecast {
    // Why there is no crossing, from the least to the most telling.
    enum class Reason {
        None,             // there is a crossing
        TooLittleData,    // fewer days of data than Forecast::MinDays
        NoTrend,          // the slope's range holds 0
        MovingAway,       // the trend heads away from the level
        NotWithinHorizon, // it would be reached only after Forecast::HorizonDays
        Beyond,           // the fitted value is already on the level's alarm side
    };
    // crossingHigh when the slow end of the slope's range reaches the level
    // only after the horizon.
    static constexpr int64_t Later = INT64_MAX;

    int sensor = 0; // 1..6
    int value = 0;  // 0..4, as Series numbers them
    AlarmLevel level;
    TrendFit fit;
    bool crossing = false;
    // The fitted line reaches the level at crossingAt; the lines of the
    // slope's range at crossingLow and crossingHigh (UTC seconds;
    // crossingLow is never before fit.to, crossingHigh may be Later).
    int64_t crossingAt = 0;
    int64_t crossingLow = 0;
    int64_t crossingHigh = 0;
    double daysLeft = 0; // from fit.to to crossingAt
    Reason why = Reason::None;
    // In words when there is no crossing: "too little data: 2 of 3 days",
    // "no trend", "moving away from the levels", "not within 2 years",
    // "already beyond the level".
    QString reason;
};
