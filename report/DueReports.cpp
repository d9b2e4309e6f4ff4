#include "report/DueReports.h"

#include "history/LogfileCatalog.h"
#include "report/ReportWriter.h"

#include <QDir>
#include <QFileInfo>
#include <set>

namespace DueReports {

QString folderOf(const QString& logDir)
{
    return QDir(logDir).filePath(QStringLiteral("reports"));
}

std::vector<Report> asOf(const QString& logDir, const QString& installation, const QDate& today)
{
    std::set<QDate> logged;
    for (const LogfileInfo& file : LogfileCatalog(logDir).files(installation, today.addDays(-MaxDaysBack - 7),
                                                                 today.addDays(-1)))
        logged.insert(file.day);
    const QDir folder(folderOf(logDir));
    std::vector<Report> due;
    const auto add = [&](const QDate& from, const QDate& to) {
        const auto any = logged.lower_bound(from);
        if (any == logged.end() || *any > to)
            return;
        const QString path = folder.filePath(ReportFiles::fileName(installation, from, to));
        if (!QFileInfo::exists(path))
            due.push_back({from, to, path});
    };
    for (QDate day = today.addDays(-MaxDaysBack); day < today; day = day.addDays(1)) {
        add(day, day);
        // Monday: the week before is over.
        if (day.addDays(1).dayOfWeek() == Qt::Monday)
            add(day.addDays(-6), day);
    }
    return due;
}

} // namespace DueReports
