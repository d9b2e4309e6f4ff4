#include "history/TrendWindow.h"

#include <algorithm>

namespace TrendWindows {

bool beginsAnew(const Note& note)
{
    const QString text = note.text.trimmed();
    return text.compare(NotesFile::oilChanged(), Qt::CaseInsensitive) == 0
        || text.compare(NotesFile::sensorReplaced(), Qt::CaseInsensitive) == 0;
}

TrendWindow of(const std::vector<Note>& notes, int sensor, int64_t at, int windowDays)
{
    TrendWindow w;
    w.to = at;
    w.from = at - int64_t(std::clamp(windowDays, 1, MaxWindowDays)) * 86400;
    w.settledFrom = w.from;
    // Notes come in any order from a caller; the latest one that counts wins.
    int64_t latest = INT64_MIN;
    for (const Note& n : notes)
        if (n.instant <= at && n.instant > latest && (n.sensor == sensor || n.sensor == Note::AllSensors)
            && beginsAnew(n))
            latest = n.instant;
    if (latest != INT64_MIN) {
        w.from = latest;
        w.settledFrom = latest + SettleSeconds;
        w.sinceNote = true;
    }
    return w;
}

} // namespace TrendWindows
