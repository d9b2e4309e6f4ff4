#pragma once
// The playback fields of the main window. The main window owns one record
// for the whole run and hands fileMode and channelMap to the chart handlers.
#include "display/PlaybackChannelMap.h"

#include <QString>
#include <cstdint>

struct PlaybackState {
    bool fileMode = false;    // from a successful file choice until "Unload"
    QString loadedFileName;   // empty when the dialog was cancelled
    bool stopLoading = false; // asked before every line
    bool swapDate = false;    // mirrors SWAPDATE: logfile dates are day first
    uint8_t cursorReadout = 0; // 1: chart cursor moves drive the gauges
    PlaybackChannelMap channelMap;
    bool valueScaleChosen[6] = {}; // [1..5]: the value's gauge scale was selected
    double cursorValues[7][6] = {}; // [gauge position 1..6][value 1..5]
    // Sensor count of the last parameter record any playback read; 0 until
    // one was read. Only playback uses it.
    int16_t fileSensorCount = 0;
};
