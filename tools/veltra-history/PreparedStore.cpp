#include "PreparedStore.h"

#include "Commands.h"
#include "history/HistoryBuilder.h"
#include "history/RangeFiles.h"

#include <QCoreApplication>

PreparedStore::PreparedStore(const HistoryRequest& request, const LogfileCatalog& catalog)
    : request_(request)
    , catalog_(catalog)
    , path_(request.cache.isEmpty() ? SummaryStore::defaultPath(request.logDir) : request.cache)
    , store_(std::make_unique<SummaryStore>(path_, request.logDir, request.swapDate))
{
}

bool PreparedStore::build(const QList<LogfileInfo>& files, QString* storeError, QString* problem)
{
    HistoryBuilder builder({path_, request_.logDir, request_.installation, request_.swapDate, 2});
    BuildResult result = builder.buildAll(files);
    if (result.storeDamaged) {
        // Damage found in use: the store goes, and is made anew at once.
        store_.reset();
        SummaryStore::remove(path_);
        store_ = std::make_unique<SummaryStore>(path_, request_.logDir, request_.swapDate);
        result = builder.buildAll(files);
    }
    *storeError = result.storeError;
    if (!result.fileErrors.isEmpty()) {
        *problem = QStringLiteral("cannot read ") + result.fileErrors.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

bool PreparedStore::bringUpToDate(int64_t from, int64_t to, QString* problem)
{
    QString storeError = store_->isOpen() ? QString() : store_->error();
    const QList<LogfileInfo> files = RangeFiles::of(catalog_, *store_, request_.installation, from, to);
    if (store_->isOpen() && !build(files, &storeError, problem))
        return false;
    if (storeError.isEmpty())
        return true;
    complain(storeError + QStringLiteral("; going on without it"), Exit::Ok);
    path_ = SummaryStore::inMemoryPath(QString::number(QCoreApplication::applicationPid()));
    store_ = std::make_unique<SummaryStore>(path_, request_.logDir, request_.swapDate);
    if (!build(files, &storeError, problem))
        return false;
    if (storeError.isEmpty())
        return true;
    *problem = storeError;
    return false;
}

QString damageNoted(SummaryStore& store, const QString& problem)
{
    if (!store.damaged())
        return problem;
    SummaryStore::remove(store.path());
    return problem + QStringLiteral("; it is removed and made anew by the next run");
}
