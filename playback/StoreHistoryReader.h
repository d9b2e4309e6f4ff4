#pragma once
#include "history/LogfileCatalog.h"
#include "history/RawReader.h"
#include "history/SummaryStore.h"
#include "playback/HistoryReader.h"

#include <memory>

// The history of one installation: its summaries from the store, its
// records from the logfiles of its folder. A connection of its own to the
// store, for the window's thread.
class StoreHistoryReader final : public IHistoryReader {
public:
    StoreHistoryReader(const QString& storePath, const QString& logDir, const QString& installation, bool swapDate);

    // Reads another store from now on (one held in memory when the file
    // cannot be written).
    void useStore(const QString& storePath);

    bool buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out) override;
    bool records(int64_t from, int64_t to, std::vector<RawRecord>& out) override;
    QString error() const override { return error_; }

private:
    QString logDir_;
    bool swapDate_;
    std::unique_ptr<SummaryStore> store_;
    LogfileCatalog catalog_;
    std::unique_ptr<RawReader> raw_;
    QString installation_;
    QString error_;
};
