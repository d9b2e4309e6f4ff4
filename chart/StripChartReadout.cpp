#include "chart/StripChartReadout.h"

#include "chart/StripChartTime.h"
#include "chart/Colour.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr uint32_t kCursor = 0xC9C9C9;
constexpr uint32_t kCursorBox = Colours::Red;
constexpr uint32_t kCursorText = Colours::Yellow;
constexpr double kSwatch = 8.0;
constexpr double kPad = 6.0;
} // namespace

StripChartReadout::StripChartReadout(const StripChartStore& store, const StripChartSettings& settings,
                                     const QFont& font)
    : store_(store)
    , settings_(settings)
    , font_(font)
{
}

QString StripChartReadout::entryText(const StripChartChannel& channel, bool have, float value)
{
    if (!have)
        return channel.displayName() + QStringLiteral(" -");
    QString text = channel.displayName() + QLatin1Char(' ') + QString::number(double(value), 'f', channel.decimals);
    if (!channel.unit.isEmpty())
        text += QLatin1Char(' ') + channel.unit;
    return text;
}

QString StripChartReadout::summaryText(const StripChartChannel& channel, const ChartSummary& summary)
{
    if (summary.count <= 0)
        return channel.displayName() + QStringLiteral(" -");
    const auto number = [&](double v) { return QString::number(v, 'f', channel.decimals); };
    QString text = channel.displayName() + QLatin1Char(' ') + number(summary.min) + QStringLiteral(" / ")
        + number(summary.mean) + QStringLiteral(" / ") + number(summary.max);
    if (!channel.unit.isEmpty())
        text += QLatin1Char(' ') + channel.unit;
    return text;
}

QString StripChartReadout::timeText(double x) const
{
    return settings_.xInstants ? chartInstantTime(x) : chartTimeLabel(x);
}

// The time at the line, then each shown channel's newest value at or before
// the row (playback rows carry one sensor each); or, over summaries, the
// column's time span and each channel's summary over it.
void StripChartReadout::addEntries(Box& result, const StripChartLayout& layout, double x, int64_t row) const
{
    const bool summarised = summaries_ && row >= 0;
    ChartSummaries summed;
    if (summarised) {
        const int column = std::clamp(int(std::floor(result.px - layout.plot.left())), 0, layout.columns - 1);
        summed = summaries_->summaries(layout.xOfColumn(column), layout.xOfColumn(column + 1));
    }
    QString time = row >= 0 ? timeText(x) : QStringLiteral("no data");
    if (!summed.channels.empty())
        time = timeText(summed.from) + QStringLiteral(" \u2013 ") + timeText(summed.to)
            + QStringLiteral("  min / mean / max");
    result.entries.push_back({time, 0});
    for (size_t ch = 0; ch < settings_.channels.size() && row >= 0; ++ch) {
        const StripChartChannel& channel = settings_.channels[ch];
        if (!channel.visible)
            continue;
        // Over summaries, a column without any shows no value at all.
        if (summarised) {
            const ChartSummary none;
            const ChartSummary& summary = ch < summed.channels.size() ? summed.channels[ch] : none;
            result.entries.push_back({summaryText(channel, summary), channel.drawnColour()});
            continue;
        }
        const auto point = store_.pointAtOrBefore(int(ch), row);
        result.entries.push_back({entryText(channel, point.row >= 0, point.value), channel.drawnColour()});
    }
}

StripChartReadout::Box StripChartReadout::box(const StripChartLayout& layout, double px, int64_t row) const
{
    const QRectF& plot = layout.plot;
    Box result;
    result.px = std::clamp(px, plot.left(), plot.right());
    const double x = layout.x0 + (layout.x1 - layout.x0) * (result.px - plot.left()) / plot.width();
    addEntries(result, layout, x, row);
    const QFontMetricsF metrics(font_);
    result.lineHeight = metrics.height() + 1.0;
    double textWidth = 0;
    for (const Entry& entry : result.entries)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    result.columnWidth = kSwatch + 4.0 + textWidth + 8.0;
    const int entries = int(result.entries.size());
    const int fit = std::max(1, int((plot.height() - 2 * kPad - 8.0) / result.lineHeight));
    const int columns = (entries + fit - 1) / fit;
    result.rowsPerColumn = (entries + columns - 1) / columns;
    const double width = columns * result.columnWidth + 6.0;
    const double height = result.lineHeight * result.rowsPerColumn + 8.0;
    // On the half of the plot away from the line.
    // Newest rows come in on the right: a line in the middle keeps the box left.
    const bool lineOnRight = result.px >= plot.center().x();
    const double left = lineOnRight ? plot.left() + kPad : plot.right() - kPad - width;
    result.box = QRectF(left, plot.top() + kPad, width, height).intersected(plot);
    result.area = result.box.united(QRectF(result.px - 1.0, plot.top(), 2.0, plot.height())).adjusted(-2, -2, 2, 2);
    return result;
}

QRectF StripChartReadout::paint(QPainter& painter, const StripChartLayout& layout, double px, int64_t row) const
{
    const QRectF& plot = layout.plot;
    const Box cursor = box(layout, px, row);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen linePen(toQColor(kCursor), 1.0);
    linePen.setCosmetic(true);
    painter.setPen(linePen);
    painter.drawLine(QPointF(cursor.px, plot.top()), QPointF(cursor.px, plot.bottom()));

    painter.setClipRect(cursor.box.adjusted(0, 0, 1, 1));
    painter.setFont(font_);
    painter.setPen(QPen(toQColor(kCursorBox), 1.0));
    painter.setBrush(QColor(32, 32, 32, 225));
    painter.drawRect(cursor.box.adjusted(0, 0, -1, -1));
    for (size_t i = 0; i < cursor.entries.size(); ++i) {
        const int column = int(i) / cursor.rowsPerColumn;
        const double y = cursor.box.top() + 4.0 + cursor.lineHeight * double(int(i) % cursor.rowsPerColumn);
        double x = cursor.box.left() + 6.0 + column * cursor.columnWidth;
        if (i > 0)
            painter.fillRect(QRectF(x, y + (cursor.lineHeight - kSwatch) / 2, kSwatch, kSwatch),
                             toQColor(cursor.entries[i].colour));
        x += kSwatch + 4.0;
        painter.setPen(toQColor(kCursorText));
        painter.drawText(QRectF(x, y, cursor.columnWidth - kSwatch - 4.0, cursor.lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, cursor.entries[i].text);
    }
    painter.restore();
    return cursor.area;
}
