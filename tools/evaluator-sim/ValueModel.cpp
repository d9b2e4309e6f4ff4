#include "ValueModel.h"

#include "KnownDrift.h"
#include "history/Series.h"

#include <cmath>

double DailySwing::at(int64_t instant)
{
    constexpr double Day = 86400.0;
    const double phase = double((instant - peakSecond_) % 86400) / Day;
    return amplitude_ * std::cos(2.0 * M_PI * phase);
}

double Ramp::at(int64_t instant)
{
    const double days = double(instant - since_) / 86400.0;
    return perDay_ * (instant < since_ ? days + oldOilDays_ : days);
}

double Wander::at(int64_t instant)
{
    const int64_t minute = instant / 60;
    if (minute_ == INT64_MIN)
        minute_ = minute - 1;
    for (; minute_ < minute; ++minute_)
        value_ += step_ * noise_.next() - pull_ * value_;
    return value_;
}

namespace {

uint64_t seedOf(uint64_t seed, int sensor, int value)
{
    // splitmix64 of the three: streams that do not run in step.
    uint64_t z = seed + 0x9E3779B97F4A7C15ull * uint64_t(sensor * 8 + value + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct Typical {
    double level;
    double perSensor; // added per sensor number
    double swing;     // daily
    double wanderStep;
    double wanderSpread;
    double noise;
    int low;
    int high;
};

// In the record's numbers: oil quality as sent, temperatures and the loss
// factor in tenths, the TDN number as sent.
constexpr Typical Values[5] = {
    {30, 2, 1.5, 0.05, 4, 1.0, -128, 127},      // oil quality
    {550, -15, 60, 0.8, 40, 3.0, -32768, 32767}, // oil temperature, 55.0 °C
    {25, 3, 2, 0.05, 5, 1.0, -32768, 32767},     // loss factor, 2.5 %
    {200, 5, 0, 0.3, 15, 2.0, -32768, 32767},    // TDN number
    {235, -4, 45, 0.5, 30, 2.0, -32768, 32767},  // ambient temperature, 23.5 °C
};

} // namespace

std::vector<SensorModels> typicalSensors(int sensorCount, uint64_t seed)
{
    std::vector<SensorModels> sensors;
    for (int s = 0; s < sensorCount; ++s) {
        const auto model = [&](int v) {
            const Typical& t = Values[v];
            ValueModel m(t.low, t.high, t.noise, seedOf(seed, s, v));
            m.add(std::make_unique<Level>(t.level + t.perSensor * s));
            if (t.swing > 0)
                m.add(std::make_unique<DailySwing>(t.swing, 14 * 3600)); // warmest in the afternoon
            m.add(std::make_unique<Wander>(t.wanderStep, t.wanderSpread, seedOf(seed, s, v + 5)));
            return m;
        };
        sensors.push_back(SensorModels{model(0), model(1), model(2), model(3), model(4)});
    }
    return sensors;
}

ValueModel driftingValue(const KnownDrift& drift, int64_t changedAt, uint64_t seed)
{
    // The old oil had been in this long when it was changed.
    constexpr double OldOilDays = 60;
    const Typical& t = Values[drift.value];
    const double unit = Series::divisor(drift.value); // the record's numbers per readout unit
    const int s = drift.sensor - 1;
    ValueModel m(t.low, t.high, drift.noise < 0 ? t.noise : drift.noise * unit, seedOf(seed, s, drift.value));
    m.add(std::make_unique<Level>(drift.start * unit));
    m.add(std::make_unique<Ramp>(drift.perDay * unit, changedAt, OldOilDays));
    if (t.swing > 0)
        m.add(std::make_unique<DailySwing>(t.swing, 14 * 3600));
    return m;
}
