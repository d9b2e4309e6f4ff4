#pragma once
// The parts of a report, each laid out onto the pages from where the last
// one ended: the title with the installation, the range and the
// evaluator's identity; the figures of every sensor and value; the chart;
// the alarm journal; the maintenance notes.
#include "report/ReportData.h"
#include "report/ReportPages.h"
#include "report/ReportStyle.h"

#include <QString>

namespace ReportSections {

void title(ReportPages& pages, const ReportData& data, const ReportStyle& style);
void figures(ReportPages& pages, const ReportData& data, const ReportStyle& style);
void chart(ReportPages& pages, const ReportData& data, const ReportStyle& style);
void journal(ReportPages& pages, const ReportData& data, const ReportStyle& style);
void notes(ReportPages& pages, const ReportData& data, const ReportStyle& style);

// A section's heading, on a new page when fewer than `keep` of room would
// follow it.
void heading(ReportPages& pages, const ReportStyle& style, const QString& text, double keep);
// A paragraph of text across the body.
void paragraph(ReportPages& pages, const ReportStyle& style, const QString& text);
// "2026-02-10 14:05:00" in the logfiles' zone; "" for JournalEntry::None.
QString timeText(int64_t instant);
// "2026-02-10 to 2026-02-16"; "until 14:05" when it ends at the time of printing.
QString rangeText(const ReportData& data);

} // namespace ReportSections
