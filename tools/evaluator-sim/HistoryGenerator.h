#pragma once
// Writes the daily data logfiles of a long measurement, as the logger would
// have written them in the system's time zone: each file begins with the
// start text and the six sensor name lines, then one record per sensor at a
// fixed rate, with a parameter record every hour and the connection lines
// (after a day without a file the logger starts anew), and, when asked for,
// alarm episodes with the logger's lines for them.
// Days in the spring-forward and fall-back of the zone are 23 and 25 hours
// long, as the logger's are. Deterministic for a seed; fast enough to write
// a year of six sensors every second (11 GB) in minutes.
//
// With known drifts, the oil of their sensors is changed at 10:00 of the
// oil change day: the drifting values start anew there, and the change is
// noted in the log folder's notes file as a person would (one note per
// sensor). On the bad day the drifting values read 0 (a stuck sensor).
#include "EvaluatorRecords.h"
#include "KnownDrift.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <cstdint>
#include <vector>

struct HistorySettings {
    QString dir;
    QString installation = QStringLiteral("Main_Engine");
    QDate from;
    int days = 1;
    int sensors = 6;
    int everySeconds = 1;
    QSet<QDate> gapDays; // the logger did not run: no file
    int lostMinutes = 0; // each day the evaluator is silent this long
    bool alarms = false; // alarm episodes on some days (SimulatedAlarms)
    uint64_t seed = 1;
    std::vector<KnownDrift> drifts;
    QDate oilChange; // needed with drifts
    QDate badDay;    // none when not valid
    ParameterLevels levels; // of the parameter records
};

// False with the reason when a file cannot be written.
bool writeHistory(const HistorySettings& settings, QString* error);
