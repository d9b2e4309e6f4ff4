#pragma once
// Reads one logfile into its summary: from the start, or, for a file that
// only grew since its last reading, from where that reading ended, after
// making sure the bytes read then are still the same. One object per
// thread.
#include "history/FileSummary.h"
#include "history/InfoLineTexts.h"
#include "history/LogfileCatalog.h"
#include "history/LogfileClock.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class FileSummariser {
public:
    struct Job {
        LogfileInfo file; // as seen when the job was made: reading stops at its size
        QString installation;
        // The last reading of a file that grew since, with its stored
        // minutes and index.
        std::optional<FileState> earlier;
        QByteArray earlierMinutes;
        QByteArray earlierIndex;
        QByteArray earlierEvents;
    };
    struct Outcome {
        bool stopped = false;
        bool extended = false; // went on from the earlier reading
        QString error;         // the file could not be read
        FileSummary summary;
    };
    // Told the bytes read since it was last called; a false answer stops.
    using Progress = std::function<bool(int64_t bytes)>;

    explicit FileSummariser(bool swapDate) : swapDate_(swapDate) {}
    Outcome run(const Job& job, const Progress& progress);

private:
    LogfileClock clock_;
    InfoLineTexts texts_;
    bool swapDate_;
    std::vector<char> buffer_;
};
