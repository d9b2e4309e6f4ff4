#pragma once

// The chart channels of a loaded logfile. Playback fills it when it builds
// the chart; the chart handlers read it while the window is in file mode.
// A shown sensor owns chartValueCount consecutive channels starting at
// sensorFirstChannel[s], one per charted value in ascending value order;
// valueSlot[k] is the place of value k among them. Arrays are indexed
// 1..6 (sensors) and 1..5 (values); element 0 is unused.
struct PlaybackChannelMap {
    int sensorFirstChannel[7] = {};
    bool sensorShown[7] = {};
    int valueSlot[6] = {};
    bool valueOnChart[6] = {}; // value k has channels on the chart
    int chartValueCount = 0;
    int shownSensorCount = 0;
    int channelCount = 0;
};
