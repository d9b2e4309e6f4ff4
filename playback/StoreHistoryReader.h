#pragma once
#include "history/LogfileCatalog.h"
#include "history/RawReader.h"
#include "history/SummaryStore.h"
#include "playback/HistoryReader.h"

// The history of one installation: its summaries from the store, its
// records from the logfiles of its folder. A connection of its own to the
// store, for the window's thread.
class StoreHistoryReader final : public IHistoryReader {
public:
    StoreHistoryReader(const QString& storePath, const QString& logDir, const QString& installation, bool swapDate);

    bool buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out) override;
    bool records(int64_t from, int64_t to, std::vector<RawRecord>& out) override;
    QString error() const override { return error_; }

private:
    SummaryStore store_;
    LogfileCatalog catalog_;
    RawReader raw_;
    QString installation_;
    QString error_;
};
