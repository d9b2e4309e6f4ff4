#pragma once
// The logfiles that can hold rows of a time range: those named for its days
// and the day either side (a day's file may begin or end with a few lines of
// its neighbours), and any other the store found rows of the range in.
#include "history/LogfileCatalog.h"

#include <QList>
#include <cstdint>

class SummaryStore;
class LogfileClock;

namespace RangeFiles {

// The local calendar day an instant falls on.
QDate localDay(LogfileClock& clock, int64_t instant);

// By day and name; the store may be one that is not open.
QList<LogfileInfo> of(const LogfileCatalog& catalog, SummaryStore& store, const QString& installation, int64_t from,
                      int64_t to);

} // namespace RangeFiles
