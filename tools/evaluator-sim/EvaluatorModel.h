#pragma once
#include "EvaluatorRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Scenario { Normal, Ready, PreAlarm, MainAlarm, SensorErrors, EvaluatorErrors, Pause, Garbage, Demo, Alarms };

std::optional<Scenario> scenarioFromName(const std::string& name);
const char* scenarioNames(); // for --help

// The simulated evaluator: sensors whose values drift slowly around
// realistic readings, with status and error bits set by a scenario.
// Deterministic for a given seed, so runs can be compared.
class EvaluatorModel {
public:
    EvaluatorModel(int sensorCount, Scenario scenario, uint32_t seed = 1);

    // Everything the evaluator sends in second t of its run (t counts from
    // 0), each line ending in CR LF; empty while the scenario keeps it quiet.
    // Garbage scenarios include bytes that are no valid line.
    std::string outputForSecond(int t);

    // Moves every sensor's values one second on.
    void step();
    // The reading of sensor 1..sensorCount at second t.
    SensorReading reading(int sensor, int t) const;

    int sensorCount() const { return sensorCount_; }

private:
    struct Drift {
        int value;
        int low;
        int high;
    };
    int next(int range);
    void drift(Drift& d, int maxStep);
    unsigned statusBits(int sensor, int t) const;
    unsigned sensorErrors(int sensor, int t) const;
    unsigned evaluatorErrors(int t) const;
    bool silent(int t) const;

    int sensorCount_;
    Scenario scenario_;
    uint32_t random_;
    struct Sensor {
        Drift quality, oilTemp, loss, tdn, ambient;
    };
    std::vector<Sensor> sensors_;
};
