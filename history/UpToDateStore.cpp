#include "history/UpToDateStore.h"

#include "history/HistoryBuilder.h"
#include "history/RangeFiles.h"

#include <QCoreApplication>

UpToDateStore::UpToDateStore(const QString& path, const QString& logDir, const QString& installation,
                             bool swapDate)
    : path_(path)
    , logDir_(logDir)
    , installation_(installation)
    , swapDate_(swapDate)
    , store_(std::make_unique<SummaryStore>(path, logDir, swapDate))
{
}

bool UpToDateStore::build(const QList<LogfileInfo>& files, QString* storeError, QString* problem)
{
    HistoryBuilder builder({path_, logDir_, installation_, swapDate_, 2});
    BuildResult result = builder.buildAll(files);
    if (result.storeDamaged) {
        // Damage found in use: the store goes, and is made anew at once.
        store_.reset();
        SummaryStore::remove(path_);
        store_ = std::make_unique<SummaryStore>(path_, logDir_, swapDate_);
        result = builder.buildAll(files);
    }
    *storeError = result.storeError;
    if (!result.fileErrors.isEmpty()) {
        *problem = QStringLiteral("cannot read ") + result.fileErrors.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

bool UpToDateStore::bringUpToDate(const LogfileCatalog& catalog, int64_t from, int64_t to, QString* problem)
{
    QString storeError = store_->isOpen() ? QString() : store_->error();
    const QList<LogfileInfo> files = RangeFiles::of(catalog, *store_, installation_, from, to);
    if (store_->isOpen() && !build(files, &storeError, problem))
        return false;
    if (storeError.isEmpty())
        return true;
    setAside_ = storeError;
    path_ = SummaryStore::inMemoryPath(installation_ + QLatin1Char('-')
                                       + QString::number(QCoreApplication::applicationPid()));
    store_ = std::make_unique<SummaryStore>(path_, logDir_, swapDate_);
    if (!build(files, &storeError, problem))
        return false;
    if (storeError.isEmpty())
        return true;
    *problem = storeError;
    return false;
}
