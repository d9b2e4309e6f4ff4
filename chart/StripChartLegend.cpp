#include "chart/StripChartLegend.h"

#include "chart/Colour.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace {
constexpr double kSwatch = 14.0;
constexpr double kGap = 14.0;
constexpr double kLeft = 8.0;

bool contains(const std::vector<StripChartLegend::Item>& items, const QString& text)
{
    return std::any_of(items.begin(), items.end(), [&](const auto& item) { return item.text == text; });
}
} // namespace

StripChartLegend::StripChartLegend(const StripChartSettings& settings, const QFont& font)
    : settings_(settings)
    , font_(font)
{
}

std::vector<StripChartLegend::Item> StripChartLegend::items() const
{
    std::vector<Item> sensors;
    std::vector<Item> values;
    for (const StripChartChannel& channel : settings_.channels) {
        if (!channel.visible)
            continue;
        if (!channel.sensorName.isEmpty() && !contains(sensors, channel.sensorName))
            sensors.push_back({channel.sensorName, channel.colour, 0});
        if (!channel.valueName.isEmpty() && !contains(values, channel.valueName))
            values.push_back({channel.valueName, channel.drawnColour(), std::max(channel.lineWidth, 1)});
    }
    sensors.insert(sensors.end(), values.begin(), values.end());
    return sensors;
}

double StripChartLegend::itemWidth(const Item& item) const
{
    return kSwatch + 4.0 + QFontMetricsF(font_).horizontalAdvance(item.text) + kGap;
}

std::vector<QPointF> StripChartLegend::placeItems(const std::vector<Item>& items, double width) const
{
    const double lineHeight = QFontMetricsF(font_).height() + 2.0;
    std::vector<QPointF> places;
    QPointF at(kLeft, 2.0);
    for (const Item& item : items) {
        const double w = itemWidth(item);
        if (at.x() > kLeft && at.x() + w > width) {
            at = QPointF(kLeft, at.y() + lineHeight);
        }
        places.push_back(at);
        at.rx() += w;
    }
    return places;
}

double StripChartLegend::titleRoom() const
{
    return QFontMetricsF(font_).horizontalAdvance(timeAxisTitle()) + 2 * kGap;
}

double StripChartLegend::height(double width) const
{
    const std::vector<Item> all = items();
    const double lineHeight = QFontMetricsF(font_).height() + 2.0;
    if (all.empty())
        return lineHeight + 2.0;
    return placeItems(all, width - titleRoom()).back().y() + lineHeight + 2.0;
}

void StripChartLegend::paint(QPainter& painter, const QRectF& area) const
{
    const std::vector<Item> all = items();
    const std::vector<QPointF> places = placeItems(all, area.width() - titleRoom());
    const double h = QFontMetricsF(font_).height();
    painter.save();
    painter.setFont(font_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The time axis's title sits at the top right, beside the legend.
    painter.setPen(Qt::white);
    painter.drawText(QRectF(area.right() - titleRoom(), area.top() + 2.0, titleRoom() - kGap, h),
                     Qt::AlignRight | Qt::AlignVCenter, timeAxisTitle());
    for (size_t i = 0; i < all.size(); ++i) {
        const QPointF at = area.topLeft() + places[i];
        const QColor colour = toQColor(all[i].colour);
        if (all[i].lineWidth == 0) {
            painter.fillRect(QRectF(at.x() + 3.0, at.y() + h / 2 - 4.0, 8.0, 8.0), colour);
        } else {
            const double thick = 2.0 * all[i].lineWidth;
            painter.fillRect(QRectF(at.x(), at.y() + (h - thick) / 2, kSwatch, thick), colour);
        }
        painter.setPen(Qt::white);
        painter.drawText(QRectF(at.x() + kSwatch + 4.0, at.y(), itemWidth(all[i]), h), Qt::AlignLeft | Qt::AlignVCenter,
                         all[i].text);
    }
    painter.restore();
}

QString StripChartLegend::valueAxisTitle() const
{
    QStringList units;
    for (const StripChartChannel& channel : settings_.channels) {
        if (channel.visible && !channel.unit.isEmpty() && !units.contains(channel.unit))
            units << channel.unit;
    }
    return units.isEmpty() ? QStringLiteral("Value") : QStringLiteral("Value (%1)").arg(units.join(QStringLiteral(", ")));
}

QString StripChartLegend::timeAxisTitle()
{
    return QStringLiteral("Time (local)");
}
