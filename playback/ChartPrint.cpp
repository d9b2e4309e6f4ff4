#include "playback/ChartPrint.h"

#include "core/Version.h"
#include "chart/IStripChart.h"

#include <QFont>

namespace {

void setUpPage(IStripChart& chart, bool showDialog)
{
    chart.SetPrintShowDialog(showDialog);
    chart.SetPrintOrientation(1);
    QFont font(QStringLiteral("arial"), 12);
    font.setBold(false);
    chart.SetPrinterCommentFont(font);
    chart.ClearPrinterComments();
    for (const QString& line : printCommentLines())
        chart.AddPrinterComment(line);
    chart.SetPrinterMargins(0.5, 0.5, 2.0, 2.0);
}

} // namespace

QStringList printCommentLines()
{
    return {QStringLiteral(" "),
            QStringLiteral("PXM xy diagram"),
            QStringLiteral(" "),
            QStringLiteral(" "),
            QStringLiteral("Printed by VELTRA Data Logger ") + QLatin1String(Version::Text),
            QStringLiteral("VELTRA Data Logger - oil condition monitoring")};
}

bool printplot(IStripChart& chart)
{
    setUpPage(chart, true);
    const bool printed = chart.PrintChart();
    chart.ClearPrinterComments();
    return printed;
}

bool printplotToPdf(IStripChart& chart, const QString& path)
{
    setUpPage(chart, false);
    const bool printed = chart.PrintChartToPdf(path);
    chart.ClearPrinterComments();
    return printed;
}
