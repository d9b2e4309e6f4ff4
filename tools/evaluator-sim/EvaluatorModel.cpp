#include "EvaluatorModel.h"

#include <algorithm>

namespace {
constexpr unsigned SensorReady = 0x0001;
constexpr unsigned ReadyRelay = 0x0020;
constexpr unsigned AlarmRelay1 = 0x0080;
constexpr unsigned AlarmRelay2 = 0x0040;
constexpr unsigned QualityMainAlarm = 0x0100;
constexpr unsigned QualityPreAlarm = 0x0200;
constexpr unsigned PowerUpBusy = 0x0400;

struct Named {
    const char* name;
    Scenario scenario;
};
constexpr Named Scenarios[] = {
    {"normal", Scenario::Normal},
    {"ready", Scenario::Ready},
    {"prealarm", Scenario::PreAlarm},
    {"mainalarm", Scenario::MainAlarm},
    {"sensor-errors", Scenario::SensorErrors},
    {"evaluator-errors", Scenario::EvaluatorErrors},
    {"pause", Scenario::Pause},
    {"garbage", Scenario::Garbage},
    {"demo", Scenario::Demo},
    {"alarms", Scenario::Alarms},
};
} // namespace

std::optional<Scenario> scenarioFromName(const std::string& name)
{
    for (const Named& n : Scenarios)
        if (name == n.name)
            return n.scenario;
    return std::nullopt;
}

const char* scenarioNames()
{
    return "normal, ready, prealarm, mainalarm, sensor-errors, evaluator-errors, pause, garbage, demo, alarms "
           "(alarm relay 1 and sensor 2's oil pre-alarm from second 3, alarm relay 2 from second 12, all "
           "staying on)";
}

EvaluatorModel::EvaluatorModel(int sensorCount, Scenario scenario, uint32_t seed)
    : sensorCount_(std::clamp(sensorCount, 1, 6))
    , scenario_(scenario)
    , random_(seed ? seed : 1)
{
    for (int s = 0; s < sensorCount_; ++s) {
        // Sensor 1 starts at the readings of a typical engine oil; the others
        // a little apart so their chart lines can be told from each other.
        sensors_.push_back(Sensor{{30 + 2 * s, 15, 55},
                                  {550 - 15 * s, 350, 750},
                                  {25 + 3 * s, 5, 80},
                                  {200 + 5 * s, 120, 300},
                                  {235 - 4 * s, 150, 320}});
    }
}

int EvaluatorModel::next(int range)
{
    random_ = random_ * 1664525u + 1013904223u;
    return static_cast<int>((random_ >> 16) % static_cast<uint32_t>(range));
}

void EvaluatorModel::drift(Drift& d, int maxStep)
{
    d.value = std::clamp(d.value + next(2 * maxStep + 1) - maxStep, d.low, d.high);
}

void EvaluatorModel::step()
{
    for (Sensor& s : sensors_) {
        if (next(4) == 0)
            drift(s.quality, 1);
        drift(s.oilTemp, 2);
        if (next(3) == 0)
            drift(s.loss, 1);
        if (next(3) == 0)
            drift(s.tdn, 1);
        drift(s.ambient, 1);
    }
}

bool EvaluatorModel::silent(int t) const
{
    switch (scenario_) {
    case Scenario::Pause:
        return t % 15 >= 10; // 10 s of data, then 5 s of silence
    case Scenario::Demo:
        return t % 60 >= 40 && t % 60 < 45;
    default:
        return false;
    }
}

unsigned EvaluatorModel::statusBits(int sensor, int t) const
{
    unsigned bits = SensorReady;
    if (scenario_ == Scenario::Ready && t < 5)
        bits = 0;
    if (sensor == 1 && bits)
        bits |= ReadyRelay;

    const int cycle = t % 60;
    switch (scenario_) {
    case Scenario::PreAlarm:
        if (sensor == 2 && t % 30 >= 5 && t % 30 < 15)
            bits |= QualityPreAlarm;
        break;
    case Scenario::MainAlarm:
        if (sensor == 1 && t % 40 >= 5 && t % 40 < 20)
            bits |= QualityMainAlarm | QualityPreAlarm | AlarmRelay1;
        break;
    case Scenario::Alarms:
        if (sensor == 1 && t >= 3)
            bits |= QualityMainAlarm | AlarmRelay1;
        if (sensor == 1 && t >= 12)
            bits |= AlarmRelay2;
        if (sensor == 2 && t >= 3)
            bits |= QualityPreAlarm;
        break;
    case Scenario::Demo:
        if (sensor == 2 && cycle >= 5 && cycle < 30)
            bits |= QualityPreAlarm;
        if (sensor == 1 && cycle >= 10 && cycle < 25)
            bits |= QualityMainAlarm | QualityPreAlarm | AlarmRelay1;
        break;
    default:
        break;
    }
    return bits;
}

unsigned EvaluatorModel::sensorErrors(int sensor, int t) const
{
    if (scenario_ == Scenario::Ready && t < 5)
        return PowerUpBusy;
    if (scenario_ == Scenario::SensorErrors) {
        // One error bit at a time walks over the sensors, 5 s each.
        static const unsigned Bits[] = {0x0040, 0x0080, 0x0100, 0x0200, 0x0400, 0};
        const int phase = (t / 5) % 6;
        if (sensor == 1 + (t / 30) % sensorCount_)
            return Bits[phase];
    }
    if (scenario_ == Scenario::Demo && sensor == sensorCount_ && t % 60 >= 30 && t % 60 < 38)
        return 0x0080;
    return 0;
}

unsigned EvaluatorModel::evaluatorErrors(int t) const
{
    if (scenario_ != Scenario::EvaluatorErrors)
        return 0;
    static const unsigned Bits[] = {0x0001, 0x0002, 0x0004, 0x0100, 0};
    return Bits[(t / 5) % 5];
}

SensorReading EvaluatorModel::reading(int sensor, int t) const
{
    const Sensor& s = sensors_[sensor - 1];
    SensorReading r;
    r.oilQuality = s.quality.value;
    r.oilTemperature = s.oilTemp.value;
    r.lossFactor = s.loss.value;
    r.tdnNumber = s.tdn.value;
    r.ambientTemperature = s.ambient.value;
    r.statusWord = statusBits(sensor, t);
    if (r.statusWord & QualityMainAlarm)
        r.oilQuality = 85;
    else if (r.statusWord & QualityPreAlarm)
        r.oilQuality = 65;
    r.sensorErrorWord = sensorErrors(sensor, t);
    r.evaluatorErrorWord = sensor == 1 ? evaluatorErrors(t) : 0;
    return r;
}

std::string EvaluatorModel::outputForSecond(int t)
{
    step();
    std::string out;
    if (silent(t))
        return out;
    if (t % 60 == 0) {
        out += parameterRecord(sensorCount_) + "\r\n";
        out += textRecord("VELTRA,evaluator simulator,running") + "\r\n";
    }
    for (int sensor = 1; sensor <= sensorCount_; ++sensor) {
        appendSensorRecord(out, sensor, reading(sensor, t));
        out += "\r\n";
    }
    if (scenario_ == Scenario::Garbage) {
        switch (t % 5) {
        case 0:
            out += ":7F0000\r\n"; // unknown record type
            break;
        case 1:
            out += "\x01\x7fnoise:00ZZ0226001900C800EB0021000000000000\r\n"; // noise, then ZZ in a hex field
            break;
        case 2:
            out += ":0012:82DEAD\r\n"; // a second ":" before the line end, unknown type
            break;
        case 3:
            out += ":0\n"; // LF without CR: never completes, the next ":" discards it
            break;
        default:
            out += std::string(600, 'A') + "\r\n"; // a long run outside any line
            break;
        }
    }
    return out;
}
