#pragma once
// Writes the due reports (DueReports) by itself, in the background, one at
// a time: at the start, once a minute after that and within seconds of
// each midnight, so a day's report is there soon after it. A report that
// cannot be written is told once with its path and reason and tried again
// the next day or at the next start; it never holds up the logging.
#include "core/MinuteTimer.h"
#include "report/DueReports.h"
#include "report/ReportRequest.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <atomic>
#include <thread>

class IClock;

class DailyReports final : public QObject {
    Q_OBJECT
public:
    explicit DailyReports(const IClock& clock, QObject* parent = nullptr);
    // Waits for a report being written.
    ~DailyReports() override;

    // What every report is made of (log directory, installation, names…);
    // `on` starts or ends the writing by itself, checking at once.
    void setUp(const ReportRequest& base, bool on);
    // Writes what is due unless a report is being written.
    void check();
    bool writing() const { return writing_; }

signals:
    void written(const QString& path);
    void failed(const QString& path, const QString& reason);

private:
    void writeInBackground(std::vector<DueReports::Report> due);
    void ended(const QString& path, const QString& reason);

    const IClock& clock_;
    ReportRequest base_;
    MinuteTimer timer_;
    std::thread worker_;
    std::atomic<bool> writing_{false};
    QSet<QString> failedToday_; // told once; tried again the next day
    QDate failedOn_;
};
