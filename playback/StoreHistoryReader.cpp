#include "playback/StoreHistoryReader.h"

StoreHistoryReader::StoreHistoryReader(const QString& storePath, const QString& logDir, const QString& installation,
                                       bool swapDate)
    : store_(storePath, logDir, swapDate), catalog_(logDir), raw_(store_, catalog_, swapDate), installation_(installation)
{
}

bool StoreHistoryReader::buckets(Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out)
{
    out.clear();
    if (store_.buckets(installation_, tier, from, to, out))
        return true;
    error_ = store_.error();
    return false;
}

bool StoreHistoryReader::records(int64_t from, int64_t to, std::vector<RawRecord>& out)
{
    out.clear();
    if (raw_.read(installation_, from, to, out))
        return true;
    error_ = raw_.error();
    return false;
}
