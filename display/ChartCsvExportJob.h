#pragma once
#include "chart/ChartCsvExport.h"

#include <QObject>
#include <QString>
#include <memory>

class IProgressWindow;

// How an export ended.
enum class ExportOutcome { Written, Stopped, Failed };

// Runs a CSV export in steps on the event loop, so the window keeps painting
// and live rows keep arriving while a long range is written: each step
// writes for a few tens of milliseconds, then the progress window shows how
// far it has come and the next step is queued. "Stop" takes effect before the
// next step; the file then never appears.
class ChartCsvExportJob : public QObject {
    Q_OBJECT
public:
    ChartCsvExportJob(std::unique_ptr<ChartCsvExport> export_, IProgressWindow& progress, QObject* parent = nullptr);

    // Opens the file and queues the first step; false (and no finished
    // signal) when the file cannot be opened, see errorString().
    bool start(const QString& path);
    QString errorString() const { return export_->errorString(); }
    const ChartCsvExport& csv() const { return *export_; }
    bool running() const { return running_; }

signals:
    // Once per started job; `reason` is the system's for Failed.
    void finished(ExportOutcome outcome, const QString& reason);

private:
    void step();
    void end(ExportOutcome outcome);

    std::unique_ptr<ChartCsvExport> export_;
    IProgressWindow& progress_;
    bool running_ = false;
};
