#include "playback/ChartPrint.h"

#include "platform/IStripChart.h"

#include <QFont>
#include <QStringList>

QStringList printCommentLines()
{
    return {QStringLiteral(" "),
            QStringLiteral("PXM xy diagram"),
            QStringLiteral(" "),
            QStringLiteral(" "),
            QStringLiteral("Printed by VELTRA Data Logger ") + QStringLiteral("Version 1.03_1"),
            QStringLiteral("VELTRA Data Logger - oil condition monitoring")};
}

bool printplot(IStripChart& chart)
{
    chart.SetPrintShowDialog(true);
    chart.SetPrintOrientation(1);
    QFont font(QStringLiteral("arial"), 12);
    font.setBold(false);
    chart.SetPrinterCommentFont(font);
    chart.ClearPrinterComments();
    for (const QString& line : printCommentLines())
        chart.AddPrinterComment(line);
    chart.SetPrinterMargins(0.5, 0.5, 2.0, 2.0);
    const bool printed = chart.PrintChart();
    chart.ClearPrinterComments();
    return printed;
}
