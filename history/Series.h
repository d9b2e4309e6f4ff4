#pragma once
// The 30 series of an installation's history: six sensors, five values each,
// named and scaled as the gauge readouts show them.
#include <QString>
#include <cstdint>

namespace Series {

constexpr int kSensors = 6;
constexpr int kValues = 5;
constexpr int kCount = kSensors * kValues;

// Value 0..4: oil quality, oil temperature, loss factor, TDN number,
// ambient temperature.
constexpr int index(int sensor, int value) { return (sensor - 1) * kValues + value; }
constexpr int sensorOf(int series) { return series / kValues + 1; }
constexpr int valueOf(int series) { return series % kValues; }

// "oil_quality", "oil_temperature", "loss_factor", "tdn",
// "ambient_temperature"; empty outside 0..4.
QString valueName(int value);
// The value whose name this is; -1 for any other text.
int valueOfName(const QString& name);
// What a record's number is divided by for the readout's unit (oil quality
// and TDN number as sent, temperatures in °C, loss factor in %).
constexpr int divisor(int value) { return value == 0 || value == 3 ? 1 : 10; }
// Decimals of a single value in that unit.
constexpr int decimals(int value) { return value == 0 || value == 3 ? 0 : 1; }
// A record's number in the readout's unit.
inline double inUnits(int value, double raw) { return raw / divisor(value); }

} // namespace Series
