#include "chart/StripChartRenderer.h"

#include "chart/StripChartColumns.h"
#include "chart/StripChartNavigation.h"
#include "chart/StripChartRaster.h"
#include "chart/StripChartTime.h"
#include "chart/Colour.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr uint32_t kBackground = 0x535353;
constexpr uint32_t kGrid = 0x9A9A9A;
constexpr uint32_t kFrame = 0xA8A8A8;
constexpr uint32_t kMark = 0x00A5FF; // orange
// Mark texts take turns over this many lines, so close marks stay readable.
constexpr int kMarkLanes = 3;
constexpr double kMarkFoot = 34.0;
constexpr double kTick = 5.0;

int atLeastTwo(int ticks) { return std::max(ticks, 2); }

QFont chartFont()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

// The curves with the painter's own lines, for devices other than images.
// Wider lines become one-pixel lines side by side: the path stroker a wide
// pen needs is far slower. A printer page is scaled up from these pixels,
// and there a real pen keeps lines visible on paper.
class PainterCurves final : public StripChartCurveSink {
public:
    explicit PainterCurves(QPainter& painter) : painter_(painter), scaled_(painter.transform().isScaling()) {}

    void beginChannel(uint32_t colour, int lineWidth) override
    {
        strokes_.clear();
        joins_.clear();
        colour_ = colour;
        width_ = lineWidth;
    }
    void stroke(int column, double top, double bottom) override
    {
        const double px = left_ + column + 0.5;
        strokes_.emplace_back(px, top, px, std::max(bottom, top + 1.0));
    }
    void join(QPointF from, QPointF to) override { joins_.emplace_back(from, to); }
    void endChannel() override
    {
        QPen pen(toQColor(colour_), scaled_ ? width_ * 0.75 : 1.0);
        pen.setCosmetic(!scaled_);
        painter_.setPen(pen);
        for (int pass = 0; pass < (scaled_ ? 1 : width_); ++pass) {
            painter_.save();
            painter_.translate(pass, 0);
            painter_.drawLines(strokes_.data(), int(strokes_.size()));
            painter_.translate(0, pass);
            painter_.drawLines(joins_.data(), int(joins_.size()));
            painter_.restore();
        }
    }
    double left_ = 0;

private:
    QPainter& painter_;
    const bool scaled_;
    uint32_t colour_ = 0;
    int width_ = 1;
    std::vector<QLineF> strokes_;
    std::vector<QLineF> joins_;
};
} // namespace

StripChartRenderer::StripChartRenderer(ChartSource& source, const StripChartSettings& settings)
    : source_(&source)
    , settings_(settings)
    , font_(chartFont())
    , legend_(settings, font_)
{
}

const StripChartStore& StripChartRenderer::rowsOf(const Layout& layout) const
{
    return source_->rows(layout.x0, layout.x1, layout.columnDays);
}

StripChartReadout StripChartRenderer::readoutOf(const Layout& layout) const
{
    StripChartReadout readout(rowsOf(layout), settings_, font_);
    if (source_->summarised())
        readout.summariseFrom(*source_);
    return readout;
}

int StripChartRenderer::yLabelDecimals() const
{
    // As many decimals as the step between two labels needs: none for the
    // preset ranges, more once the value axis is zoomed in.
    const double step = (settings_.yMax - settings_.yMin) / (std::max(settings_.yMajorTicks, 2) - 1);
    if (!(step > 0.0) || step >= 0.999)
        return 0;
    return std::min(6, int(std::ceil(-std::log10(step) - 1e-9)));
}

QString StripChartRenderer::yLabel(double v) const
{
    const int decimals = yLabelDecimals();
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(v * scale) / scale;
    return QString::number(r == 0.0 ? 0.0 : r, 'f', decimals); // no "-0"
}

StripChartRenderer::Layout StripChartRenderer::layout(const QRectF& area, double now) const
{
    const QFontMetricsF metrics(font_);
    const double yLabelWidth = std::max(metrics.horizontalAdvance(yLabel(settings_.yMin)),
        metrics.horizontalAdvance(yLabel(settings_.yMax)));
    const double xLabelWidth = metrics.horizontalAdvance(QStringLiteral("12/30 00:00:00"));
    const double title = metrics.height() + 2.0; // an axis title's line
    const double left = title + std::max(yLabelWidth + kTick + 8.0, xLabelWidth / 2.0 + 4.0);
    const double right = xLabelWidth / 2.0 + 6.0;
    const double top = legend_.height(area.width()) + metrics.height() / 2.0 + 6.0;
    const double bottom = kTick + metrics.height() + 8.0;

    Layout result;
    result.area = area;
    // Whole pixels, so one-pixel curves in a column land on one pixel column.
    result.plot = QRectF(QPointF(std::round(area.left() + left), std::round(area.top() + top)),
        QPointF(std::round(area.right() - right), std::round(area.bottom() - bottom)));
    if (result.plot.width() < 1.0)
        result.plot.setWidth(1.0);
    if (result.plot.height() < 1.0)
        result.plot.setHeight(1.0);
    const double span = settings_.xSpan > 0.0 && std::isfinite(settings_.xSpan) ? settings_.xSpan : 1.0 / 720.0;
    // The view ends with the column that holds its end.
    result.columns = std::max(1, int(std::ceil(result.plot.width())));
    result.columnDays = span / result.columns;
    const double end = std::floor(StripChartNavigation::viewEnd(settings_, *source_, now) / result.columnDays) + 1.0;
    result.firstColumn = int64_t(std::clamp(end, -4.0e18, 4.0e18)) - result.columns;
    result.x0 = result.xOfColumn(0);
    result.x1 = result.xOfColumn(result.columns);
    return result;
}

double StripChartRenderer::pixelOfX(const Layout& layout, double x) const
{
    return StripChartColumns::pixelOfX(layout, x);
}

bool StripChartRenderer::paintsPixels(const QPainter& painter)
{
    if (!painter.device() || painter.device()->devType() != QInternal::Image || painter.hasClipping()
        || painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QTransform t = painter.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::round(t.dx()) && t.dy() == std::round(t.dy())
        && StripChartRaster::canPaint(*static_cast<const QImage*>(painter.device()));
}

void StripChartRenderer::paintChart(QPainter& painter, const Layout& layout, const QRectF& area) const
{
    painter.save();
    if (paintsPixels(painter)) {
        const QTransform t = painter.deviceTransform();
        QImage& image = *static_cast<QImage*>(painter.device());
        StripChartRaster raster(image, QPoint(int(t.dx()), int(t.dy())), layout, settings_);
        paintBackground(painter, layout, QRegion(area.toAlignedRect()) - raster.plotArea().translated(-t.dx(), -t.dy()));
        raster.paintColumns(StripChartColumns(rowsOf(layout), settings_, layout), 0, layout.columns + 1);
        paintExtras(painter, layout);
    } else {
        paintBackground(painter, layout, QRegion(area.toAlignedRect()));
        paintGridLines(painter, layout);
        paintCurves(painter, layout);
        paintExtras(painter, layout);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(toQColor(kFrame), 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.plot);
    }
    painter.restore();
}

StripChartRenderer::Picture StripChartRenderer::paintImage(QImage& image, const Layout& layout) const
{
    Picture picture;
    picture.layout = layout;
    const StripChartColumns columns(rowsOf(layout), settings_, layout);
    StripChartRaster raster(image, QPoint(), layout, settings_);
    {
        QPainter painter(&image);
        paintBackground(painter, layout, QRegion(image.rect()) - raster.plotArea());
    }
    raster.paintColumns(columns, 0, layout.columns + 1);
    {
        QPainter painter(&image);
        paintExtras(painter, layout);
    }
    picture.snapLevel = columns.snapLevel();
    picture.valid = true;
    return picture;
}

std::optional<QRegion> StripChartRenderer::patchImage(QImage& image, Picture& picture, const Layout& layout,
                                                    int64_t firstNewRow, bool dropped) const
{
    const Layout& before = picture.layout;
    const int64_t shift = layout.firstColumn - before.firstColumn;
    if (!picture.valid || !StripChartRaster::canPaint(image) || layout.plot != before.plot
        || layout.columns != before.columns || layout.columnDays != before.columnDays
        || (settings_.xFollow && settings_.xOffset != 0.0)
        || firstNewRow < 1 || shift < 0 || shift >= layout.columns
        || !source_->marks(layout.x0, layout.x1).empty() || !source_->overlays().empty())
        return std::nullopt;
    const StripChartColumns columns(rowsOf(layout), settings_, layout);
    if (columns.snapLevel() != picture.snapLevel)
        return std::nullopt;
    const int n = int(shift);
    StripChartRaster raster(image, QPoint(), layout, settings_);
    raster.scrollLeft(n);
    // The columns the new rows continue, and those that scrolled in.
    const int right = std::min(columns.firstColumnChangedFrom(firstNewRow), layout.columns - 1 - n);
    QRegion changed = raster.areaOfColumns(right, layout.columns + 1);
    raster.paintColumns(columns, right, layout.columns + 1);
    // The first column's rows (and the point before the view) change when
    // the view moves on, or when the oldest rows go and with them the point
    // before the view.
    if (n > 0 || (dropped && !columns.everyChannelHasPointsBefore())) {
        const int edge = dropped ? std::max(columns.columnOfRow(0), 0) : 0;
        const int end = std::min(columns.endOfColumnsChangedUpTo(edge), right);
        raster.paintColumns(columns, 0, end);
        changed |= raster.areaOfColumns(0, end);
    }
    // The vertical grid stays where it is while the curves move under it.
    if (n > 0) {
        for (int grid : raster.verticalGridColumns())
            for (int c : {grid - n, grid})
                raster.paintColumns(columns, c, std::min(c + 1, right));
        changed = QRegion(raster.areaOfColumns(0, layout.columns + 1)) | repaintXLabels(image, layout);
    }
    picture.layout = layout;
    return changed;
}

void StripChartRenderer::paintBackground(QPainter& painter, const Layout& layout, const QRegion& area) const
{
    for (const QRect& r : area)
        painter.fillRect(r, toQColor(kBackground));
    paintTicks(painter, layout);
    paintYLabels(painter, layout);
    paintXLabels(painter, layout);
    legend_.paint(painter, layout.area);
    paintValueAxisTitle(painter, layout);
}

void StripChartRenderer::paintValueAxisTitle(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    const QRectF& area = layout.area;
    const double h = QFontMetricsF(font_).height();
    painter.save();
    painter.setFont(font_);
    painter.setPen(Qt::white);
    // The value axis's title runs upwards along its left edge.
    painter.translate(area.left() + 2.0, plot.center().y());
    painter.rotate(-90.0);
    painter.drawText(QRectF(-plot.height() / 2, 0.0, plot.height(), h), Qt::AlignHCenter | Qt::AlignTop,
                     legend_.valueAxisTitle());
    painter.restore();
}

void StripChartRenderer::paintGridLines(QPainter& painter, const Layout& layout) const
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
}

// Major and minor tick marks outside the plot.
void StripChartRenderer::paintTicks(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    const int yMajor = atLeastTwo(settings_.yMajorTicks);
    const int xMajor = atLeastTwo(settings_.xMajorTicks);
    painter.setRenderHint(QPainter::Antialiasing, false);
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

void StripChartRenderer::paintYLabels(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const double h = QFontMetricsF(font_).height();
    const int yMajor = atLeastTwo(settings_.yMajorTicks);
    for (int i = 0; i < yMajor; ++i) {
        const double y = plot.top() + plot.height() * i / (yMajor - 1);
        const double v = settings_.yMax - (settings_.yMax - settings_.yMin) * i / (yMajor - 1);
        const QRectF box(plot.left() - kTick - 4.0 - 200.0, y - h / 2, 200.0, h);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, yLabel(v));
    }
}

void StripChartRenderer::paintXLabels(QPainter& painter, const Layout& layout) const
{
    const QRectF& plot = layout.plot;
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const double h = QFontMetricsF(font_).height();
    const int xMajor = atLeastTwo(settings_.xMajorTicks);
    for (int i = 0; i < xMajor; ++i) {
        const double x = plot.left() + plot.width() * i / (xMajor - 1);
        const double days = layout.x0 + (layout.x1 - layout.x0) * i / (xMajor - 1);
        const QRectF box(x - 100.0, plot.bottom() + kTick + 3.0, 200.0, h);
        const QString label = settings_.xInstants ? chartInstantLabel(days, (layout.x1 - layout.x0) / (xMajor - 1))
                                                  : chartTimeLabel(days);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

QRect StripChartRenderer::repaintXLabels(QImage& image, const Layout& layout) const
{
    // Below the tick marks, across the whole width.
    const int top = int(std::ceil(layout.plot.bottom() + kTick + 1.0));
    const QRect strip(0, top, image.width(), std::max(image.height() - top, 0));
    QPainter painter(&image);
    painter.setClipRect(strip);
    painter.fillRect(strip, toQColor(kBackground));
    paintYLabels(painter, layout);
    paintXLabels(painter, layout);
    return strip;
}

void StripChartRenderer::paintCurves(QPainter& painter, const Layout& layout) const
{
    painter.setClipRect(layout.plot.adjusted(0, 0, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    PainterCurves curves(painter);
    curves.left_ = layout.plot.left();
    StripChartColumns(rowsOf(layout), settings_, layout).walk(curves, 0, layout.columns + 1);
    painter.setClipping(false);
}

void StripChartRenderer::paintExtras(QPainter& painter, const Layout& layout) const
{
    paintOverlays(painter, layout);
    paintMarks(painter, layout);
}

// Over the shown channels' curves, in their colours: bands lightly, lines
// two pixels wide.
void StripChartRenderer::paintOverlays(QPainter& painter, const Layout& layout) const
{
    const std::vector<ChartOverlay> overlays = source_->overlays();
    if (overlays.empty())
        return;
    painter.save();
    painter.setClipRect(layout.plot.adjusted(0, 0, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double range = settings_.yMax - settings_.yMin;
    const auto place = [&](const QPointF& p) {
        const double y = layout.plot.top() + (settings_.yMax - p.y()) / (range != 0.0 ? range : 1.0) * layout.plot.height();
        return QPointF(pixelOfX(layout, p.x()), std::clamp(y, -1.0e6, 1.0e6));
    };
    for (const ChartOverlay& overlay : overlays) {
        if (overlay.channel < 0 || size_t(overlay.channel) >= settings_.channels.size()
            || !settings_.channels[size_t(overlay.channel)].visible || overlay.points.size() < 2)
            continue;
        QPolygonF polygon;
        for (const QPointF& p : overlay.points)
            polygon << place(p);
        QColor colour = toQColor(settings_.channels[size_t(overlay.channel)].drawnColour());
        if (overlay.style == ChartOverlay::Style::Band) {
            colour.setAlpha(70);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawPolygon(polygon);
            continue;
        }
        QPen pen(colour, 2.0, overlay.style == ChartOverlay::Style::Dashed ? Qt::DashLine : Qt::SolidLine);
        pen.setCosmetic(!painter.transform().isScaling());
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(polygon);
    }
    painter.restore();
}

// Each mark a dashed line across the plot, its text in a box at the foot.
void StripChartRenderer::paintMarks(QPainter& painter, const Layout& layout) const
{
    const std::vector<ChartMark> marks = source_->marks(layout.x0, layout.x1);
    if (marks.empty())
        return;
    painter.save();
    painter.setClipRect(layout.plot.adjusted(0, 0, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font_);
    const QFontMetricsF metrics(font_);
    const double h = metrics.height() + 2.0;
    QPen line(toQColor(kMark), 1.0, Qt::DashLine);
    line.setCosmetic(!painter.transform().isScaling());
    int lane = 0;
    for (const ChartMark& mark : marks) {
        const double px = std::floor(pixelOfX(layout, mark.x)) + 0.5;
        painter.setPen(line);
        painter.drawLine(QPointF(px, layout.plot.top()), QPointF(px, layout.plot.bottom()));
        const QString text = metrics.elidedText(mark.text, Qt::ElideRight, 260.0);
        const double width = metrics.horizontalAdvance(text) + 8.0;
        const bool roomRight = px + 2.0 + width <= layout.plot.right();
        // Above the corner the chart's view button takes.
        const QRectF box(roomRight ? px + 2.0 : px - 2.0 - width, layout.plot.bottom() - kMarkFoot - (lane + 1) * h,
                         width, h);
        painter.fillRect(box, QColor(32, 32, 32, 225));
        painter.setPen(toQColor(kMark));
        painter.drawText(box, Qt::AlignCenter, text);
        lane = (lane + 1) % kMarkLanes;
    }
    painter.restore();
}

int64_t StripChartRenderer::rowAt(const Layout& layout, double px) const
{
    const double f = (px - layout.plot.left()) / layout.plot.width();
    return rowsOf(layout).nearestRow(layout.x0 + (layout.x1 - layout.x0) * f);
}

QRectF StripChartRenderer::cursorArea(const Layout& layout, double px, int64_t row) const
{
    return readoutOf(layout).box(layout, px, row).area;
}

QRectF StripChartRenderer::paintCursor(QPainter& painter, const Layout& layout, double px, int64_t row) const
{
    return readoutOf(layout).paint(painter, layout, px, row);
}
