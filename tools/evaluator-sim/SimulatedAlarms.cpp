#include "SimulatedAlarms.h"

#include "ValueModel.h"

#include <algorithm>

namespace {

constexpr int64_t Minute = 60;
constexpr int64_t Hour = 3600;

// The parameter record's levels (EvaluatorRecords), a little over.
constexpr int OilPre = 63, OilMain = 84;      // levels 60 and 80
constexpr int TemperaturePre = 812, TemperatureMain = 915; // tenths: levels 80.0 and 90.0

const char* const AlarmTexts[4] = {" Oil quality Prealarm", " Oil quality Mainalarm", " Temperature Prealarm",
                                   " Temperature Mainalarm"};

} // namespace

std::vector<AlarmEpisode> planAlarms(int days, int sensors, uint64_t seed,
                                     const std::function<int64_t(int day)>& dayStart,
                                     const std::function<bool(int day)>& skip)
{
    Noise chance(seed * 131 + 17);
    std::vector<AlarmEpisode> out;
    for (int d = 0; d < days; ++d) {
        const double when = (chance.next() + 1) / 2; // drawn every day, so a skipped day moves nothing
        if (skip(d) || skip(d + 1))
            continue;
        const int64_t day = dayStart(d);
        if (d % 4 == 1) {
            AlarmEpisode e{(d / 4) % sensors + 1, false, 0, 0, 0, 0, 0};
            e.preFrom = day + 9 * Hour + int64_t(when * 6 * Hour) / Minute * Minute;
            e.preTo = e.preFrom + 50 * Minute;
            e.mainFrom = e.preFrom + 15 * Minute;
            e.mainTo = e.mainFrom + 20 * Minute;
            e.confirmAt = e.mainFrom + 4 * Minute + 17;
            out.push_back(e);
        }
        if (d % 7 == 3) {
            AlarmEpisode e{(d / 7 + 1) % sensors + 1, true, 0, 0, 0, 0, 0};
            e.preFrom = day + 22 * Hour + 30 * Minute;
            e.preTo = e.preFrom + 3 * Hour;
            e.confirmAt = e.preTo + 10 * Minute + 5;
            out.push_back(e);
        }
        if (d % 9 == 5) {
            AlarmEpisode e{(d / 9 + 2) % sensors + 1, true, 0, 0, 0, 0, 0};
            e.preFrom = day + 3 * Hour + int64_t(when * 4 * Hour) / Minute * Minute;
            e.preTo = e.preFrom + Hour;
            e.mainFrom = e.preFrom + 20 * Minute;
            e.mainTo = e.mainFrom + 10 * Minute;
            out.push_back(e);
        }
    }
    std::sort(out.begin(), out.end(),
              [](const AlarmEpisode& a, const AlarmEpisode& b) { return a.preFrom < b.preFrom; });
    return out;
}

SimulatedAlarms::SimulatedAlarms(std::vector<AlarmEpisode> episodes)
    : episodes_(std::move(episodes)), confirmed_(episodes_.size(), false)
{
}

void SimulatedAlarms::advance(int64_t t)
{
    t_ = t;
    for (; next_ < episodes_.size() && episodes_[next_].preFrom <= t; ++next_)
        active_.push_back(next_);
    active_.erase(std::remove_if(active_.begin(), active_.end(),
                                 [&](size_t i) {
                                     const AlarmEpisode& e = episodes_[i];
                                     return e.preTo <= t && (e.confirmAt == 0 || confirmed_[i]);
                                 }),
                  active_.end());
}

SimulatedAlarms::Seen SimulatedAlarms::now() const
{
    Seen s;
    for (const size_t i : active_) {
        const AlarmEpisode& e = episodes_[i];
        const bool pre = e.preFrom <= t_ && t_ < e.preTo;
        const bool main = e.mainFrom <= t_ && t_ < e.mainTo;
        const int k = e.temperature ? 2 : 0;
        s.alarm[e.sensor - 1][k] = s.alarm[e.sensor - 1][k] || pre;
        s.alarm[e.sensor - 1][k + 1] = s.alarm[e.sensor - 1][k + 1] || main;
        s.relay1 = s.relay1 || main;
        s.relay2 = s.relay2 || pre;
    }
    return s;
}

unsigned SimulatedAlarms::statusBits(int sensor) const
{
    static const unsigned Bits[4] = {0x0200, 0x0100, 0x0800, 0x0400};
    const Seen s = now();
    unsigned bits = 0;
    for (int k = 0; k < 4; ++k)
        bits |= s.alarm[sensor - 1][k] ? Bits[k] : 0;
    if (sensor == 1)
        bits |= (s.relay1 ? 0x80 : 0) | (s.relay2 ? 0x40 : 0);
    return bits;
}

void SimulatedAlarms::raise(int sensor, int (&values)[5]) const
{
    const Seen s = now();
    const bool* a = s.alarm[sensor - 1];
    if (a[0] || a[1])
        values[0] = std::max(values[0] - 30 + (a[1] ? OilMain : OilPre), values[0]);
    if (a[2] || a[3])
        values[1] = std::max(values[1] - 550 + (a[3] ? TemperatureMain : TemperaturePre), values[1]);
}

std::vector<std::string> SimulatedAlarms::tick()
{
    const Seen s = now();
    std::vector<std::string> lines;
    const auto relay = [&](bool on, bool& was, const char* name) {
        if (on != was)
            lines.push_back(std::string("Alarm Relay ") + name + (on ? " ON !" : " OFF !"));
        if (on && !was)
            popUp_ = true;
        was = on;
    };
    relay1SinceConfirm_ = relay1SinceConfirm_ || (s.relay1 && !seen_.relay1);
    relay(s.relay1, seen_.relay1, "1");
    relay(s.relay2, seen_.relay2, "2");
    for (int sensor = 0; sensor < 6; ++sensor) {
        for (int k = 0; k < 4; ++k) {
            if (s.alarm[sensor][k] == seen_.alarm[sensor][k])
                continue;
            seen_.alarm[sensor][k] = s.alarm[sensor][k];
            lines.push_back("Sensor " + std::to_string(sensor + 1) + AlarmTexts[k]
                            + (s.alarm[sensor][k] ? " ON !" : " OFF !"));
        }
    }
    return lines;
}

std::vector<std::pair<int64_t, std::string>> SimulatedAlarms::confirmations()
{
    std::vector<std::pair<int64_t, std::string>> out;
    for (const size_t i : active_) {
        const AlarmEpisode& e = episodes_[i];
        if (e.confirmAt == 0 || e.confirmAt > t_ || confirmed_[i])
            continue;
        confirmed_[i] = true;
        if (!popUp_)
            continue; // the pop-up was closed meanwhile
        out.emplace_back(e.confirmAt, relay1SinceConfirm_ ? "Mainalarm confirmed by user!"
                                                          : "Pre-Alarm confirmed by user!");
        popUp_ = false;
        relay1SinceConfirm_ = false;
    }
    return out;
}

std::vector<std::string> SimulatedAlarms::lost()
{
    const Seen before = seen_;
    seen_ = Seen();
    std::vector<std::string> lines;
    if (before.relay1)
        lines.push_back("Alarm Relay 1 OFF !");
    if (before.relay2)
        lines.push_back("Alarm Relay 2 OFF !");
    for (int sensor = 0; sensor < 6; ++sensor)
        for (int k = 0; k < 4; ++k)
            if (before.alarm[sensor][k])
                lines.push_back("Sensor " + std::to_string(sensor + 1) + AlarmTexts[k] + " OFF !");
    return lines;
}

void SimulatedAlarms::forget()
{
    seen_ = Seen();
    popUp_ = false;
    relay1SinceConfirm_ = false;
}
