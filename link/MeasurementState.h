#pragma once
#include "core/Record.h"
#include "logging/LogState.h"

#include <QString>
#include <cstdint>

// Slots of a sensor row (1-based, as the evaluator documentation counts them).
namespace Slot {
constexpr int OilQuality = 1;
constexpr int OilTemperature = 2;     // tenths of a degree
constexpr int LossFactor = 3;         // tenths of a percent
constexpr int TdnNumber = 4;
constexpr int AmbientTemperature = 5; // tenths of a degree
constexpr int ExtraValue = 6;
constexpr int StatusWord = 7;
constexpr int SensorErrorWord = 8;
constexpr int EvaluatorErrorWord = 9;
constexpr int Spare = 10;
} // namespace Slot


// The decoded evaluator state, owned by the main window.
struct MeasurementState {
    static constexpr int SensorCount = 6;
    static constexpr int SlotCount = 10;

    // sensorValues[sensor - 1][slot - 1]; use value() for 1-based access.
    double sensorValues[SensorCount][SlotCount] = {};

    double& value(int sensor, int slot) { return sensorValues[sensor - 1][slot - 1]; }
    double value(int sensor, int slot) const { return sensorValues[sensor - 1][slot - 1]; }

    ParameterInfo parameterInfo;
    int16_t sensorCount = 0;
    bool sensorCountKnown = false;
    bool evaluatorConnected = false;
    int16_t badLineCount = 0;

    LogState log;
};
