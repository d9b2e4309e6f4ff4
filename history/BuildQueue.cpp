#include "history/BuildQueue.h"

BuildQueue::BuildQueue(std::vector<FileSummariser::Job> jobs, size_t capacity)
    : jobs_(std::move(jobs)), capacity_(capacity > 0 ? capacity : 1)
{
}

const FileSummariser::Job* BuildQueue::take()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_ || taken_ == jobs_.size())
        return nullptr;
    return &jobs_[taken_++];
}

void BuildQueue::put(FileSummariser::Outcome&& outcome)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || done_.size() < capacity_; });
    if (stopped_)
        return;
    done_.push_back(std::move(outcome));
    changed_.notify_all();
}

bool BuildQueue::get(FileSummariser::Outcome& outcome)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || !done_.empty() || delivered_ == jobs_.size(); });
    if (stopped_ || done_.empty())
        return false;
    outcome = std::move(done_.front());
    done_.pop_front();
    ++delivered_;
    changed_.notify_all();
    return true;
}

void BuildQueue::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

bool BuildQueue::stopped() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stopped_;
}
