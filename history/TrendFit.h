#pragma once
// The trend of one series (a sensor's value): a straight line fitted to its
// hourly means over a window, robust against a bad day, with the range its
// slope may lie in.
#include <cstdint>

struct TrendFit {
    // A line was fitted: the window held enough days of data
    // (Forecast::MinDays). Without one only the window, points and days mean
    // something.
    bool valid = false;
    int sensor = 0; // 1..6
    int value = 0;  // 0..4, as Series numbers them
    // The window, UTC seconds: hours in [from, to) were looked at. `to` is
    // the instant the trend is made as of.
    int64_t from = 0;
    int64_t to = 0;
    double valueAtEnd = 0;  // the line at `to`, in the readout's unit
    double slopePerDay = 0; // readout units a day
    // The 95 % range of the slope, with hourly means not taken as
    // independent (the days of data count as the sample size).
    double slopeLow = 0;
    double slopeHigh = 0;
    // The lines of slopeLow and slopeHigh cross the fitted line here, at the
    // middle of the data: drawn from there they make the uncertainty band.
    int64_t pivot = 0;
    int points = 0;  // hourly means used
    double days = 0; // days of data: points / 24

    // The fitted line at an instant.
    double at(int64_t instant) const { return valueAtEnd + slopePerDay * double(instant - to) / 86400.0; }
    // A line of another slope (slopeLow, slopeHigh) through the pivot.
    double at(int64_t instant, double slope) const { return at(pivot) + slope * double(instant - pivot) / 86400.0; }
    // The slope's range holds 0: no trend can be told from the noise.
    bool flat() const { return slopeLow <= 0 && slopeHigh >= 0; }
};
