// veltra-history export: the summaries of an installation's logfiles over
// some local days as CSV, one row per bucket, sensor and value.
#include "Commands.h"
#include "HistoryRequest.h"
#include "OutputFile.h"
#include "PreparedStore.h"
#include "history/BucketCsv.h"
#include "history/LogfileClock.h"
#include "history/Tier.h"

#include <QCommandLineParser>

namespace {

// Days per query: a month of minute buckets is some 30 MB.
constexpr int ChunkDays = 31;
constexpr qsizetype WriteBytes = qsizetype(4) << 20;

// The CSV of the days, a month of buckets at a time, to `write`.
template <typename Write>
bool writeCsv(SummaryStore& store, const HistoryRequest& r, Tier tier, Write&& write, QString* problem)
{
    LogfileClock clock;
    if (!write(BucketCsv::header()))
        return false;
    std::vector<Bucket> buckets;
    QByteArray text;
    text.reserve(WriteBytes + 8192);
    for (QDate day = r.from; day <= r.to; day = day.addDays(ChunkDays)) {
        const QDate end = std::min(day.addDays(ChunkDays - 1), r.to);
        if (!store.buckets(LogfileCatalog::installationKey(r.installation), tier, startOfDay(clock, day),
                           startOfDay(clock, end.addDays(1)), buckets)) {
            *problem = store.error();
            return false;
        }
        // Written a few MB at a time: a month of minutes is some 80 MB of text.
        for (const Bucket& b : buckets) {
            BucketCsv::appendRows(text, b);
            if (text.size() >= WriteBytes) {
                if (!write(text))
                    return false;
                text.clear();
            }
        }
    }
    return write(text);
}

int writeOutput(SummaryStore& store, const HistoryRequest& request, Tier tier, const QString& output)
{
    return OutputFile::write(output, [&](const OutputFile::Write& write, QString* problem) {
        if (writeCsv(store, request, tier, write, problem))
            return true;
        if (!problem->isEmpty())
            *problem = damageNoted(store, *problem);
        return false;
    });
}

struct ExportOptions {
    ExportOptions()
    {
        parser.setApplicationDescription(
            QStringLiteral("The summaries of an installation's logfiles over some days as CSV "
                           "(start,sensor,value,count,min,mean,max), after bringing the summary store up to date."));
        common.addTo(parser);
        parser.addOptions({every, output});
        addHelp(parser);
    }
    QCommandLineParser parser;
    HistoryOptions common;
    QCommandLineOption every{QStringLiteral("every"), QStringLiteral("Bucket length: 1m, 10m, 1h or 1d."),
                             QStringLiteral("LENGTH")};
    QCommandLineOption output{QStringLiteral("output"), QStringLiteral("Write to FILE instead of standard output."),
                              QStringLiteral("FILE")};
};

} // namespace

QString exportHelp()
{
    return helpText(ExportOptions().parser, QStringLiteral("export"));
}

int exportCommand(const QStringList& arguments)
{
    ExportOptions o;
    if (const int code = parseCommand(o.parser, QStringLiteral("export"), arguments); code >= 0)
        return code;

    HistoryRequest request;
    QString problem;
    Tier tier = Tier::Hour;
    if (!o.common.read(o.parser, request, &problem))
        return complain(problem, Exit::BadUse);
    if (!o.parser.isSet(o.every) || !Tiers::fromName(o.parser.value(o.every), tier))
        return complain(QStringLiteral("--every takes 1m, 10m, 1h or 1d"), Exit::BadUse);
    const LogfileCatalog catalog(request.logDir);
    if (!findLogfiles(catalog, request, &problem))
        return complain(problem, Exit::BadUse);

    LogfileClock clock;
    const int64_t from = startOfDay(clock, request.from);
    const int64_t to = startOfDay(clock, request.to.addDays(1));
    PreparedStore prepared(request, catalog);
    if (!prepared.bringUpToDate(from, to, &problem))
        return complain(problem, Exit::Failed);
    return writeOutput(prepared.store(), request, tier, o.parser.value(o.output));
}
