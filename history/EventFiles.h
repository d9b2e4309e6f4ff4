#pragma once
// The events of an installation's logfiles, file by file: from the summary
// store where it has read a file as it is now, otherwise from the file
// itself, read whole; its summaries then go into the store (when it is
// open), so the next reading finds them there. Use it from one thread at a
// time, as the store.
#include "history/FileEvents.h"
#include "history/FileSummariser.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"

#include <QHash>
#include <QString>

class EventFiles {
public:
    EventFiles(SummaryStore& store, const QString& installation, bool swapDate);

    // The events of one of the installation's files and its latest record
    // instant (RowParser::NothingSeen without records). False when the file
    // could not be read; error() says which and why.
    bool read(const LogfileInfo& file, FileEvents& events, int64_t& latestRecord);

    QString error() const { return error_; }
    // The bytes of logfiles read so far: none when the store had them all.
    int64_t bytesRead() const { return bytesRead_; }

private:
    SummaryStore& store_;
    QString key_;
    FileSummariser summariser_;
    QHash<QString, SummaryStore::StoredEvents> stored_;
    bool loaded_ = false;
    QString error_;
    int64_t bytesRead_ = 0;
};
