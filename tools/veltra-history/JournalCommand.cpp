// veltra-history journal: the alarm journal of an installation over some
// local days as CSV, one row per entry.
#include "Commands.h"
#include "HistoryRequest.h"
#include "OutputFile.h"
#include "PreparedStore.h"
#include "history/JournalCsv.h"
#include "history/JournalReader.h"
#include "history/LogfileClock.h"

#include <QCommandLineParser>
#include <QDateTime>

namespace {

struct JournalOptions {
    JournalOptions()
    {
        parser.setApplicationDescription(QStringLiteral(
            "The alarm journal of an installation over some days as CSV (kind,sensor,quantity,level,relay,start,"
            "confirmed,end,duration_s,open,began_before,remarks): alarm episodes of the sensors and the alarm "
            "relays, evaluator losses, measurement stops and times the logger was not running."));
        common.addTo(parser);
        parser.addOption(output);
        addHelp(parser);
    }
    QCommandLineParser parser;
    HistoryOptions common;
    QCommandLineOption output{QStringLiteral("output"), QStringLiteral("Write to FILE instead of standard output."),
                              QStringLiteral("FILE")};
};

} // namespace

QString journalHelp()
{
    return helpText(JournalOptions().parser, QStringLiteral("journal"));
}

int journalCommand(const QStringList& arguments)
{
    JournalOptions o;
    if (const int code = parseCommand(o.parser, QStringLiteral("journal"), arguments); code >= 0)
        return code;
    HistoryRequest request;
    QString problem;
    if (!o.common.read(o.parser, request, &problem))
        return complain(problem, Exit::BadUse);
    const LogfileCatalog catalog(request.logDir);
    if (!findLogfiles(catalog, request, &problem))
        return complain(problem, Exit::BadUse);

    LogfileClock clock;
    const int64_t from = startOfDay(clock, request.from);
    // What is still going ends now, not at a midnight to come.
    const int64_t to = std::min<int64_t>(startOfDay(clock, request.to.addDays(1)), QDateTime::currentSecsSinceEpoch());
    PreparedStore prepared(request, catalog);
    if (!prepared.bringUpToDate(from, to, &problem))
        return complain(problem, Exit::Failed);
    JournalReader reader(prepared.store(), catalog, request.swapDate);
    std::vector<JournalEntry> entries;
    if (!reader.read(request.installation, from, std::max(from, to), entries))
        return complain(reader.error(), Exit::Failed);
    QByteArray text = JournalCsv::header();
    for (const JournalEntry& e : entries)
        JournalCsv::appendRow(text, e, clock);
    return OutputFile::write(o.parser.value(o.output), [&](const OutputFile::Write& write, QString*) {
        return write(text);
    });
}
