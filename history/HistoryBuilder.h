#pragma once
// Brings the summary store up to date with an installation's logfiles, on
// both cores: two threads read files into summaries, one writes them into
// the store, a file per transaction.
//
// A file is read once and kept while its size and modification time stay;
// a grown one is read on from where its last reading ended (once the bytes
// read then prove the same); any other change reads it anew; summaries of
// files gone from the folder are dropped.
//
// The window starts it with start() and watches its signals; they come from
// the building threads, so receivers get them queued. The command-line tool
// calls buildAll(). One build at a time per object.
#include "history/BuildResult.h"
#include "history/FileSummary.h"
#include "history/LogfileCatalog.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <atomic>
#include <thread>

class SummaryStore;

class HistoryBuilder : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString storePath; // SummaryStore::defaultPath(logDir), a file of the caller's, or inMemoryPath()
        QString logDir;
        QString installation; // as typed: its file-name form is used
        bool swapDate = false;
        int readers = 2;
    };

    explicit HistoryBuilder(const Settings& settings, QObject* parent = nullptr);
    // Stops a build under way and waits for its end.
    ~HistoryBuilder() override;

    // Builds on the calling thread (and two more) until done or stopped.
    BuildResult buildAll(const QList<LogfileInfo>& files);
    // The same in the background; finished() tells the end.
    void start(const QList<LogfileInfo>& files);
    // Takes effect within some 100 ms; files written before stay.
    void stop();
    bool isRunning() const { return running_; }
    int64_t bytesDone() const { return bytesDone_; }
    int64_t bytesTotal() const { return bytesTotal_; }

signals:
    void progressed(qint64 bytesDone, qint64 bytesTotal);
    void fileDone(const FileNotice& notice);
    void finished(const BuildResult& result);

private:
    struct Plan;
    BuildResult run(const QList<LogfileInfo>& files);
    Plan plan(SummaryStore& store, const QList<LogfileInfo>& files, BuildResult& result);
    QHash<QString, FileState> knownFiles(SummaryStore& store, BuildResult& result);
    void read(class BuildQueue& queue);
    void write(SummaryStore& store, class BuildQueue& queue, BuildResult& result);
    bool noteProgress(int64_t bytes);

    Settings settings_;
    QString key_; // the installation's file-name form
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::atomic<int64_t> bytesDone_{0};
    std::atomic<int64_t> bytesTotal_{0};
    std::thread background_;
};
