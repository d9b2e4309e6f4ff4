#pragma once
// Everything a report shows, read from the summary store, the logfiles'
// events and the notes; painted by ReportWriter.
#include "core/Record.h"
#include "history/AlarmTimes.h"
#include "history/Bucket.h"
#include "history/JournalEntry.h"
#include "history/LevelForecast.h"
#include "history/NotesFile.h"
#include "history/Tier.h"
#include "report/ReportRequest.h"

#include <QString>
#include <optional>
#include <vector>

struct ReportData {
    ReportRequest request;
    // The range [from, to) in UTC seconds; to is the end of the last day, or
    // the time of printing when that is earlier.
    int64_t from = 0;
    int64_t to = 0;

    std::optional<ParameterInfo> parameters;
    bool parametersLive = false;   // from the window, not from a logfile
    int64_t parametersInstant = 0; // when a logged one was logged

    // Over the range, in the records' own numbers (Series::inUnits).
    SeriesSummary figures[Series::kCount];
    // Minutes of the range with at least one record of the sensor.
    int64_t coveredMinutes[Series::kSensors] = {};
    // The sensors shown: those with records, and those the parameter
    // record counts.
    std::vector<int> sensors;

    std::vector<JournalEntry> journal;
    AlarmTimes alarmTimes;
    std::vector<Note> notes; // of the range

    Tier chartTier = Tier::Hour;
    std::vector<Bucket> chartBuckets; // [from, to), of chartTier

    // As of the range's end: every level of every value forecast.
    std::vector<LevelForecast> forecasts;

    // Covered minutes over the range's minutes, in %: a minute with a
    // record of the sensor counts whole.
    double coverage(int sensor) const;
    // "Sensor 3", or its name from the request.
    QString sensorName(int sensor) const;
};

namespace ReportGathering {

// Brings the store up to date with the range's logfiles and reads what the
// report shows. False with the problem in words (the system's reason
// included) when a logfile or the store cannot be read.
bool gather(const ReportRequest& request, ReportData& data, QString* problem);

// The coarsest tier that still gives one bucket per column or more.
Tier tierFor(int64_t seconds, int columns);

} // namespace ReportGathering
