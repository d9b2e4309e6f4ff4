#include "chart/StripChartPrintout.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kScreenDpi = 96.0;
}

StripChartPrintout::StripChartPrintout()
    : commentFont_(QStringLiteral("Arial"), 12)
    , margins_(0.5, 0.5, 0.5, 0.5)
{
}

void StripChartPrintout::setMargins(double left, double right, double top, double bottom)
{
    const auto inches = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 10.0) : 0.0; };
    margins_ = QMarginsF(inches(left), inches(top), inches(right), inches(bottom));
}

void StripChartPrintout::setUp(QPrinter& printer) const
{
    printer.setPageOrientation(landscape_ ? QPageLayout::Landscape : QPageLayout::Portrait);
    // Margins wider than the page would leave nothing to print on; the
    // printer then keeps its own.
    printer.setPageMargins(margins_, QPageLayout::Inch);
}

bool StripChartPrintout::print(QPrinter& printer, const ChartPainter& paintChart) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());

    painter.setFont(commentFont_);
    const QFontMetricsF metrics(commentFont_, &printer);
    const double lineHeight = metrics.lineSpacing();
    const double commentsHeight = lineHeight * comments_.size();
    const double gap = comments_.isEmpty() ? 0.0 : lineHeight / 2;
    const double chartHeight = std::max(page.height() - commentsHeight - gap, page.height() / 3);

    const double scale = printer.resolution() / kScreenDpi;
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    paintChart(painter, QRectF(0, 0, page.width() / scale, chartHeight / scale));
    painter.restore();

    painter.setFont(commentFont_);
    painter.setPen(Qt::black);
    double y = page.top() + chartHeight + gap;
    for (const QString& line : comments_) {
        painter.drawText(QRectF(page.left(), y, page.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += lineHeight;
    }
    return painter.end();
}
