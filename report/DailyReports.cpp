#include "report/DailyReports.h"

#include "core/FreedMemory.h"
#include "core/IClock.h"
#include "report/ReportWriter.h"

#include <QDir>
#include <QMetaObject>

DailyReports::DailyReports(const IClock& clock, QObject* parent) : QObject(parent), clock_(clock), timer_(clock)
{
    connect(&timer_, &MinuteTimer::timeout, this, &DailyReports::check);
}

DailyReports::~DailyReports()
{
    if (worker_.joinable())
        worker_.join();
}

void DailyReports::setUp(const ReportRequest& base, bool on)
{
    base_ = base;
    if (!on) {
        timer_.stop();
        return;
    }
    timer_.start();
    check();
}

void DailyReports::check()
{
    if (!timer_.isActive() || writing_)
        return;
    const QDate today = clock_.now().date();
    if (failedOn_ != today) {
        failedToday_.clear();
        failedOn_ = today;
    }
    std::vector<DueReports::Report> due;
    for (const DueReports::Report& report : DueReports::asOf(base_.logDir, base_.installation, today))
        if (!failedToday_.contains(report.path))
            due.push_back(report);
    if (!due.empty())
        writeInBackground(std::move(due));
}

void DailyReports::writeInBackground(std::vector<DueReports::Report> due)
{
    writing_ = true;
    if (worker_.joinable())
        worker_.join();
    ReportRequest request = base_;
    request.printedAt = clock_.now().toSecsSinceEpoch();
    worker_ = std::thread([this, request, due = std::move(due)]() mutable {
        for (const DueReports::Report& report : due) {
            request.from = report.from;
            request.to = report.to;
            QString reason;
            if (!QDir().mkpath(DueReports::folderOf(request.logDir)))
                reason = QStringLiteral("The folder for reports cannot be made.");
            else
                writeReport(request, report.path, &reason);
            QMetaObject::invokeMethod(this, [this, path = report.path, reason] { ended(path, reason); },
                                      Qt::QueuedConnection);
        }
        FreedMemory::giveBack();
        QMetaObject::invokeMethod(this, [this] { writing_ = false; }, Qt::QueuedConnection);
    });
}

void DailyReports::ended(const QString& path, const QString& reason)
{
    if (reason.isEmpty()) {
        emit written(path);
        return;
    }
    failedToday_.insert(path);
    emit failed(path, reason);
}
