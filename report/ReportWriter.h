#pragma once
// The report of an installation over some days as a PDF: A4 portrait pages
// with the installation, the range, the evaluator's identity, the time of
// printing and the program's version; the figures of every sensor and value
// (lowest, mean, highest, coverage, time in pre-alarm and main alarm); the
// chart of the range with the maintenance notes; the alarm journal and the
// notes; a header and "Page n of N" on every page.
//
// Used by the window and by veltra-history alike. It brings the summary
// store up to date with the range's logfiles first (quick once they are
// summarised, as the window keeps them), so call it off the window's
// thread. Needs a QGuiApplication (fonts); no widgets.
#include "report/ReportRequest.h"

#include <QDate>
#include <QString>

// Writes the report into pdfPath through a temporary file beside it: the
// file is there whole or not at all (one of that name keeps what it held
// when the writing fails). False with the problem in words, the system's
// reason included.
bool writeReport(const ReportRequest& request, const QString& pdfPath, QString* error);

namespace ReportFiles {
// "report_<installation>_<from>_<to>.pdf" (days as yyyyMMdd, one when from
// is to), the installation as it goes into logfile names, so a report named
// after it stays in its folder.
QString fileName(const QString& installation, const QDate& from, const QDate& to);
} // namespace ReportFiles
