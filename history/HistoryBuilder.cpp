#include "history/HistoryBuilder.h"

#include "history/BuildQueue.h"
#include "history/SummaryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {
// Finished summaries waiting for the writer: a few hundred KB each.
constexpr size_t QueueCapacity = 4;
} // namespace

struct HistoryBuilder::Plan {
    std::vector<FileSummariser::Job> jobs;
    int64_t bytes = 0;
};

HistoryBuilder::HistoryBuilder(const Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings), key_(LogfileCatalog::installationKey(settings.installation))
{
    qRegisterMetaType<FileNotice>();
    qRegisterMetaType<BuildResult>();
}

HistoryBuilder::~HistoryBuilder()
{
    stop();
    if (background_.joinable())
        background_.join();
}

void HistoryBuilder::start(const QList<LogfileInfo>& files)
{
    if (background_.joinable())
        background_.join();
    stop_ = false;
    running_ = true;
    background_ = std::thread([this, files] { emit finished(run(files)); });
}

void HistoryBuilder::stop()
{
    stop_ = true;
}

BuildResult HistoryBuilder::buildAll(const QList<LogfileInfo>& files)
{
    stop_ = false;
    return run(files);
}

BuildResult HistoryBuilder::run(const QList<LogfileInfo>& files)
{
    running_ = true;
    bytesDone_ = 0;
    bytesTotal_ = 0;
    BuildResult result;
    SummaryStore store(settings_.storePath, settings_.logDir, settings_.swapDate);
    if (store.isOpen()) {
        Plan p = plan(store, files, result);
        bytesTotal_ = p.bytes;
        if (result.storeError.isEmpty() && !p.jobs.empty()) {
            BuildQueue queue(std::move(p.jobs), QueueCapacity);
            std::vector<std::thread> readers;
            for (int i = 0; i < std::max(1, settings_.readers); ++i)
                readers.emplace_back([this, &queue] { read(queue); });
            write(store, queue, result);
            queue.stop();
            for (std::thread& t : readers)
                t.join();
        }
    } else {
        result.storeError = store.error();
    }
    result.storeDamaged = store.damaged();
    result.stopped = stop_;
    result.bytesRead = bytesDone_;
    running_ = false;
    return result;
}

// The files the store knows; those gone from the folder are dropped.
QHash<QString, FileState> HistoryBuilder::knownFiles(SummaryStore& store, BuildResult& result)
{
    const QDir folder(settings_.logDir);
    QHash<QString, FileState> known;
    for (const FileState& f : store.files(key_)) {
        if (QFileInfo::exists(folder.filePath(f.name))) {
            known.insert(f.name, f);
        } else if (store.drop(key_, f.name)) {
            ++result.dropped;
        } else {
            result.storeError = store.error();
            break;
        }
    }
    if (result.storeError.isEmpty())
        result.storeError = store.error();
    return known;
}

HistoryBuilder::Plan HistoryBuilder::plan(SummaryStore& store, const QList<LogfileInfo>& files, BuildResult& result)
{
    Plan p;
    const QHash<QString, FileState> known = knownFiles(store, result);
    for (LogfileInfo file : files) {
        if (!result.storeError.isEmpty())
            return p;
        if (!file.refresh())
            continue; // gone since it was listed
        const auto found = known.constFind(file.name);
        const std::optional<FileState> stored = found == known.cend() ? std::nullopt : std::optional(*found);
        if (stored && stored->size == file.size && stored->mtimeNs == file.mtimeNs) {
            ++result.kept;
            continue;
        }
        FileSummariser::Job job{file, key_, std::nullopt, {}, {}, {}};
        if (stored && file.size > stored->size
            && store.minutesAndIndex(key_, file.name, job.earlierMinutes, job.earlierIndex, job.earlierEvents))
            job.earlier = stored;
        p.bytes += file.size;
        p.jobs.push_back(std::move(job));
    }
    return p;
}

bool HistoryBuilder::noteProgress(int64_t bytes)
{
    // Told every megabyte read; a window needs to hear of it far less often.
    constexpr int64_t Step = int64_t(16) << 20;
    const int64_t done = bytesDone_ += bytes;
    if (done / Step != (done - bytes) / Step || done == bytesTotal_)
        emit progressed(done, bytesTotal_);
    return !stop_;
}

void HistoryBuilder::read(BuildQueue& queue)
{
    FileSummariser summariser(settings_.swapDate);
    // The writer gives up on a store it cannot write: reading on is no use.
    const auto progress = [this, &queue](int64_t bytes) { return noteProgress(bytes) && !queue.stopped(); };
    while (const FileSummariser::Job* job = queue.take()) {
        FileSummariser::Outcome outcome = summariser.run(*job, progress);
        outcome.summary.state.name = job->file.name;
        queue.put(std::move(outcome));
    }
}

void HistoryBuilder::write(SummaryStore& store, BuildQueue& queue, BuildResult& result)
{
    FileSummariser::Outcome done;
    while (!stop_ && queue.get(done)) {
        const QString& name = done.summary.state.name;
        if (done.stopped)
            break;
        if (!done.error.isEmpty()) {
            result.fileErrors << name + QStringLiteral(": ") + done.error;
            if (!store.drop(key_, name)) {
                result.storeError = store.error();
                break;
            }
            continue;
        }
        if (!store.write(done.summary)) {
            result.storeError = store.error();
            break;
        }
        ++(done.extended ? result.extended : result.built);
        emit fileDone(FileNotice{name, done.summary.state.firstInstant, done.summary.state.endInstant});
    }
}
