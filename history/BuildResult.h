#pragma once
// What HistoryBuilder reports: a file done, and the end of a run.
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <cstdint>

// A logfile whose summaries are now in the store.
struct FileNotice {
    QString name;
    int64_t firstInstant = 0; // its rows cover [firstInstant, endInstant), UTC seconds
    int64_t endInstant = 0;
};

struct BuildResult {
    bool stopped = false;
    // The store could not be opened or written: what was written before
    // stays good, the rest is missing. Callers can go on without the store
    // (SummaryStore::inMemoryPath).
    QString storeError;
    // The store file turned out damaged: it is best removed and made anew
    // (SummaryStore::remove) once no connection to it is left.
    bool storeDamaged = false;
    QStringList fileErrors; // "name: reason" for logfiles that could not be read
    int built = 0;          // read from the start
    int extended = 0;       // grown files read from where the last reading ended
    int kept = 0;           // unchanged since their last reading
    int dropped = 0;        // gone from the folder, so gone from the store
    int64_t bytesRead = 0;

    bool complete() const { return !stopped && storeError.isEmpty(); }
};

Q_DECLARE_METATYPE(FileNotice)
Q_DECLARE_METATYPE(BuildResult)
