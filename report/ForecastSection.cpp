#include "report/ForecastSection.h"

#include "history/Forecast.h"
#include "history/ForecastText.h"
#include "report/ReportSections.h"
#include "report/ReportTable.h"
#include "report/ReportValues.h"

#include <QDateTime>
#include <cmath>

namespace ForecastSection {

namespace {

// "Pre-alarm 160" as the window names it, with its value; "Level 17" for a
// gauge's section end.
QString levelText(const LevelForecast& f)
{
    const QString name = ForecastText::levelName(f);
    return f.level.isSectionEnd() ? name : name + QLatin1Char(' ') + ReportValues::number(f.value, f.level.value);
}

QString dayText(int64_t instant)
{
    return ReportSections::timeText(instant).left(10);
}

QString trendText(const LevelForecast& f)
{
    if (!f.fit.valid)
        return QStringLiteral("\u2013");
    const auto number = [&](double v) { return QString::number(v, 'g', 3); };
    return QStringLiteral("%1 (%2 to %3)")
        .arg(number(f.fit.slopePerDay), number(f.fit.slopeLow), number(f.fit.slopeHigh));
}

QString whenText(const LevelForecast& f)
{
    if (!f.crossing)
        return f.reason;
    const QString latest = f.crossingHigh == LevelForecast::Later ? QStringLiteral("later") : dayText(f.crossingHigh);
    return QStringLiteral("%1 (%2 to %3), in %4 days")
        .arg(dayText(f.crossingAt), dayText(f.crossingLow), latest)
        .arg(std::round(f.daysLeft * 10) / 10);
}

} // namespace

std::vector<LevelForecast> shown(const std::vector<LevelForecast>& forecasts)
{
    std::vector<LevelForecast> out;
    for (const LevelForecast& next : Forecast::next(forecasts)) {
        bool evaluator = false;
        for (const LevelForecast& f : forecasts) {
            if (f.sensor == next.sensor && f.value == next.value && !f.level.isSectionEnd()) {
                out.push_back(f);
                evaluator = true;
            }
        }
        if (!evaluator)
            out.push_back(next);
    }
    return out;
}

void layOut(ReportPages& pages, const std::vector<LevelForecast>& forecasts, const QStringList& sensorNames,
            const ReportStyle& style)
{
    pages.newPage();
    ReportSections::heading(pages, style, QStringLiteral("Forecast"), style.mm(30));
    const std::vector<LevelForecast> rows = shown(forecasts);
    if (rows.empty()) {
        ReportSections::paragraph(pages, style, QStringLiteral("No sensor had records to forecast from."));
        return;
    }
    const int64_t at = rows.front().fit.to;
    ReportSections::paragraph(
        pages, style,
        QStringLiteral("As of %1, from the hourly means of each value since the last oil change or sensor "
                       "replacement noted, at most %2 days back: the trend a day in the readout's unit (with the "
                       "range its slope lies in), and when it reaches the evaluator's alarm levels, or for a value "
                       "without them the nearest end of its gauge's coloured sections (with the dates of the "
                       "slope's range), or why no date can be given.")
            .arg(ReportSections::timeText(at))
            .arg(30));
    const QFont font = style.small();
    const double mm = style.mm(1);
    ReportTable table(style,
                      {{QStringLiteral("Sensor"), 18 * mm},
                       {QStringLiteral("Value"), 27 * mm},
                       {QStringLiteral("Level"), 31 * mm},
                       {QStringLiteral("Now"), 12 * mm, Qt::AlignRight},
                       {QStringLiteral("Trend a day"), 40 * mm},
                       {QStringLiteral("Reaches it"), 0}},
                      font);
    int sensor = 0;
    for (const LevelForecast& f : rows) {
        QString name = sensorNames.value(f.sensor - 1).trimmed();
        name = name.isEmpty() ? QStringLiteral("Sensor %1").arg(f.sensor) : name;
        table.addRow({f.sensor == sensor ? QString() : name,
                      ReportValues::name(f.value), levelText(f),
                      f.fit.valid ? ReportValues::number(f.value, f.fit.valueAtEnd) : QStringLiteral("\u2013"),
                      trendText(f), whenText(f)},
                     f.sensor != sensor);
        sensor = f.sensor;
    }
    table.layOut(pages);
    pages.skip(style.mm(4));
}

} // namespace ForecastSection
