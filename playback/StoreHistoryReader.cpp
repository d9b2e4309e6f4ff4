#include "playback/StoreHistoryReader.h"

StoreHistoryReader::StoreHistoryReader(const QString& storePath, const QString& logDir, const QString& installation,
                                       bool swapDate)
    : logDir_(logDir), swapDate_(swapDate), catalog_(logDir), installation_(installation)
{
    useStore(storePath);
}

void StoreHistoryReader::useStore(const QString& storePath)
{
    raw_.reset();
    store_ = std::make_unique<SummaryStore>(storePath, logDir_, swapDate_);
    raw_ = std::make_unique<RawReader>(*store_, catalog_, swapDate_);
}

bool StoreHistoryReader::buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out)
{
    out.clear();
    if (store_->buckets(installation_, tier, from, to, out))
        return true;
    error_ = store_->error();
    return false;
}

bool StoreHistoryReader::records(int64_t from, int64_t to, std::vector<RawRecord>& out)
{
    out.clear();
    if (raw_->read(installation_, from, to, out))
        return true;
    error_ = raw_->error();
    return false;
}
