#include "HistoryRequest.h"

#include "Commands.h"
#include "history/LogfileCatalog.h"
#include "history/LogfileClock.h"

#include <QFileInfo>
#include <cstdio>
#include <vector>

bool readDay(const QString& text, QDate& day)
{
    day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return text.size() == 10 && day.isValid();
}

HistoryOptions::HistoryOptions(bool withDays)
    : logDir_(QStringLiteral("logdir"), QStringLiteral("The log folder holding the daily data logfiles."),
              QStringLiteral("DIR"))
    , installation_(QStringLiteral("installation"), QStringLiteral("The installation, as named in the logger."),
                    QStringLiteral("NAME"))
    , from_(QStringLiteral("from"), QStringLiteral("The first local calendar day."), QStringLiteral("YYYY-MM-DD"))
    , to_(QStringLiteral("to"), QStringLiteral("The last local calendar day (included)."), QStringLiteral("YYYY-MM-DD"))
    , cache_(QStringLiteral("cache"),
             QStringLiteral("The summary store to use or make instead of the default one (DIR/VELTRA-history.sqlite, "
                            "or one in the user's cache folder when DIR cannot be written)."),
             QStringLiteral("FILE"))
    , swapDate_(QStringLiteral("swap-date"),
                QStringLiteral("The logfiles' dates are written day first (the logger's SWAPDATE=1)."))
    , withDays_(withDays)
{
}

void HistoryOptions::addTo(QCommandLineParser& parser) const
{
    parser.addOptions({logDir_, installation_});
    if (withDays_)
        parser.addOptions({from_, to_});
    parser.addOptions({cache_, swapDate_});
}

bool HistoryOptions::read(const QCommandLineParser& parser, HistoryRequest& request, QString* problem) const
{
    std::vector<const QCommandLineOption*> needed{&logDir_, &installation_};
    if (withDays_)
        needed.insert(needed.end(), {&from_, &to_});
    for (const QCommandLineOption* o : needed) {
        if (!parser.isSet(*o)) {
            *problem = QStringLiteral("--%1 is missing").arg(o->names().first());
            return false;
        }
    }
    request.logDir = parser.value(logDir_);
    request.installation = parser.value(installation_);
    request.cache = parser.value(cache_);
    request.swapDate = parser.isSet(swapDate_);
    if (withDays_ && (!readDay(parser.value(from_), request.from) || !readDay(parser.value(to_), request.to))) {
        *problem = QStringLiteral("--from and --to take a day as YYYY-MM-DD");
        return false;
    }
    if (request.from > request.to) {
        *problem = QStringLiteral("--from comes after --to");
        return false;
    }
    if (parser.isSet(cache_) && request.cache.isEmpty()) {
        *problem = QStringLiteral("--cache takes a file name");
        return false;
    }
    const LogfileCatalog catalog(request.logDir);
    if (!QFileInfo(request.logDir).isDir() || !catalog.readable()) {
        *problem = QStringLiteral("cannot read the log folder %1: %2")
                       .arg(request.logDir, catalog.readable() ? QStringLiteral("Not a directory") : catalog.error());
        return false;
    }
    return true;
}

bool findLogfiles(const LogfileCatalog& catalog, const HistoryRequest& request, QString* problem)
{
    if (!catalog.files(request.installation, request.from, request.to).isEmpty())
        return true;
    *problem = QStringLiteral("no logfiles of %1 from %2 to %3 in %4")
                   .arg(request.installation, request.from.toString(Qt::ISODate), request.to.toString(Qt::ISODate),
                        request.logDir);
    return false;
}

int64_t startOfDay(LogfileClock& clock, const QDate& day)
{
    return clock.startOfDay(QDate(1970, 1, 1).daysTo(day));
}

void addHelp(QCommandLineParser& parser)
{
    parser.addOption(
        QCommandLineOption({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Shows this help.")));
}

QString helpText(const QCommandLineParser& parser, const QString& command)
{
    QString text = parser.helpText();
    return QStringLiteral("Usage: veltra-history %1 [options]").arg(command)
        + text.mid(text.indexOf(QLatin1Char('\n')));
}

int parseCommand(QCommandLineParser& parser, const QString& command, const QStringList& arguments)
{
    if (!parser.parse(QStringList{QStringLiteral("veltra-history")} + arguments))
        return complain(
            parser.errorText() + QStringLiteral(" (see veltra-history %1 --help)").arg(command), Exit::BadUse);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(helpText(parser, command)), stdout);
        return Exit::Ok;
    }
    if (!parser.positionalArguments().isEmpty())
        return complain(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()),
                        Exit::BadUse);
    return -1;
}

int complain(const QString& message, int exitCode)
{
    std::fprintf(stderr, "veltra-history: %s\n", qUtf8Printable(message));
    return exitCode;
}
