#pragma once
// How the six gauges look for each of the five record values in playback.
#include <cstdint>

namespace PlaybackGaugeLooks {

struct Look {
    uint32_t colour;    // the colour attribute
    int style;          // the style attribute
    double positionMin;
    int sectionCount;   // 0: sections are left as they are
    double sectionEnd[4];
    int sectionColourCount; // how many of sectionColour are set
    uint32_t sectionColour[4];
    int scaleOption;    // the gauge scale option belonging to the value
};

// Value 1..5; null for any other value.
const Look* forValue(int value);

} // namespace PlaybackGaugeLooks
