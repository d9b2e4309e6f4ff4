#pragma once
#include <QStringList>

class IStripChart;

// Prints the chart as shown on one landscape page with the program's
// comment lines. The comment lines are cleared before and after, so a
// failed print never leaves lines for the next one. Returns what the chart
// reported (false when nothing was printed).
bool printplot(IStripChart& chart);

// The six comment lines printed with the chart.
QStringList printCommentLines();
