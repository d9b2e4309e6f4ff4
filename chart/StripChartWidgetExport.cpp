#include "chart/StripChartWidget.h"

#include <QPixmap>

void StripChartWidget::paintView(QPainter& painter, const QRectF& area) const
{
    const StripChartRenderer::Layout layout = renderer_.layout(area, now());
    renderer_.paintChart(painter, layout, area);
    if (!cursorShown_)
        return;
    const double px = layout.plot.left() + cursorFraction_ * layout.plot.width();
    renderer_.paintCursor(painter, layout, px, renderer_.rowAt(layout, px));
}

QImage StripChartWidget::viewImage()
{
    // What paintEvent puts on the screen, at the screen's pixels.
    return grab().toImage();
}
