#pragma once
// The programs the report's tests run: the simulator, veltra-history and
// poppler's pdftotext, in a time zone of the test's choosing.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Programs {

struct Run {
    int exitCode = -1; // -1 when it could not be run or did not end
    QByteArray out;
    QByteArray err;
};
Run run(const QString& program, const QStringList& arguments, const QString& zone);

QString simulator();
QString historyTool();
// The PDF's text page by page, as pdftotext -layout lays it out.
QStringList pdfPages(const QString& pdf);

} // namespace Programs
