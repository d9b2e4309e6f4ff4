#include "PreparedStore.h"

#include "Commands.h"

PreparedStore::PreparedStore(const HistoryRequest& request, const LogfileCatalog& catalog)
    : catalog_(catalog)
    , store_(request.cache.isEmpty() ? SummaryStore::defaultPath(request.logDir) : request.cache, request.logDir,
             request.installation, request.swapDate)
{
}

bool PreparedStore::bringUpToDate(int64_t from, int64_t to, QString* problem)
{
    const bool done = store_.bringUpToDate(catalog_, from, to, problem);
    if (!store_.setAside().isEmpty())
        complain(store_.setAside() + QStringLiteral("; going on without it"), Exit::Ok);
    return done;
}

QString damageNoted(SummaryStore& store, const QString& problem)
{
    if (!store.damaged())
        return problem;
    SummaryStore::remove(store.path());
    return problem + QStringLiteral("; it is removed and made anew by the next run");
}
