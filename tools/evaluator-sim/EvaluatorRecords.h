#pragma once
#include <cstdint>
#include <string>

// What one sensor record carries, as the evaluator encodes it.
struct SensorReading {
    int oilQuality = 0;         // signed 8-bit
    int oilTemperature = 0;     // tenths of a degree, signed 16-bit
    int lossFactor = 0;         // tenths of a percent
    int tdnNumber = 0;
    int ambientTemperature = 0; // tenths of a degree
    unsigned statusWord = 0;
    unsigned sensorErrorWord = 0;
    unsigned evaluatorErrorWord = 0;
    int extraValue = 0;
};

// Appends value as `digits` upper-case hexadecimal digits (two's complement
// for negative values).
void appendHex(std::string& out, long value, int digits);

// The full sensor record of sensor 1..6, 37 characters, without CR LF.
void appendSensorRecord(std::string& out, int sensor, const SensorReading& reading);

// The alarm levels a parameter record carries, as raw numbers.
struct ParameterLevels {
    int main = 80;
    int pre = 60;
    int mainHigh = 1300; // off
    int preHigh = 0;     // off
};

// The full parameter record (type 81), 91 characters, without CR LF.
std::string parameterRecord(int sensorCount, const ParameterLevels& levels = ParameterLevels());

// A text record (type 80) carrying text, without CR LF.
std::string textRecord(const std::string& text);
