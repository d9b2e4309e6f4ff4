#pragma once
// The sensor records of an installation over a time range, read straight
// from its logfiles. Where the store has read a file as it is now, its
// offsets lead to the minutes asked for, so an hour of a day's file reads
// some 1.3 MB of it; a file the store does not know, or one that changed
// since, is read whole. Both cores read.
#include "history/LogfileCatalog.h"
#include "history/RawRecord.h"

#include <QString>
#include <vector>

class SummaryStore;

class RawReader {
public:
    // The store may be one that cannot be opened: every file is then read whole.
    RawReader(SummaryStore& store, const LogfileCatalog& catalog, bool swapDate);

    // The records whose instants lie in [from, to) (UTC seconds), file by
    // file in the order of their days, each file's in its own order. False
    // when a logfile could not be read (error() says which and why); the
    // records of the others are there.
    bool read(const QString& installation, int64_t from, int64_t to, std::vector<RawRecord>& out);
    QString error() const { return error_; }
    // The bytes of logfiles the last read() went through.
    int64_t bytesRead() const { return bytesRead_; }

    // A piece of a file that a reading can begin at and end at.
    struct Piece {
        QString path;
        QDate day; // in the file's name
        int64_t from = 0;
        int64_t to = 0;
        int64_t latest = 0; // the latest instant before `from`
    };

private:
    void planFile(const QString& key, const LogfileInfo& file, int64_t from, int64_t to, std::vector<Piece>& pieces);

    SummaryStore& store_;
    const LogfileCatalog& catalog_;
    bool swapDate_;
    QString error_;
    int64_t bytesRead_ = 0;
};
