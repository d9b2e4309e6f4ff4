#pragma once
// Between the reading threads and the one that writes the store: jobs are
// taken in order, and finished summaries wait in a short queue, so only a
// few of them are held at once whatever the number of files.
#include "history/FileSummariser.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

class BuildQueue {
public:
    BuildQueue(std::vector<FileSummariser::Job> jobs, size_t capacity);

    // The next job to read; nullptr once all are taken or after stop().
    const FileSummariser::Job* take();
    // Hands a finished job on; waits while the queue is full (not after stop()).
    void put(FileSummariser::Outcome&& outcome);
    // The next finished job; false once every job is handed on, or after stop().
    bool get(FileSummariser::Outcome& outcome);
    void stop();
    bool stopped() const;

private:
    std::vector<FileSummariser::Job> jobs_;
    size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<FileSummariser::Outcome> done_;
    size_t taken_ = 0;
    size_t delivered_ = 0;
    bool stopped_ = false;
};
