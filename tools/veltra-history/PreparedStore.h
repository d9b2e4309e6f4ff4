#pragma once
// The summary store of a request, brought up to date with the logfiles that
// can hold rows of a time range, on both cores. A store that cannot be
// opened or written is named on standard error with the reason, and the
// command goes on with one in memory.
#include "HistoryRequest.h"
#include "history/UpToDateStore.h"

class PreparedStore {
public:
    PreparedStore(const HistoryRequest& request, const LogfileCatalog& catalog);

    // False with the problem when a logfile could not be read.
    bool bringUpToDate(int64_t from, int64_t to, QString* problem);
    SummaryStore& store() { return store_.store(); }
    // The store in use: the one asked for, or the one in memory.
    QString path() const { return store_.path(); }
    const LogfileCatalog& catalog() const { return catalog_; }

private:
    const LogfileCatalog& catalog_;
    UpToDateStore store_;
};

// The words for a failed read of the store. A store found damaged while it
// is read goes, and the next run makes it anew: the words say so.
QString damageNoted(SummaryStore& store, const QString& problem);
