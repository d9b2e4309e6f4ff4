// veltra-history forecast: where each value of an installation is heading,
// and when it reaches each level of its gauge and the evaluator's alarm
// levels, as JSON.
#include "Commands.h"
#include "ForecastJson.h"
#include "HistoryRequest.h"
#include "PreparedStore.h"
#include "history/Forecast.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileClock.h"
#include "history/RangeFiles.h"
#include "history/TrendWindow.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QJsonDocument>
#include <cstdio>

namespace {

// How far before the window the logfiles are searched for the evaluator's
// last parameter record, and how many days are summarised at a time.
constexpr int ParameterLookBackDays = 63;
constexpr int ParameterStepDays = 7;

struct ForecastOptions {
    ForecastOptions()
    {
        parser.setApplicationDescription(
            QStringLiteral("Where each sensor value of an installation is heading, and when it reaches each level "
                           "(the evaluator's alarm levels, the ends of the gauge's coloured sections), as JSON, after "
                           "bringing the summary store up to date."));
        common.addTo(parser);
        parser.addOptions({at, windowDays});
        addHelp(parser);
    }
    QCommandLineParser parser;
    HistoryOptions common{false};
    QCommandLineOption at{QStringLiteral("at"),
                          QStringLiteral("Forecast as of the end of this local day, from the data up to it "
                                         "(default: now)."),
                          QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption windowDays{QStringLiteral("window-days"),
                                  QStringLiteral("Days the trend looks back when no oil change or sensor replacement "
                                                 "is noted for the sensor (default 30)."),
                                  QStringLiteral("N")};
};

// The instant of --at (the end of that local day), or now; false with the
// problem in words.
bool readAt(const ForecastOptions& o, LogfileClock& clock, int64_t& at, QString* problem)
{
    if (!o.parser.isSet(o.at)) {
        at = QDateTime::currentSecsSinceEpoch();
        return true;
    }
    QDate day;
    if (!readDay(o.parser.value(o.at), day)) {
        *problem = QStringLiteral("--at takes a day as YYYY-MM-DD");
        return false;
    }
    at = clock.startOfDay(QDate(1970, 1, 1).daysTo(day) + 1);
    return true;
}

bool readWindowDays(const ForecastOptions& o, int& days, QString* problem)
{
    if (!o.parser.isSet(o.windowDays))
        return true;
    bool ok = false;
    days = o.parser.value(o.windowDays).toInt(&ok);
    if (ok && days >= 1 && days <= TrendWindows::MaxWindowDays)
        return true;
    *problem
        = QStringLiteral("--window-days takes a whole number of days from 1 to %1").arg(TrendWindows::MaxWindowDays);
    return false;
}

// The evaluator's last parameter record as of `at`. When the logfiles
// summarised for the window hold none (an evaluator that sent it when it was
// connected, weeks ago), older ones are summarised too, newest first, a week
// at a time (the store keeps them); nothing when none is found by then.
bool findParameters(PreparedStore& prepared, const HistoryRequest& request, int64_t from, ForecastRequest& forecast,
                    QString* problem)
{
    const QString key = LogfileCatalog::installationKey(request.installation);
    LogfileClock clock;
    for (int back = 0;; back += ParameterStepDays) {
        forecast.parameters = LastParameterRecord::asOf(prepared.store().files(key), forecast.at);
        const int64_t end = from - int64_t(back) * 86400;
        if (forecast.parameters || back >= ParameterLookBackDays
            || prepared.catalog().files(request.installation, QDate(), RangeFiles::localDay(clock, end)).isEmpty())
            return true;
        if (!prepared.bringUpToDate(end - ParameterStepDays * 86400, end, problem))
            return false;
    }
}

int printJson(const std::vector<LevelForecast>& levels, LogfileClock& clock)
{
    const QByteArray text = QJsonDocument(ForecastJson::levels(levels, clock)).toJson(QJsonDocument::Indented);
    const size_t size = size_t(text.size());
    if (std::fwrite(text.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0)
        return complain(QStringLiteral("cannot write to standard output"), Exit::Failed);
    return Exit::Ok;
}

} // namespace

QString forecastHelp()
{
    return helpText(ForecastOptions().parser, QStringLiteral("forecast"));
}

int forecastCommand(const QStringList& arguments)
{
    ForecastOptions o;
    if (const int code = parseCommand(o.parser, QStringLiteral("forecast"), arguments); code >= 0)
        return code;
    HistoryRequest request;
    ForecastRequest forecast;
    LogfileClock clock;
    QString problem;
    if (!o.common.read(o.parser, request, &problem) || !readAt(o, clock, forecast.at, &problem)
        || !readWindowDays(o, forecast.windowDays, &problem))
        return complain(problem, Exit::BadUse);
    const LogfileCatalog catalog(request.logDir);
    const QDate lastDay = RangeFiles::localDay(clock, forecast.at - 1);
    if (catalog.files(request.installation, QDate(), lastDay).isEmpty())
        return complain(QStringLiteral("no logfiles of %1 up to %2 in %3")
                            .arg(request.installation, lastDay.toString(Qt::ISODate), request.logDir),
                        Exit::BadUse);

    forecast.installation = request.installation;
    forecast.notes = NotesFile(request.logDir).read(request.installation);
    PreparedStore prepared(request, catalog);
    const int64_t from = Forecast::firstNeeded(forecast);
    if (!prepared.bringUpToDate(from, forecast.at, &problem)
        || !findParameters(prepared, request, from, forecast, &problem))
        return complain(problem, Exit::Failed);
    SummaryStore& store = prepared.store();
    const ForecastResult result = Forecast::run(store, forecast);
    if (!result.ok)
        return complain(damageNoted(store, result.error), Exit::Failed);
    return printJson(result.levels, clock);
}
