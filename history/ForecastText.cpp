#include "history/ForecastText.h"

#include "core/Colours.h"
#include "core/Contrast.h"

#include <QDateTime>
#include <cmath>

namespace ForecastText {

namespace {
constexpr uint32_t Grey = 0x707070;

QString day(int64_t instant)
{
    return QDateTime::fromSecsSinceEpoch(instant).toString(QStringLiteral("yyyy-MM-dd"));
}

QString shortReason(LevelForecast::Reason why)
{
    switch (why) {
    case LevelForecast::Reason::TooLittleData: return QStringLiteral("little data");
    case LevelForecast::Reason::NoTrend: return QStringLiteral("no trend");
    case LevelForecast::Reason::MovingAway: return QStringLiteral("moving away");
    case LevelForecast::Reason::NotWithinHorizon: return QStringLiteral("> 2 years");
    case LevelForecast::Reason::Beyond: return QStringLiteral("beyond level");
    case LevelForecast::Reason::None: break;
    }
    return {};
}
} // namespace

QString levelName(const LevelForecast& f)
{
    const QString& name = f.level.name;
    if (name == AlarmLevel::preAlarm())
        return QStringLiteral("Pre-alarm");
    if (name == AlarmLevel::mainAlarm())
        return QStringLiteral("Main alarm");
    if (name == AlarmLevel::preAlarmHigh())
        return QStringLiteral("Pre-alarm high");
    if (name == AlarmLevel::mainAlarmHigh())
        return QStringLiteral("Main alarm high");
    return QStringLiteral("Level ") + QString::number(f.level.value, 'g', 6);
}

QString shortLine(const LevelForecast& f)
{
    if (!f.crossing)
        return shortReason(f.why);
    const QString left = f.daysLeft < 1.0 ? QStringLiteral("~%1 h").arg(std::max(1L, std::lround(f.daysLeft * 24.0)))
                                          : QStringLiteral("~%1 d").arg(std::lround(f.daysLeft));
    return levelName(f) + QStringLiteral(" in ") + left;
}

uint32_t colour(const LevelForecast& f)
{
    if (!f.crossing)
        return Grey;
    const QString& name = f.level.name;
    if (name == AlarmLevel::preAlarm() || name == AlarmLevel::preAlarmHigh())
        return Colours::Orange;
    if (name == AlarmLevel::mainAlarm() || name == AlarmLevel::mainAlarmHigh())
        return Colours::Red;
    const uint32_t entered = f.fit.slopePerDay < 0 ? f.level.colourBelow : f.level.colourAbove;
    return Contrast::readableOn(entered, Colours::White);
}

QString toolTip(const LevelForecast& f, int decimals)
{
    const auto number = [&](double v) { return QString::number(v, 'f', decimals + 1); };
    QStringList lines;
    if (f.crossing) {
        QString when = levelName(f) + QStringLiteral(" (%1) reached about %2").arg(number(f.level.value), day(f.crossingAt));
        const QString late = f.crossingHigh == LevelForecast::Later ? QStringLiteral("after 2 years") : day(f.crossingHigh);
        lines << when << QStringLiteral("between %1 and %2").arg(day(f.crossingLow), late);
    } else {
        lines << levelName(f) + QStringLiteral(": ") + f.reason;
    }
    if (f.fit.valid)
        lines << QStringLiteral("Slope %1 a day (%2 to %3)")
                     .arg(number(f.fit.slopePerDay), number(f.fit.slopeLow), number(f.fit.slopeHigh));
    lines << QStringLiteral("Fitted from %1 to %2, %3 days of data")
                 .arg(day(f.fit.from), day(f.fit.to), QString::number(f.fit.days, 'f', 1));
    return lines.join(QLatin1Char('\n'));
}

} // namespace ForecastText
