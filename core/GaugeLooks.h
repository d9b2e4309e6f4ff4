#pragma once
// How the five record values look on the gauges and the chart, and the
// gauge scales the program sets: one table, for the live display and for
// playback alike.
#include <cstdint>

namespace GaugeLooks {

constexpr int ValueCount = 5;

// Coloured bands along a gauge's scale. Only the first `endsSet` ends and
// `coloursSet` colours are written; the rest keep what the gauge had.
struct Sections {
    int count = 0; // 0: the sections are left as they are
    int endsSet = 0;
    double ends[4] = {};
    int coloursSet = 0;
    uint32_t colours[5] = {};
};

// One value (1 oil quality, 2 oil temperature, 3 loss factor, 4 TDN number,
// 5 ambient temperature).
struct Look {
    const char* gaugeCaption; // the gauge value option and the gauge frame
    const char* chartCaption; // the chart's value box
    const char* unit;         // UTF-8, beside the gauge readouts; "" for none
    uint32_t scaleColour;     // the gauge's colour attribute
    int pointerStyle;         // the gauge's style attribute
    double positionMin;       // the scale's floor
    int chartDivisor;         // the chart shows the record's number divided by it
    int gaugeDivisor;         // the gauges and readouts
    int scaleOption;          // the gauge scale option that comes with the value
    Sections playbackSections; // what a playback sets when it shows the value
};

// Value 1..5; null for any other.
const Look* forValue(int value);

// A scale: its end, its tick counts and its bands.
struct Scale {
    double positionMax;
    int majorTicks;
    int minorTicks;
    Sections sections;
};

// The scale options "end -> 22", "150", "250" and "1200" (1..4); null for
// any other index.
const Scale* scaleOption(int index);
// The scale of every gauge at start-up and when a logfile is loaded.
const Scale& startScale();
// The scale Unload gives the gauges before the start-up runs again.
const Scale& unloadScale();

} // namespace GaugeLooks
