#include "report/ReportChart.h"

#include "history/LogfileClock.h"
#include "report/ReportValues.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double ColumnMm = 0.5;   // one column of the bands
constexpr double AxisMm = 15;      // the value labels left of the panels
constexpr double LegendMm = 7;
constexpr double TimeLabelsMm = 6;
constexpr double NoteLabelsMm = 5;
constexpr double PanelGapMm = 6;   // the next panel's title stands in it
constexpr double TitleMm = 4.5;

// A step of 1, 2, 2.5 or 5 times a power of ten giving some `ticks` ticks.
double niceStep(double span, int ticks)
{
    const double rough = span / std::max(1, ticks);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

int decimalsOf(double step)
{
    return step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9)) + (std::fmod(step * 100, 10) != 0 ? 1 : 0);
}

} // namespace

ReportChart::ReportChart(const ReportData& data, const ReportStyle& style) : data_(data), style_(style) {}

std::vector<ReportChart::Column> ReportChart::columns(int sensor, int value, int count) const
{
    std::vector<Column> out(size_t(std::max(count, 0)));
    const int64_t span = data_.to - data_.from;
    if (span <= 0 || count <= 0)
        return out;
    for (const Bucket& b : data_.chartBuckets) {
        const SeriesSummary& s = b.of(sensor, value);
        if (s.count == 0 || b.start < data_.from || b.start >= data_.to)
            continue;
        Column& c = out[size_t((b.start - data_.from) * count / span)];
        const double low = Series::inUnits(value, s.min), high = Series::inUnits(value, s.max);
        c.min = c.count == 0 ? low : std::min(c.min, low);
        c.max = c.count == 0 ? high : std::max(c.max, high);
        c.sum += Series::inUnits(value, double(s.sum));
        c.count += s.count;
    }
    return out;
}

double ReportChart::xOf(const QRectF& plot, int64_t instant) const
{
    const double span = double(std::max<int64_t>(1, data_.to - data_.from));
    return plot.left() + plot.width() * double(instant - data_.from) / span;
}

void ReportChart::paint(QPainter& p, const QRectF& area) const
{
    paintLegend(p, QRectF(area.left(), area.top(), area.width(), style_.mm(LegendMm)));
    const double top = area.top() + style_.mm(LegendMm + NoteLabelsMm + TitleMm);
    const double height = area.bottom() - style_.mm(TimeLabelsMm) - top;
    const double panel = (height - (Series::kValues - 1) * style_.mm(PanelGapMm)) / Series::kValues;
    const double left = area.left() + style_.mm(AxisMm);
    const int columnCount = std::max(1, int((area.right() - left) / style_.mm(ColumnMm)));
    QRectF first, last;
    for (int v = 0; v < Series::kValues; ++v) {
        const QRectF plot(left, top + v * (panel + style_.mm(PanelGapMm)), area.right() - left, panel);
        paintPanel(p, plot, v, columnCount);
        paintTimeGrid(p, plot, v == Series::kValues - 1);
        (v == 0 ? first : last) = plot;
    }
    paintNotes(p, first, last);
}

void ReportChart::paintLegend(QPainter& p, const QRectF& area) const
{
    p.setFont(style_.small());
    double x = area.left();
    const double swatch = style_.mm(6);
    for (const int s : data_.sensors) {
        const QColor c = ReportStyle::sensorColour(s);
        const double y = area.center().y();
        QColor band = c;
        band.setAlphaF(0.3);
        p.fillRect(QRectF(x, y - style_.mm(1.2), swatch, style_.mm(2.4)), band);
        p.setPen(QPen(c, style_.mm(0.35)));
        p.drawLine(QPointF(x, y), QPointF(x + swatch, y));
        p.setPen(Qt::black);
        const QString name = data_.sensorName(s);
        p.drawText(QRectF(x + swatch + style_.mm(1), area.top(), style_.mm(40), area.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        x += swatch + style_.mm(4) + style_.width(style_.small(), name);
    }
}

void ReportChart::paintPanel(QPainter& p, const QRectF& plot, int value, int columnCount) const
{
    std::vector<std::vector<Column>> series;
    double low = INFINITY, high = -INFINITY;
    for (const int s : data_.sensors) {
        series.push_back(columns(s, value, columnCount));
        for (const Column& c : series.back()) {
            if (c.count > 0) {
                low = std::min(low, c.min);
                high = std::max(high, c.max);
            }
        }
    }
    p.setPen(QPen(ReportStyle::rule(), style_.mm(0.2)));
    p.drawRect(plot);
    p.setFont(style_.bold());
    p.setPen(Qt::black);
    const QString unit = ReportValues::unit(value);
    const QString title = ReportValues::name(value) + (unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit));
    p.drawText(QRectF(plot.left(), plot.top() - style_.mm(TitleMm), plot.width(), style_.mm(TitleMm)),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    if (!std::isfinite(low)) {
        p.setFont(style_.small());
        p.drawText(plot, Qt::AlignCenter, QStringLiteral("no records"));
        return;
    }
    const double pad = std::max((high - low) * 0.06, std::pow(10.0, -Series::decimals(value)));
    low -= pad;
    high += pad;
    paintValueAxis(p, plot, low, high, value);
    p.save();
    p.setClipRect(plot);
    for (size_t i = 0; i < series.size(); ++i)
        paintSeries(p, plot, series[i], low, high, data_.sensors[i]);
    p.restore();
}

// The band as one shape per run of columns with records, each column's
// extremes across its width; the mean joined from column to column.
void ReportChart::paintSeries(QPainter& p, const QRectF& plot, const std::vector<Column>& columns, double low,
                              double high, int sensor) const
{
    const double w = plot.width() / double(columns.size());
    const auto y = [&](double v) { return plot.bottom() - plot.height() * (v - low) / (high - low); };
    const QColor colour = ReportStyle::sensorColour(sensor);
    QColor band = colour;
    band.setAlphaF(0.3);
    size_t i = 0;
    while (i < columns.size()) {
        if (columns[i].count == 0) {
            ++i;
            continue;
        }
        QPolygonF top, bottom, mean;
        for (; i < columns.size() && columns[i].count > 0; ++i) {
            const double left = plot.left() + w * double(i), right = left + w;
            top << QPointF(left, y(columns[i].max)) << QPointF(right, y(columns[i].max));
            bottom.prepend(QPointF(right, y(columns[i].min)));
            bottom.prepend(QPointF(left, y(columns[i].min)));
            mean << QPointF(left + w / 2, y(columns[i].sum / double(columns[i].count)));
        }
        if (mean.size() == 1)
            mean = QPolygonF{QPointF(mean[0].x() - w / 2, mean[0].y()), QPointF(mean[0].x() + w / 2, mean[0].y())};
        QPainterPath shape;
        shape.addPolygon(top + bottom);
        shape.closeSubpath();
        p.fillPath(shape, band);
        p.setPen(QPen(colour, style_.mm(0.3), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(mean);
    }
}

void ReportChart::paintValueAxis(QPainter& p, const QRectF& plot, double low, double high, int value) const
{
    // Never finer than the value's own digits.
    const double step = std::max(niceStep(high - low, 4), std::pow(10.0, -Series::decimals(value)));
    const int decimals = std::max(decimalsOf(step), 0);
    p.setFont(style_.small());
    for (double v = std::ceil(low / step) * step; v <= high; v += step) {
        const double y = plot.bottom() - plot.height() * (v - low) / (high - low);
        p.setPen(QPen(ReportStyle::grid(), style_.mm(0.1)));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        const QString text = ReportValues::number(value, std::abs(v) < step / 1e6 ? 0.0 : v, 0);
        p.drawText(QRectF(plot.left() - style_.mm(AxisMm), y - style_.mm(2), style_.mm(AxisMm - 1.2), style_.mm(4)),
                   Qt::AlignRight | Qt::AlignVCenter, decimals > Series::decimals(value)
                       ? QString::number(v, 'f', decimals) : text);
    }
}

void ReportChart::paintTimeGrid(QPainter& p, const QRectF& plot, bool labels) const
{
    p.setFont(style_.small());
    for (const auto& [instant, label] : timeTicks()) {
        const double x = xOf(plot, instant);
        p.setPen(QPen(ReportStyle::grid(), style_.mm(0.1)));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        if (!labels)
            continue;
        p.setPen(Qt::black);
        p.drawText(QRectF(x - style_.mm(12), plot.bottom() + style_.mm(0.8), style_.mm(24), style_.mm(4)),
                   Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void ReportChart::paintNotes(QPainter& p, const QRectF& top, const QRectF& bottom) const
{
    p.setFont(style_.small());
    for (size_t i = 0; i < data_.notes.size(); ++i) {
        const double x = xOf(top, data_.notes[i].instant);
        const QRectF label(x - style_.mm(3), top.top() - style_.mm(TitleMm + NoteLabelsMm), style_.mm(6),
                           style_.mm(NoteLabelsMm - 0.5));
        p.setPen(QPen(ReportStyle::noteColour(), style_.mm(0.3), Qt::DashLine));
        p.drawLine(QPointF(x, label.bottom()), QPointF(x, bottom.bottom()));
        p.setPen(ReportStyle::noteColour());
        p.drawText(label, Qt::AlignCenter, QString::number(i + 1));
    }
}

std::vector<std::pair<int64_t, QString>> ReportChart::timeTicks() const
{
    LogfileClock clock;
    std::vector<std::pair<int64_t, QString>> ticks;
    const double days = double(data_.to - data_.from) / 86400.0;
    const int64_t firstDay = QDate(1970, 1, 1).daysTo(data_.request.from);
    const auto at = [&](int64_t localSeconds) { return clock.gapStamp(localSeconds).instant; };
    const auto text = [&](int64_t instant, const QString& form) {
        return QDateTime::fromSecsSinceEpoch(instant, clock.zone()).toString(form);
    };
    if (days <= 2.5) {
        const int hours = days <= 1.01 ? 3 : 6;
        for (int64_t local = firstDay * 86400; at(local) <= data_.to; local += hours * 3600)
            ticks.emplace_back(at(local), text(at(local), local % 86400 == 0 ? QStringLiteral("MM-dd")
                                                                               : QStringLiteral("HH:mm")));
        return ticks;
    }
    // Days, weeks or fortnights; beyond some months whole months, then
    // years, at most a dozen or so labels.
    const int step = days <= 10 ? 1 : days <= 20 ? 2 : days <= 45 ? 7 : days <= 100 ? 14 : 0;
    int months = 1;
    for (const int m : {1, 2, 3, 6, 12, 24, 60, 120, 240, 600, 1200})
        if ((months = m) * 30.4 * 13 >= days)
            break;
    const QDate first = step > 0 ? data_.request.from
                                 : QDate(data_.request.from.year(), data_.request.from.month(), 1).addMonths(
                                       months >= 12 ? 1 - data_.request.from.month() : 0);
    for (QDate d = first; at(QDate(1970, 1, 1).daysTo(d) * 86400) <= data_.to;
         d = step > 0 ? d.addDays(step) : d.addMonths(months)) {
        const int64_t instant = at(QDate(1970, 1, 1).daysTo(d) * 86400);
        if (instant < data_.from)
            continue;
        const QString form = step > 0 ? QStringLiteral("MM-dd") : months >= 12 ? QStringLiteral("yyyy")
                                                                                : QStringLiteral("yyyy-MM");
        ticks.emplace_back(instant, text(instant, form));
    }
    return ticks;
}
