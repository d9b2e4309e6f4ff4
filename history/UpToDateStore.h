#pragma once
// The summary store of a log folder, brought up to date with the logfiles
// that can hold rows of a time range (on both cores) for a reading that
// follows at once: the command-line tool and the report use it. A store
// found damaged is made anew at once; one that cannot be opened or written
// is set aside, and one in memory takes its place for this reading.
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"

#include <memory>

class UpToDateStore {
public:
    // path: SummaryStore::defaultPath(logDir), a file of the caller's, or an
    // in-memory one.
    UpToDateStore(const QString& path, const QString& logDir, const QString& installation, bool swapDate);

    // False with the problem when a logfile could not be read, or no store
    // at all could be written.
    bool bringUpToDate(const LogfileCatalog& catalog, int64_t from, int64_t to, QString* problem);
    SummaryStore& store() { return *store_; }
    QString path() const { return path_; }
    // Why the store asked for was set aside; empty when it was not.
    QString setAside() const { return setAside_; }

private:
    bool build(const QList<LogfileInfo>& files, QString* storeError, QString* problem);

    QString path_;
    QString logDir_;
    QString installation_;
    bool swapDate_;
    std::unique_ptr<SummaryStore> store_;
    QString setAside_;
};
