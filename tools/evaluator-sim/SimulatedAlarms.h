#pragma once
// Alarm episodes of a long measurement (--history --alarms): on some days a
// sensor's oil quality or temperature goes over its alarm levels for a
// while. The evaluator's status bits and relays and the value follow, and
// the lines the logger writes are produced as it writes them: the edges of
// a display tick (relays first, then sensor by sensor), a confirmation at
// the pop-up, everything ended when the evaluator is lost. Deterministic
// for a seed.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct AlarmEpisode {
    int sensor = 1;
    bool temperature = false; // else oil quality
    int64_t preFrom = 0;      // the pre-alarm bit is set over [preFrom, preTo)
    int64_t preTo = 0;
    int64_t mainFrom = 0;     // the main alarm bit over [mainFrom, mainTo), inside; empty: none
    int64_t mainTo = 0;
    int64_t confirmAt = 0;    // the pop-up is confirmed then; 0: not before the next one
};

// The episodes of `days` days from the day that begins at dayStart(0):
// an oil-quality alarm every fourth day (a main alarm inside a pre-alarm,
// confirmed while on), a temperature pre-alarm every seventh from 22:30
// over midnight (confirmed after its end), a temperature main alarm every
// ninth (not confirmed). Days for which skip() is true get none.
std::vector<AlarmEpisode> planAlarms(int days, int sensors, uint64_t seed,
                                     const std::function<int64_t(int day)>& dayStart,
                                     const std::function<bool(int day)>& skip);

class SimulatedAlarms {
public:
    explicit SimulatedAlarms(std::vector<AlarmEpisode> episodes);

    // Moves on to instant t (never back).
    void advance(int64_t t);
    // The status word's alarm bits of a sensor now; sensor 1's with the
    // alarm relays.
    unsigned statusBits(int sensor) const;
    // The sensor's values over the levels the parameter record sets while
    // its alarm is on.
    void raise(int sensor, int (&values)[5]) const;

    // The logger's lines of a display tick now: its edges since the last.
    std::vector<std::string> tick();
    // The confirmations due by now, with their instants.
    std::vector<std::pair<int64_t, std::string>> confirmations();
    // The logger lost the evaluator: it ends whatever it had on.
    std::vector<std::string> lost();
    // The program began anew: it remembers nothing.
    void forget();

private:
    struct Seen {
        bool relay1 = false, relay2 = false;
        bool alarm[6][4] = {}; // oil pre, oil main, temperature pre, temperature main
    };
    Seen now() const;

    std::vector<AlarmEpisode> episodes_;
    size_t next_ = 0;             // the first episode not yet begun
    std::vector<size_t> active_;  // begun and not ended, confirmation still due included
    std::vector<bool> confirmed_; // by episode
    int64_t t_ = 0;
    Seen seen_;                   // what the logger last reported
    bool relay1SinceConfirm_ = false;
    bool popUp_ = false;
};
