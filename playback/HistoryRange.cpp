#include "playback/HistoryRange.h"

namespace HistoryRange {

QString presetText(Preset preset)
{
    switch (preset) {
    case Preset::Last7Days: return QStringLiteral("Last 7 days");
    case Preset::Last30Days: return QStringLiteral("Last 30 days");
    case Preset::LastYear: return QStringLiteral("Last year");
    case Preset::All: return QStringLiteral("All");
    }
    return {};
}

Days preset(Preset preset, QDate today, QDate firstFileDay, QDate lastFileDay)
{
    switch (preset) {
    case Preset::Last7Days: return {today.addDays(-6), today};
    case Preset::Last30Days: return {today.addDays(-29), today};
    case Preset::LastYear: return {today.addYears(-1).addDays(1), today};
    case Preset::All:
        if (firstFileDay.isValid() && lastFileDay.isValid() && firstFileDay <= lastFileDay)
            return {firstFileDay, lastFileDay};
        return {today, today};
    }
    return {today, today};
}

} // namespace HistoryRange
