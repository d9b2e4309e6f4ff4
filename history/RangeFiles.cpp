#include "history/RangeFiles.h"

#include "history/LogfileClock.h"
#include "history/SummaryStore.h"

#include <QSet>
#include <algorithm>

namespace RangeFiles {

QDate localDay(LogfileClock& clock, int64_t instant)
{
    const int64_t day = LogfileClock::floorDiv(instant + clock.offsetAt(instant), 86400);
    return QDate(1970, 1, 1).addDays(day);
}

QList<LogfileInfo> of(const LogfileCatalog& catalog, SummaryStore& store, const QString& installation, int64_t from,
                      int64_t to)
{
    LogfileClock clock;
    QList<LogfileInfo> files
        = catalog.files(installation, localDay(clock, from).addDays(-1), localDay(clock, to - 1).addDays(1));
    QSet<QString> listed;
    for (const LogfileInfo& f : files)
        listed.insert(f.name);
    QSet<QString> elsewhere;
    for (const FileState& stored : store.files(LogfileCatalog::installationKey(installation)))
        if (!listed.contains(stored.name) && stored.records > 0 && stored.firstInstant < to && stored.endInstant > from)
            elsewhere.insert(stored.name);
    if (!elsewhere.isEmpty())
        for (const LogfileInfo& f : catalog.files(installation))
            if (elsewhere.contains(f.name))
                files.append(f);
    std::sort(files.begin(), files.end(), [](const LogfileInfo& a, const LogfileInfo& b) {
        return a.day != b.day ? a.day < b.day : a.name < b.name;
    });
    return files;
}

} // namespace RangeFiles
