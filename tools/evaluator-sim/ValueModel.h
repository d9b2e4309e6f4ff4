#pragma once
// How one value of one sensor moves over time, for the long logfiles of the
// history generator: a sum of slowly varying parts, looked at once a minute,
// plus noise on every sample, in the record's own numbers. Deterministic for
// a seed. A new way for a value to behave (a drift since some day, a bad
// day) is one more part.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// A small fast generator (xorshift64*), good enough for noise.
class Noise {
public:
    explicit Noise(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    // Uniform in [-1, 1).
    double next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 0x2545F4914F6CDD1Dull) >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    }

private:
    uint64_t state_;
};

// A slowly varying part of a value. Asked in increasing instants (UTC
// seconds), once a minute.
class ValuePart {
public:
    virtual ~ValuePart() = default;
    virtual double at(int64_t instant) = 0;
};

// A constant.
class Level final : public ValuePart {
public:
    explicit Level(double value) : value_(value) {}
    double at(int64_t) override { return value_; }

private:
    double value_;
};

// A swing over the day, highest at `peakSecond` of the UTC day.
class DailySwing final : public ValuePart {
public:
    DailySwing(double amplitude, int peakSecond) : amplitude_(amplitude), peakSecond_(peakSecond) {}
    double at(int64_t instant) override;

private:
    double amplitude_;
    int peakSecond_;
};

// A random walk that is pulled back towards 0, so it wanders within some
// `spread` over days.
class Wander final : public ValuePart {
public:
    Wander(double stepPerMinute, double spread, uint64_t seed)
        : step_(stepPerMinute), pull_(stepPerMinute * stepPerMinute / (spread * spread)), noise_(seed)
    {
    }
    double at(int64_t instant) override;

private:
    double step_;
    double pull_;
    Noise noise_;
    double value_ = 0;
    int64_t minute_ = INT64_MIN;
};

// A steady change since an instant (an oil change), perDay a day from
// there; before it the old oil's, changed `oldOilDays` earlier.
class Ramp final : public ValuePart {
public:
    Ramp(double perDay, int64_t since, double oldOilDays) : perDay_(perDay), since_(since), oldOilDays_(oldOilDays) {}
    double at(int64_t instant) override;

private:
    double perDay_;
    int64_t since_;
    double oldOilDays_;
};

class ValueModel {
public:
    // Samples are rounded into [low, high]; noise is the half-width of the
    // uniform noise on every sample.
    ValueModel(int low, int high, double noise, uint64_t seed) : low_(low), high_(high), noise_(noise), random_(seed) {}
    void add(std::unique_ptr<ValuePart> part) { parts_.push_back(std::move(part)); }
    // Over [from, to) the sensor is stuck: every sample reads `value`.
    void stick(int64_t from, int64_t to, int value)
    {
        stuckFrom_ = from;
        stuckTo_ = to;
        stuckValue_ = value;
    }

    // The value at an instant; instants come in increasing order.
    int sample(int64_t instant)
    {
        if (instant >= stuckFrom_ && instant < stuckTo_)
            return stuckValue_;
        const int64_t minute = instant / 60;
        if (minute != minute_) {
            minute_ = minute;
            base_ = 0;
            for (const auto& part : parts_)
                base_ += part->at(minute * 60);
        }
        const double v = base_ + noise_ * random_.next();
        const int rounded = int(v < 0 ? v - 0.5 : v + 0.5);
        return rounded < low_ ? low_ : rounded > high_ ? high_ : rounded;
    }

private:
    int low_;
    int high_;
    double noise_;
    Noise random_;
    std::vector<std::unique_ptr<ValuePart>> parts_;
    int64_t minute_ = INT64_MIN;
    double base_ = 0;
    int64_t stuckFrom_ = 0;
    int64_t stuckTo_ = 0;
    int stuckValue_ = 0;
};

// The five values of each sensor (oil quality, oil temperature, loss factor,
// TDN number, ambient temperature) of a typical engine oil, sensors a
// little apart so their lines can be told apart.
using SensorModels = std::array<ValueModel, 5>;
std::vector<SensorModels> typicalSensors(int sensorCount, uint64_t seed);

// A value of a sensor that drifts as told since the oil change at
// `changedAt`, with the daily swing and (unless told) the noise of the
// typical value.
struct KnownDrift;
ValueModel driftingValue(const KnownDrift& drift, int64_t changedAt, uint64_t seed);
