#pragma once
// The days a history shows, and the History dialog's presets for them.
#include <QDate>
#include <QString>

namespace HistoryRange {

enum class Preset { Last7Days, Last30Days, LastYear, All };
constexpr Preset Presets[] = {Preset::Last7Days, Preset::Last30Days, Preset::LastYear, Preset::All};

// "Last 7 days", "Last 30 days", "Last year", "All".
QString presetText(Preset preset);

struct Days {
    QDate from; // both days included
    QDate to;
    bool isValid() const { return from.isValid() && to.isValid() && from <= to; }
};

// The days of a preset, ending today; "All" runs from the first day with a
// logfile to the last one (today alone when there is none).
Days preset(Preset preset, QDate today, QDate firstFileDay, QDate lastFileDay);

} // namespace HistoryRange
