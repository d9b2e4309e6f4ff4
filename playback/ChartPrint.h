#pragma once
#include <QStringList>

class IStripChart;

// Prints the chart as shown on one landscape page with the program's
// comment lines, through the print dialog (a printer or a PDF file). The
// comment lines are cleared before and after, so a failed print never
// leaves lines for the next one. Returns what the chart reported (false
// when nothing was printed).
bool printplot(IStripChart& chart);

// The same page straight into a PDF file, without a dialog.
bool printplotToPdf(IStripChart& chart, const QString& path);

// The six comment lines printed with the chart.
QStringList printCommentLines();
