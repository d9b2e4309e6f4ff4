#include "history/ForecastWatcher.h"

#include "core/IClock.h"
#include "history/Forecast.h"
#include "history/HistoryBuilder.h"
#include "history/LogfileCatalog.h"
#include "history/NotesFile.h"
#include "history/SummaryStore.h"

#include <QMetaObject>

ForecastWatcher::ForecastWatcher(const IClock& clock, QObject* parent) : QObject(parent), clock_(clock) {}

ForecastWatcher::~ForecastWatcher()
{
    if (worker_.joinable())
        worker_.join();
}

const LevelForecast* ForecastWatcher::of(int sensor, int value) const
{
    for (const LevelForecast& f : latest_)
        if (f.sensor == sensor && f.value == value)
            return &f;
    return nullptr;
}

void ForecastWatcher::update(const QString& logDir, const QString& installation, bool swapDate,
                             const std::optional<ParameterInfo>& parameters, int windowDays)
{
    if (running_.exchange(true))
        return;
    if (worker_.joinable())
        worker_.join();
    ForecastRequest request;
    request.installation = installation;
    request.at = clock_.now().toSecsSinceEpoch();
    request.parameters = parameters;
    request.windowDays = windowDays;
    worker_ = std::thread([this, request, logDir, swapDate]() mutable {
        request.notes = NotesFile(logDir).read(request.installation);
        summarise(logDir, swapDate, request);
        SummaryStore store(SummaryStore::defaultPath(logDir), logDir, swapDate);
        std::vector<LevelForecast> next;
        if (store.isOpen())
            next = Forecast::next(Forecast::run(store, request).levels);
        QMetaObject::invokeMethod(
            this, [this, next = std::move(next)]() mutable { take(std::move(next)); }, Qt::QueuedConnection);
        running_ = false;
    });
}

// The files of the forecast's window are summarised first: files kept from
// before cost a look each, the day's file is read on.
void ForecastWatcher::summarise(const QString& logDir, bool swapDate, const ForecastRequest& request)
{
    const QDate first = QDateTime::fromSecsSinceEpoch(Forecast::firstNeeded(request)).date().addDays(-1);
    const QDate last = QDateTime::fromSecsSinceEpoch(request.at).date();
    HistoryBuilder builder(
        HistoryBuilder::Settings{SummaryStore::defaultPath(logDir), logDir, request.installation, swapDate, 1});
    builder.buildAll(LogfileCatalog(logDir).files(request.installation, first, last));
}

void ForecastWatcher::take(std::vector<LevelForecast> forecasts)
{
    latest_ = std::move(forecasts);
    emit updated();
}
