#include "history/Forecast.h"
#include "history/JournalReader.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileClock.h"
#include "history/UpToDateStore.h"
#include "report/ReportData.h"

#include <algorithm>

namespace {

// Columns of the report's chart: half a millimetre each across its width.
constexpr int ChartColumns = 340;
// Minute buckets are read a week at a time: a month at once is some 30 MB.
constexpr int64_t ChunkSeconds = 7 * 86400;

int64_t startOfDay(LogfileClock& clock, const QDate& day)
{
    return clock.startOfDay(QDate(1970, 1, 1).daysTo(day));
}

// Figures and covered minutes from the minute buckets of the range.
bool readFigures(SummaryStore& store, const QString& key, ReportData& d, QString* problem)
{
    std::vector<Bucket> buckets;
    for (int64_t start = d.from; start < d.to; start += ChunkSeconds) {
        if (!store.buckets(key, Tier::Minute, start, std::min(d.to, start + ChunkSeconds), buckets)) {
            *problem = store.error();
            return false;
        }
        for (const Bucket& b : buckets) {
            for (int k = 0; k < Series::kCount; ++k)
                d.figures[k].addLater(b.series[k]);
            for (int s = 1; s <= Series::kSensors; ++s)
                d.coveredMinutes[s - 1] += b.of(s, 0).count > 0 ? 1 : 0;
        }
    }
    return true;
}

// The live window's, or the last one logged in the range or before it that
// the store knows of.
void readParameters(SummaryStore& store, const QString& key, const ReportRequest& request, ReportData& d)
{
    if (request.parameters) {
        d.parameters = request.parameters;
        d.parametersLive = true;
        return;
    }
    const std::vector<FileState> files = store.files(key);
    d.parameters = LastParameterRecord::asOf(files, d.to - 1);
    for (const FileState& f : files)
        if (!f.parameterRecord.isEmpty() && f.parameterInstant < d.to)
            d.parametersInstant = std::max(d.parametersInstant, f.parameterInstant);
}

void chooseSensors(ReportData& d)
{
    const int counted = d.parameters ? d.parameters->sensorCount : 0;
    for (int s = 1; s <= Series::kSensors; ++s)
        if (s <= counted || d.figures[Series::index(s, 0)].count > 0)
            d.sensors.push_back(s);
}

// As of the range's end, from the data of the forecast's window (which may
// reach back before the range: its days are summarised first).
bool readForecasts(UpToDateStore& prepared, const LogfileCatalog& catalog, const ReportRequest& request,
                   ReportData& d, QString* problem)
{
    ForecastRequest forecast;
    forecast.installation = request.installation;
    forecast.at = d.to;
    forecast.notes = NotesFile(request.logDir).read(request.installation);
    forecast.parameters = d.parameters;
    if (!prepared.bringUpToDate(catalog, Forecast::firstNeeded(forecast), d.to, problem))
        return false;
    const ForecastResult result = Forecast::run(prepared.store(), forecast);
    if (!result.ok) {
        *problem = result.error;
        return false;
    }
    d.forecasts = result.levels;
    return true;
}

bool readRange(SummaryStore& store, const LogfileCatalog& catalog, const ReportRequest& request, ReportData& d,
               QString* problem)
{
    const QString key = LogfileCatalog::installationKey(request.installation);
    if (!readFigures(store, key, d, problem))
        return false;
    d.chartTier = ReportGathering::tierFor(d.to - d.from, ChartColumns);
    if (!store.buckets(key, d.chartTier, d.from, d.to, d.chartBuckets)) {
        *problem = store.error();
        return false;
    }
    JournalReader reader(store, catalog, request.swapDate);
    if (!reader.read(request.installation, d.from, d.to, d.journal)) {
        *problem = reader.error();
        return false;
    }
    d.alarmTimes = AlarmTimes::of(d.journal);
    readParameters(store, key, request, d);
    for (const Note& n : NotesFile(request.logDir).read(request.installation))
        if (n.instant >= d.from && n.instant < d.to)
            d.notes.push_back(n);
    chooseSensors(d);
    return true;
}

} // namespace

double ReportData::coverage(int sensor) const
{
    const double minutes = double(to - from) / 60.0;
    if (minutes <= 0 || sensor < 1 || sensor > Series::kSensors)
        return 0;
    return std::min(100.0, 100.0 * double(coveredMinutes[sensor - 1]) / minutes);
}

QString ReportData::sensorName(int sensor) const
{
    const QString given = request.sensorNames.value(sensor - 1).trimmed();
    return given.isEmpty() ? QStringLiteral("Sensor %1").arg(sensor) : given;
}

namespace ReportGathering {

Tier tierFor(int64_t seconds, int columns)
{
    const int64_t column = columns > 0 ? seconds / columns : 0;
    if (column >= 86400)
        return Tier::Day;
    for (const Tier t : {Tier::Hour, Tier::TenMinutes})
        if (Tiers::seconds(t) <= column)
            return t;
    return Tier::Minute;
}

bool gather(const ReportRequest& request, ReportData& d, QString* problem)
{
    d = ReportData();
    d.request = request;
    if (!request.from.isValid() || !request.to.isValid() || request.from > request.to) {
        *problem = QStringLiteral("the first day of a report must be a day not after its last");
        return false;
    }
    const LogfileCatalog catalog(request.logDir);
    if (!catalog.readable()) {
        *problem = QStringLiteral("cannot read the log folder %1: %2").arg(request.logDir, catalog.error());
        return false;
    }
    LogfileClock clock;
    d.from = startOfDay(clock, request.from);
    const int64_t end = startOfDay(clock, request.to.addDays(1));
    d.to = request.printedAt > 0 ? std::clamp(request.printedAt, d.from, end) : end;
    UpToDateStore prepared(request.storePath.isEmpty() ? SummaryStore::defaultPath(request.logDir) : request.storePath,
                           request.logDir, request.installation, request.swapDate);
    if (!prepared.bringUpToDate(catalog, d.from, end, problem))
        return false;
    return readRange(prepared.store(), catalog, request, d, problem)
        && readForecasts(prepared, catalog, request, d, problem);
}

} // namespace ReportGathering
