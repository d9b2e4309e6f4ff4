#pragma once
// Which reports the logger writes by itself into LOGDIR/reports/: the one
// of each day once it is over, and on Mondays also the one of the week
// before (Monday to Sunday). A day or week with logfiles whose report is
// not there yet is due, back to MaxDaysBack, so the days missed while the
// logger was off are written at its next start.
#include <QDate>
#include <QString>
#include <vector>

namespace DueReports {

constexpr int MaxDaysBack = 31;

struct Report {
    QDate from; // local calendar days, both included
    QDate to;
    QString path; // in the reports folder
};

// The reports folder of a log directory.
QString folderOf(const QString& logDir);

// The reports due as of `today`: days and weeks before it with logfiles of
// the installation and without their report file, oldest first.
std::vector<Report> asOf(const QString& logDir, const QString& installation, const QDate& today);

} // namespace DueReports
