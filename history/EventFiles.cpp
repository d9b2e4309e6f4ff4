#include "history/EventFiles.h"

EventFiles::EventFiles(SummaryStore& store, const QString& installation, bool swapDate)
    : store_(store), key_(LogfileCatalog::installationKey(installation)), summariser_(swapDate)
{
}

bool EventFiles::read(const LogfileInfo& file, FileEvents& events, int64_t& latestRecord)
{
    if (!loaded_) {
        for (SummaryStore::StoredEvents& s : store_.events(key_))
            stored_.insert(s.file.name, std::move(s));
        loaded_ = true;
    }
    const auto found = stored_.constFind(file.name);
    if (found != stored_.cend() && found->file.size == file.size && found->file.mtimeNs == file.mtimeNs
        && FileEventsCodec::decode(found->events, events)) {
        latestRecord = found->file.latest;
        return true;
    }
    FileSummariser::Job job;
    job.file = file;
    job.installation = key_;
    const FileSummariser::Outcome outcome = summariser_.run(job, [](int64_t) { return true; });
    if (!outcome.error.isEmpty()) {
        error_ = file.name + QStringLiteral(": ") + outcome.error;
        return false;
    }
    bytesRead_ += outcome.summary.state.readOffset;
    if (store_.isOpen())
        store_.write(outcome.summary); // a cache: a store that cannot take it only costs the next reading
    latestRecord = outcome.summary.state.latest;
    return FileEventsCodec::decode(outcome.summary.events, events);
}
