#pragma once
// Journal entries as CSV rows (UTF-8, comma, RFC 4180, CR LF):
//
//   kind,sensor,quantity,level,relay,start,confirmed,end,duration_s,open,began_before,remarks
//   sensor_alarm,2,oil_quality,main_alarm,0,2026-03-02T10:00:00+01:00,...
//
// Times in ISO 8601 local time with their offset (empty when there is
// none: no confirmation, no end of an open entry), the duration in seconds
// (of an open entry up to the range's end), open and began_before 0 or 1, the remarks
// in words (JournalText).
#include "history/JournalEntry.h"

#include <QByteArray>

class LogfileClock;

namespace JournalCsv {

QByteArray header();
void appendRow(QByteArray& out, const JournalEntry& entry, LogfileClock& clock);

} // namespace JournalCsv
