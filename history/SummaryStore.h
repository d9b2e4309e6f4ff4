#pragma once
// The summaries of an installation's logfiles, kept in an SQLite file beside
// them. The logfiles stay the one truth: the store is a cache, made anew
// whenever it cannot be trusted (another time zone, date order, log folder
// or layout; a file that is no database) and safe to delete.
//
// Every logfile is written in one transaction, so a crash or a kill leaves
// each file's summaries as they were or wholly new. WAL and a busy timeout
// let the logger and the command-line tool use one store at once.
//
// One object is one connection: use it from one thread at a time.
#include "history/Bucket.h"
#include "history/FileSummary.h"
#include "history/Tier.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

class SummaryStore {
public:
    // LOGDIR/VELTRA-history.sqlite when LOGDIR can be written; otherwise a
    // file named after the folder in the user's cache folder
    // (…/veltra-logger/history-<hash>.sqlite).
    static QString defaultPath(const QString& logDir);
    // A store held in memory for as long as a connection to it is open:
    // for going on when no store file can be written. Each name is one store.
    static QString inMemoryPath(const QString& name);

    // Opens the store at `path`, making it (and its folder) when missing,
    // for the logfiles of logDir read in the system's time zone, the first
    // two date fields exchanged when swapDate is set. See error().
    SummaryStore(const QString& path, const QString& logDir, bool swapDate);
    ~SummaryStore();
    SummaryStore(const SummaryStore&) = delete;
    SummaryStore& operator=(const SummaryStore&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    // The file turned out damaged in use: it is no store to go on with.
    bool damaged() const { return corrupt_; }
    // Deletes a store's files (not one in memory).
    static void remove(const QString& path);
    // Why the last call failed, in words (the system's reason included);
    // empty when it did not.
    QString error() const { return error_; }
    QString path() const { return path_; }

    // The files of an installation the store knows, in order of their first
    // instant.
    std::vector<FileState> files(const QString& installation);
    std::optional<FileState> file(const QString& installation, const QString& name);
    // What a reading that goes on with a grown file needs of the last one.
    bool minutesAndIndex(const QString& installation, const QString& name, QByteArray& minutes, QByteArray& index,
                         QByteArray& events);
    QByteArray index(const QString& installation, const QString& name);

    // The stored events (FileEventsCodec) of every file of an installation
    // the store knows, with the file they belong to.
    struct StoredEvents {
        FileState file;
        QByteArray events;
    };
    std::vector<StoredEvents> events(const QString& installation);

    // Replaces what the store holds of one file, all of it or nothing.
    bool write(const FileSummary& summary);
    bool drop(const QString& installation, const QString& name);

    // The buckets of one tier whose starts lie in [from, to) (UTC seconds),
    // for all 30 series, sorted by start. Buckets of one start from several
    // files are merged: counts and sums added, extremes combined, first from
    // the file that begins earliest, last from the one that begins latest.
    bool buckets(const QString& installation, Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out);

private:
    bool open(const QString& logDir, bool swapDate);
    bool openFile();
    bool matchesMeta(const QStringList& wanted);
    bool remake(const QStringList& wanted);
    bool execute(const char* sql);
    bool fail(const QString& what);
    bool transaction(const std::function<bool()>& body);

    QString path_;
    sqlite3* db_ = nullptr;
    QString error_;
    bool corrupt_ = false;
};
