// veltra-history report: the report of an installation over some local days
// as a PDF.
#include "Commands.h"
#include "HistoryRequest.h"
#include "PreparedStore.h"
#include "history/LogfileClock.h"
#include "report/ReportWriter.h"

#include <QCommandLineParser>
#include <QDateTime>

namespace {

struct ReportOptions {
    ReportOptions()
    {
        parser.setApplicationDescription(QStringLiteral(
            "The report of an installation over some days as a PDF (A4): the evaluator, the figures of every "
            "sensor and value with their coverage and alarm times, the chart of the range, the forecast as of its "
            "end, the alarm journal and the maintenance notes."));
        common.addTo(parser);
        parser.addOption(output);
        addHelp(parser);
    }
    QCommandLineParser parser;
    HistoryOptions common;
    QCommandLineOption output{QStringLiteral("output"), QStringLiteral("The PDF file to write."),
                              QStringLiteral("FILE.pdf")};
};

} // namespace

QString reportHelp()
{
    return helpText(ReportOptions().parser, QStringLiteral("report"));
}

int reportCommand(const QStringList& arguments)
{
    ReportOptions o;
    if (const int code = parseCommand(o.parser, QStringLiteral("report"), arguments); code >= 0)
        return code;
    HistoryRequest request;
    QString problem;
    if (!o.common.read(o.parser, request, &problem))
        return complain(problem, Exit::BadUse);
    if (!o.parser.isSet(o.output) || o.parser.value(o.output).isEmpty())
        return complain(QStringLiteral("--output is missing"), Exit::BadUse);
    const LogfileCatalog catalog(request.logDir);
    if (!findLogfiles(catalog, request, &problem))
        return complain(problem, Exit::BadUse);

    // The store is made ready here, so a store that cannot be written is
    // named once and the report reads the one in memory instead.
    LogfileClock clock;
    PreparedStore prepared(request, catalog);
    if (!prepared.bringUpToDate(startOfDay(clock, request.from), startOfDay(clock, request.to.addDays(1)), &problem))
        return complain(problem, Exit::Failed);
    ReportRequest report;
    report.logDir = request.logDir;
    report.installation = request.installation;
    report.from = request.from;
    report.to = request.to;
    report.swapDate = request.swapDate;
    report.storePath = prepared.path();
    report.printedAt = QDateTime::currentSecsSinceEpoch();
    if (!writeReport(report, o.parser.value(o.output), &problem))
        return complain(problem, Exit::Failed);
    return Exit::Ok;
}
