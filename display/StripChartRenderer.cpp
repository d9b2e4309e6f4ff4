#include "display/StripChartRenderer.h"

#include "display/StripChartTime.h"
#include "platform/Colour.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr uint32_t kBackground = 0x535353;
constexpr uint32_t kGrid = 0x9A9A9A;
constexpr uint32_t kFrame = 0xA8A8A8;
constexpr uint32_t kCursor = 0xC9C9C9;
constexpr uint32_t kCursorBox = Colours::Red;
constexpr uint32_t kCursorText = Colours::Yellow;
// Keeps far-away points within what the paint engine handles exactly; the
// clip removes everything outside the plot anyway.
constexpr double kPixelLimit = 1.0e6;
constexpr double kTick = 5.0;

int atLeastTwo(int ticks) { return std::max(ticks, 2); }

QString yLabel(double v)
{
    const double r = std::round(v);
    return QString::number(r == 0.0 ? 0.0 : r, 'f', 0); // no "-0"
}
} // namespace

StripChartRenderer::StripChartRenderer(const StripChartStore& store, const StripChartSettings& settings)
    : store_(store)
    , settings_(settings)
{
    font_.setPixelSize(12);
}

StripChartRenderer::Layout StripChartRenderer::layout(const QRectF& area, double now) const
{
    const QFontMetricsF metrics(font_);
    const double yLabelWidth = std::max(metrics.horizontalAdvance(yLabel(settings_.yMin)),
        metrics.horizontalAdvance(yLabel(settings_.yMax)));
    const double xLabelWidth = metrics.horizontalAdvance(QStringLiteral("12/30 00:00:00"));
    const double left = std::max(yLabelWidth + kTick + 8.0, xLabelWidth / 2.0 + 4.0);
    const double right = xLabelWidth / 2.0 + 6.0;
    const double top = metrics.height() / 2.0 + 6.0;
    const double bottom = kTick + metrics.height() + 8.0;

    Layout result;
    // Whole pixels, so one-pixel curves in a column land on one pixel column.
    result.plot = QRectF(QPointF(std::round(area.left() + left), std::round(area.top() + top)),
        QPointF(std::round(area.right() - right), std::round(area.bottom() - bottom)));
    if (result.plot.width() < 1.0)
        result.plot.setWidth(1.0);
    if (result.plot.height() < 1.0)
        result.plot.setHeight(1.0);
    const double span = settings_.xSpan > 0.0 && std::isfinite(settings_.xSpan) ? settings_.xSpan : 1.0 / 720.0;
    const double newest = store_.rowCount() > 0 ? store_.x(store_.rowCount() - 1) : now;
    const double offset = std::isfinite(settings_.xOffset) ? settings_.xOffset : 0.0;
    result.x1 = newest - offset;
    result.x0 = result.x1 - span;
    return result;
}

double StripChartRenderer::pixelOfX(const Layout& layout, double x) const
{
    const double px = layout.plot.left() + (x - layout.x0) / (layout.x1 - layout.x0) * layout.plot.width();
    return std::clamp(px, -kPixelLimit, kPixelLimit);
}

double StripChartRenderer::pixelOfValue(const Layout& layout, double v) const
{
    double range = settings_.yMax - settings_.yMin;
    if (!(std::fabs(range) > 0.0) || !std::isfinite(range))
        range = 1.0;
    const double py = layout.plot.top() + (settings_.yMax - v) / range * layout.plot.height();
    return std::clamp(py, -kPixelLimit, kPixelLimit);
}

void StripChartRenderer::paintChart(QPainter& painter, const Layout& layout, const QRectF& area) const
{
    painter.save();
    painter.fillRect(area, toQColor(kBackground));
    paintGrid(painter, layout);
    paintLabels(painter, layout);
    paintCurves(painter, layout);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(toQColor(kFrame), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.plot);
    painter.restore();
}

void StripChartRenderer::paintGrid(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    const int yMajor = atLeastTwo(settings_.yMajorTicks);
    const int xMajor = atLeastTwo(settings_.xMajorTicks);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QPen grid(toQColor(kGrid), 1.0, Qt::DotLine);
    grid.setCosmetic(!painter.transform().isScaling());
    painter.setPen(grid);
    for (int i = 1; i < yMajor - 1; ++i) {
        const double y = plot.top() + plot.height() * i / (yMajor - 1);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (int i = 1; i < xMajor - 1; ++i) {
        const double x = plot.left() + plot.width() * i / (xMajor - 1);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }

    // Major and minor tick marks outside the plot.
    QPen tick(toQColor(kFrame), 1.0);
    tick.setCosmetic(!painter.transform().isScaling());
    painter.setPen(tick);
    const int yMinor = std::max(settings_.yMinorTicks, 0);
    for (int i = 0; i < yMajor; ++i) {
        const double y = plot.top() + plot.height() * i / (yMajor - 1);
        painter.drawLine(QPointF(plot.left() - kTick, y), QPointF(plot.left(), y));
        for (int m = 1; i + 1 < yMajor && m <= yMinor; ++m) {
            const double ym = y + plot.height() / (yMajor - 1) * m / (yMinor + 1);
            painter.drawLine(QPointF(plot.left() - kTick / 2, ym), QPointF(plot.left(), ym));
        }
    }
    const int xMinor = std::max(settings_.xMinorTicks, 0);
    for (int i = 0; i < xMajor; ++i) {
        const double x = plot.left() + plot.width() * i / (xMajor - 1);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTick));
        for (int m = 1; i + 1 < xMajor && m <= xMinor; ++m) {
            const double xm = x + plot.width() / (xMajor - 1) * m / (xMinor + 1);
            painter.drawLine(QPointF(xm, plot.bottom()), QPointF(xm, plot.bottom() + kTick / 2));
        }
    }
}

void StripChartRenderer::paintLabels(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const QFontMetricsF metrics(font_);
    const double h = metrics.height();
    const int yMajor = atLeastTwo(settings_.yMajorTicks);
    for (int i = 0; i < yMajor; ++i) {
        const double y = plot.top() + plot.height() * i / (yMajor - 1);
        const double v = settings_.yMax - (settings_.yMax - settings_.yMin) * i / (yMajor - 1);
        const QRectF box(plot.left() - kTick - 4.0 - 200.0, y - h / 2, 200.0, h);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, yLabel(v));
    }
    const int xMajor = atLeastTwo(settings_.xMajorTicks);
    for (int i = 0; i < xMajor; ++i) {
        const double x = plot.left() + plot.width() * i / (xMajor - 1);
        const double days = layout.x0 + (layout.x1 - layout.x0) * i / (xMajor - 1);
        const QRectF box(x - 100.0, plot.bottom() + kTick + 3.0, 200.0, h);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, chartTimeLabel(days));
    }
}

void StripChartRenderer::paintCurves(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    const int columns = std::max(1, int(std::ceil(plot.width())));
    // Row boundaries of the pixel columns, shared by all channels.
    std::vector<int64_t> bounds(size_t(columns) + 1);
    const auto xOfColumn = [&layout, columns](int c) { return layout.x0 + (layout.x1 - layout.x0) * c / columns; };
    bounds[0] = store_.lowerBound(layout.x0);
    bounds[size_t(columns)] = store_.lowerBound(xOfColumn(columns));
    // With many rows per column the inner boundaries move forward to block
    // starts, by at most half a column, so every point stays within a pixel
    // of its place: the columns' extremes then come from a few summaries read
    // in order, not from points scattered over hundreds of megabytes. Every
    // row still falls into exactly one column, so no extreme is lost.
    const int64_t rows = bounds[size_t(columns)] - bounds[0];
    const bool snap = rows >= int64_t(columns) * 4 * StripChartStore::kFinestBlockRows;
    const bool blocks = rows >= int64_t(columns) * 4 * StripChartStore::kBlockRows;
    const double slack = (layout.x1 - layout.x0) / columns / 2.0;
    for (int c = 1; c < columns; ++c) {
        const int64_t step = c >= 2 ? bounds[size_t(c) - 1] - bounds[size_t(c) - 2] : 0;
        const int64_t guess = bounds[size_t(c) - 1] + step;
        store_.prefetchRow(bounds[size_t(c) - 1] + 8 * step, blocks);
        const int64_t bound = snap ? store_.blockBound(xOfColumn(c), slack, guess) : store_.lowerBound(xOfColumn(c), guess);
        bounds[size_t(c)] = std::clamp(bound, bounds[size_t(c) - 1], bounds[size_t(columns)]);
    }

    painter.setClipRect(plot.adjusted(0, 0, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A channel becomes one vertical stroke per pixel column (from its minimum
    // to its maximum, stretched to meet the previous column's last value) and
    // straight joins across columns without points. Short vertical strokes
    // are what the rasteriser draws fastest; a zig-zag polyline through the
    // same points costs several times as much.
    std::vector<QLineF> strokes;
    std::vector<QLineF> joins;
    strokes.reserve(size_t(columns));
    for (size_t ch = 0; ch < settings_.channels.size(); ++ch) {
        const StripChartChannel& channel = settings_.channels[ch];
        if (!channel.visible)
            continue;
        const int index = int(ch);
        strokes.clear();
        joins.clear();
        bool havePrevious = false;
        int previousColumn = -2;
        int64_t previousFrom = 0; // first row of what the previous point stands for
        QPointF previous;
        const auto before = store_.pointAtOrBefore(index, bounds.front() - 1);
        if (before.row >= 0) {
            previous = QPointF(pixelOfX(layout, store_.x(before.row)), pixelOfValue(layout, before.value));
            previousFrom = before.row;
            havePrevious = true;
        }
        for (int c = 0; c < columns; ++c) {
            if (!blocks && c + 8 <= columns)
                store_.prefetchChannel(index, bounds[size_t(c) + 8]);
            if (bounds[size_t(c)] == bounds[size_t(c) + 1])
                continue;
            const auto e = store_.extremes(index, bounds[size_t(c)], bounds[size_t(c) + 1]);
            if (e.empty)
                continue;
            const double px = plot.left() + c + 0.5;
            double top = pixelOfValue(layout, e.max);
            double bottom = pixelOfValue(layout, e.min);
            // Where the line breaks (no value for a while) nothing joins it.
            const bool joined = havePrevious && !store_.breaksIn(index, previousFrom, bounds[size_t(c) + 1]);
            if (joined && previousColumn == c - 1) {
                top = std::min(top, previous.y());
                bottom = std::max(bottom, previous.y());
            } else if (joined) {
                joins.emplace_back(previous, QPointF(px, pixelOfValue(layout, e.first)));
            }
            strokes.emplace_back(px, top, px, std::max(bottom, top + 1.0));
            previous = QPointF(px, pixelOfValue(layout, e.last));
            previousColumn = c;
            previousFrom = bounds[size_t(c)];
            havePrevious = true;
        }
        const auto after = store_.pointAtOrAfter(index, bounds.back());
        if (after.row >= 0 && havePrevious && !store_.breaksIn(index, previousFrom, after.row + 1))
            joins.emplace_back(previous, QPointF(pixelOfX(layout, store_.x(after.row)), pixelOfValue(layout, after.value)));

        // On screen, wider lines as one-pixel lines side by side: the path
        // stroker a wide pen needs is far slower. A printer page is scaled up
        // from these pixels, and there a real pen keeps lines visible on paper.
        const int width = std::clamp(channel.lineWidth, 1, 4);
        const bool scaled = painter.transform().isScaling();
        QPen pen(toQColor(channel.colour), scaled ? width * 0.75 : 1.0);
        pen.setCosmetic(!scaled);
        painter.setPen(pen);
        for (int pass = 0; pass < (scaled ? 1 : width); ++pass) {
            painter.save();
            painter.translate(pass, 0);
            painter.drawLines(strokes.data(), int(strokes.size()));
            painter.translate(0, pass);
            painter.drawLines(joins.data(), int(joins.size()));
            painter.restore();
        }
    }
    painter.setClipping(false);
}

int64_t StripChartRenderer::rowAt(const Layout& layout, double px) const
{
    const double f = (px - layout.plot.left()) / layout.plot.width();
    return store_.nearestRow(layout.x0 + (layout.x1 - layout.x0) * f);
}

QRectF StripChartRenderer::paintCursor(QPainter& painter, const Layout& layout, double px, int64_t row) const
{
    const QRectF& plot = layout.plot;
    px = std::clamp(px, plot.left(), plot.right());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen linePen(toQColor(kCursor), 1.0);
    linePen.setCosmetic(true);
    painter.setPen(linePen);
    painter.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));

    // The box: the row's time, then each shown channel's newest value at or
    // before the row (playback rows carry one sensor each).
    struct Entry {
        QString text;
        uint32_t colour;
    };
    std::vector<Entry> entries;
    entries.push_back({row >= 0 ? chartTimeLabel(store_.x(row)) : QStringLiteral("no data"), kCursorText});
    for (size_t ch = 0; ch < settings_.channels.size() && row >= 0; ++ch) {
        const StripChartChannel& channel = settings_.channels[ch];
        if (!channel.visible)
            continue;
        const auto point = store_.pointAtOrBefore(int(ch), row);
        const QString value = point.row >= 0 ? QString::number(double(point.value), 'f', 2) : QStringLiteral("-");
        entries.push_back({channel.title.trimmed() + QStringLiteral(": ") + value, channel.colour});
    }
    painter.setFont(font_);
    const QFontMetricsF metrics(font_);
    const double lineHeight = metrics.height() + 1.0;
    const double swatch = 8.0;
    double textWidth = 0;
    for (const auto& entry : entries)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    const double boxWidth = textWidth + swatch + 16.0;
    const double boxHeight = lineHeight * double(entries.size()) + 8.0;
    double left = px + 6.0;
    if (left + boxWidth > plot.right() && px - 6.0 - boxWidth >= plot.left())
        left = px - 6.0 - boxWidth;
    const QRectF box(left, plot.top() + 6.0, boxWidth, boxHeight);
    painter.setPen(QPen(toQColor(kCursorBox), 1.0));
    painter.setBrush(QColor(32, 32, 32, 225));
    painter.drawRect(box);
    double y = box.top() + 4.0;
    for (size_t i = 0; i < entries.size(); ++i, y += lineHeight) {
        double x = box.left() + 6.0;
        if (i > 0)
            painter.fillRect(QRectF(x, y + (lineHeight - swatch) / 2, swatch, swatch), toQColor(entries[i].colour));
        x += swatch + 4.0;
        painter.setPen(toQColor(kCursorText));
        painter.drawText(QRectF(x, y, textWidth + 2.0, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, entries[i].text);
    }
    painter.restore();
    return box.united(QRectF(px - 1.0, plot.top(), 2.0, plot.height())).adjusted(-2, -2, 2, 2);
}
