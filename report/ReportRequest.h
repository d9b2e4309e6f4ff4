#pragma once
// What a report is asked for: an installation's logfiles over some local
// calendar days, as the window and veltra-history both ask for it.
#include "core/Record.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct ReportRequest {
    QString logDir;
    QString installation; // as typed; its file-name form finds the logfiles
    QDate from;           // local calendar days, both included
    QDate to;
    bool swapDate = false; // the logfiles' dates are written day first
    // The summary store to use and bring up to date: SummaryStore::defaultPath(logDir), a file of the
    // caller's, or an in-memory one; empty for the default.
    QString storePath;
    // The time the report is made (UTC seconds): printed on it, and where a
    // range that reaches into the future ends.
    int64_t printedAt = 0;
    // The evaluator's identity as the live window knows it; without it the
    // last parameter record logged before the range's end is read.
    std::optional<ParameterInfo> parameters;
    // The sensors' names (Sensor 1..6 at 0..5); empty ones read "Sensor n".
    QStringList sensorNames;
};
