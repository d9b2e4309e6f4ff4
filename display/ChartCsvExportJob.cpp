#include "display/ChartCsvExportJob.h"

#include "platform/IProgressWindow.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {
// A step's share of the event loop: short enough for the window to keep up
// with the mouse, long enough that queuing steps costs nothing.
constexpr qint64 kStepMs = 30;
constexpr int64_t kRowsPerWrite = 2048;
} // namespace

ChartCsvExportJob::ChartCsvExportJob(std::unique_ptr<ChartCsvExport> csv, IProgressWindow& progress,
                                     QObject* parent)
    : QObject(parent), export_(std::move(csv)), progress_(progress)
{
}

bool ChartCsvExportJob::start(const QString& path)
{
    if (running_ || !export_->open(path))
        return false;
    running_ = true;
    progress_.open(QStringLiteral("Writing %1 ...").arg(path));
    QTimer::singleShot(0, this, &ChartCsvExportJob::step);
    return true;
}

void ChartCsvExportJob::step()
{
    if (!running_)
        return;
    if (progress_.stopRequested()) {
        export_->cancel();
        end(ExportOutcome::Stopped);
        return;
    }
    QElapsedTimer spent;
    spent.start();
    bool more = true;
    while (more && spent.elapsed() < kStepMs)
        more = export_->writeRows(kRowsPerWrite);
    if (!more) {
        end(export_->commit() ? ExportOutcome::Written : ExportOutcome::Failed);
        return;
    }
    // The next step is queued only after the progress window has run its
    // events, so no step ever runs inside another.
    progress_.setPercent(export_->percent());
    QTimer::singleShot(0, this, &ChartCsvExportJob::step);
}

void ChartCsvExportJob::end(ExportOutcome outcome)
{
    running_ = false;
    progress_.close();
    emit finished(outcome, outcome == ExportOutcome::Failed ? export_->errorString() : QString());
}
