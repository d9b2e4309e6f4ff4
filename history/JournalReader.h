#pragma once
// The alarm journal of an installation over a time range, from the events of
// its logfiles (see AlarmJournal for the rules).
//
// What is on at the range's start is known from the lines before it: the
// reading goes back from the range through earlier files to the last line
// after which nothing is on (the logger ended or lost the evaluator), or to
// the first file. With the summaries built, the events come from the store
// and no logfile is read; a file the store does not know is read whole once
// (see EventFiles).
#include "history/EventFiles.h"
#include "history/JournalEntry.h"
#include "history/LogfileCatalog.h"

#include <QString>
#include <map>
#include <vector>

class SummaryStore;

class JournalReader {
public:
    JournalReader(SummaryStore& store, const LogfileCatalog& catalog, bool swapDate);

    // The entries that overlap [from, to) (UTC seconds), by start, clipped
    // to the range; what is still going ends at `to` (pass now for a range
    // that reaches into the future). False when a logfile could not be
    // read; error() says which and why.
    bool read(const QString& installation, int64_t from, int64_t to, std::vector<JournalEntry>& out);

    QString error() const { return error_; }
    // The bytes of logfiles read: none when the store knew every file.
    int64_t bytesRead() const { return bytesRead_; }

private:
    struct Loaded {
        FileEvents events;
        int64_t latestRecord = 0;
    };
    QList<LogfileInfo> filesUpTo(const QString& installation, int64_t to);
    const Loaded* load(EventFiles& source, const LogfileInfo& file);

    SummaryStore& store_;
    const LogfileCatalog& catalog_;
    bool swapDate_;
    std::map<QString, Loaded> loaded_;
    QString error_;
    int64_t bytesRead_ = 0;
};
