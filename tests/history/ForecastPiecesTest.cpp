// The pieces of a forecast on made-up hours: the window a trend is fitted
// over, the hours it leaves out, the fit that one bad day cannot swing and
// its range, the levels of each value, and what is said of each level.
#include "core/GaugeLooks.h"
#include "history/AlarmLevels.h"
#include "history/Forecast.h"
#include "history/HourlyMeans.h"
#include "history/LevelCrossing.h"
#include "history/TrendFitter.h"
#include "history/TrendWindow.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int64_t Day = 86400;
constexpr int64_t Hour = 3600;
const int64_t At = 1'780'000'000 - 1'780'000'000 % Day; // a midnight, UTC

// Hours of sensor 1 from `from` up to `to`, each with `count` records whose
// raw values follow `raw(hour start)`.
template <typename Raw>
std::vector<Bucket> hours(int64_t from, int64_t to, int count, Raw raw)
{
    std::vector<Bucket> out;
    for (int64_t t = from; t < to; t += Hour) {
        Bucket b;
        b.start = t;
        b.end = t + Hour;
        for (int v = 0; v < Series::kValues; ++v) {
            SeriesSummary& s = b.series[Series::index(1, v)];
            s.count = count;
            s.sum = int64_t(std::llround(raw(t) * count));
        }
        out.push_back(b);
    }
    return out;
}

TrendWindow lastDays(int days)
{
    return TrendWindows::of({}, 1, At, days);
}

TEST(TrendWindows, SinceTheLastOilChangeOrSensorReplacementOfTheSensorOrAllBeforeTheInstant)
{
    const std::vector<Note> notes{
        {At - 20 * Day, QStringLiteral("Main_Engine"), 1, QStringLiteral("Oil changed")},
        {At - 9 * Day, QStringLiteral("Main_Engine"), Note::AllSensors, QStringLiteral(" sensor REPLACED ")},
        {At - 5 * Day, QStringLiteral("Main_Engine"), 2, QStringLiteral("Oil changed")},
        {At - 2 * Day, QStringLiteral("Main_Engine"), 1, QStringLiteral("Oil topped up")},
        {At + Day, QStringLiteral("Main_Engine"), 1, QStringLiteral("Oil changed")}, // after the instant
    };
    const TrendWindow one = TrendWindows::of(notes, 1, At, 30);
    EXPECT_TRUE(one.sinceNote);
    EXPECT_EQ(one.from, At - 9 * Day);
    EXPECT_EQ(one.settledFrom, At - 9 * Day + TrendWindows::SettleSeconds);
    EXPECT_EQ(one.to, At);
    EXPECT_EQ(TrendWindows::of(notes, 2, At, 30).from, At - 5 * Day);
    const TrendWindow plain = TrendWindows::of(notes, 3, At - 10 * Day, 30);
    EXPECT_FALSE(plain.sinceNote);
    EXPECT_EQ(plain.from, At - 40 * Day);
    EXPECT_EQ(plain.settledFrom, plain.from);
    EXPECT_EQ(TrendWindows::of({}, 1, At, 0).from, At - Day) << "a window is at least a day";
}

TEST(HourlyMeans, HoursOfALossOrBeforeTheOilSettledOrReachingPastTheEndAreLeftOut)
{
    TrendWindow w = lastDays(3);
    w.settledFrom = w.from + 5 * Hour;
    std::vector<Bucket> h = hours(w.from - Hour, w.to + Hour, 3600, [](int64_t) { return 552; });
    for (int v = 0; v < Series::kValues; ++v)
        h[10].series[Series::index(1, v)].count = 3000; // the evaluator lost for ten minutes
    for (int v = 0; v < Series::kValues; ++v)
        h[20].series[Series::index(1, v)] = SeriesSummary(); // nothing that hour
    h[h.size() - 2].end = w.to + 1; // the window's last hour, reaching past its end

    EXPECT_EQ(HourlyMeans::usualCount(h, 1, w), 3600);
    const std::vector<TrendPoint> points = HourlyMeans::of(h, 1, 1, w);
    ASSERT_EQ(points.size(), size_t(3 * 24 - 5 - 3));
    EXPECT_EQ(points.front().instant, w.settledFrom + Hour / 2);
    EXPECT_DOUBLE_EQ(points.front().value, 55.2) << "in the readout's unit";
    for (const TrendPoint& p : points) {
        EXPECT_NE(p.instant, h[10].start + Hour / 2);
        EXPECT_NE(p.instant, h[20].start + Hour / 2);
    }
    EXPECT_EQ(points.back().instant, w.to - 2 * Hour + Hour / 2);
}

TEST(TrendFitter, ABadDayCannotSwingTheLineAndTheRangeHoldsTheTruth)
{
    const TrendWindow w = lastDays(20);
    // 900 falling by 8 a day, a wobble of a few units, one day stuck at 0.
    std::vector<Bucket> h = hours(w.from, w.to, 60, [&](int64_t t) {
        const double days = double(t - w.from) / Day;
        return 900 - 8 * days + 3 * std::sin(double(t) / 7000.0);
    });
    for (size_t i = 5 * 24; i < 6 * 24; ++i)
        h[i].series[Series::index(1, 3)].sum = 0;
    TrendFitter fitter;
    const TrendFit fit = fitter.fit(HourlyMeans::of(h, 1, 3, w), w, Forecast::MinDays);
    ASSERT_TRUE(fit.valid);
    EXPECT_NEAR(fit.slopePerDay, -8, 0.1);
    EXPECT_NEAR(fit.valueAtEnd, 900 - 8 * 20, 2);
    EXPECT_LT(fit.slopeLow, -8);
    EXPECT_GT(fit.slopeHigh, -8);
    EXPECT_FALSE(fit.flat());
    EXPECT_NEAR(fit.at(fit.pivot, fit.slopeLow), fit.at(fit.pivot), 1e-9);
    EXPECT_EQ(fit.points, 19 * 24) << "the stuck day is left out";
}

TEST(TrendFitter, ThousandsOfHoursAreThinnedYetFollowTheLine)
{
    const TrendWindow w = lastDays(365);
    const std::vector<Bucket> h
        = hours(w.from, w.to, 60, [&](int64_t t) { return 100 + 0.05 * double(t - w.from) / Day; });
    TrendFitter fitter;
    const TrendFit fit = fitter.fit(HourlyMeans::of(h, 1, 0, w), w, Forecast::MinDays);
    EXPECT_EQ(fit.points, 365 * 24);
    EXPECT_NEAR(fit.slopePerDay, 0.05, 1e-4);
    EXPECT_NEAR(fit.valueAtEnd, 100 + 0.05 * 365, 0.05);
}

TEST(TrendFitter, DaysThatWanderTogetherWidenTheRangeUntilItHoldsNoTrend)
{
    const TrendWindow w = lastDays(30);
    // No trend, but a swing that stays up or down for a week at a time.
    const auto wander = [&](int64_t t) { return 500 + 20 * std::sin(2 * M_PI * double(t - w.from) / (14.0 * Day)); };
    TrendFitter fitter;
    const TrendFit fit = fitter.fit(HourlyMeans::of(hours(w.from, w.to, 60, wander), 1, 3, w), w, Forecast::MinDays);
    EXPECT_TRUE(fit.flat()) << fit.slopeLow << " .. " << fit.slopeHigh;
    // A swing over the day leaves a clear trend clear.
    const auto daily = [&](int64_t t) {
        return 500 - 0.5 * double(t - w.from) / Day + 20 * std::sin(double(t) / 13751.0);
    };
    const TrendFit falling = fitter.fit(HourlyMeans::of(hours(w.from, w.to, 60, daily), 1, 3, w), w, Forecast::MinDays);
    EXPECT_LT(falling.slopeHigh, 0) << falling.slopeLow << " .. " << falling.slopeHigh;
    // Fewer days, a wider range of ranks: none left out with three.
    EXPECT_EQ(TrendFitter::outsideShare(3), 0);
    EXPECT_GT(TrendFitter::outsideShare(30), TrendFitter::outsideShare(10));
    EXPECT_LT(TrendFitter::outsideShare(1000), 0.5);
}

TEST(AlarmLevels, SectionEndsOfEachValuesGaugeScaleAndTheEvaluatorsLevelsForTheTdnNumber)
{
    ParameterInfo p;
    p.preAlarmLevel = 400;
    p.mainAlarmLevel = 280;
    p.preAlarmLevelHigh = 1040;
    p.mainAlarmLevelHigh = 1120;
    const auto names = [](const std::vector<AlarmLevel>& levels) {
        QStringList out;
        for (const AlarmLevel& l : levels)
            out << QStringLiteral("%1 %2 %3").arg(l.name).arg(l.value).arg(l.side);
        return out.join(QStringLiteral(", "));
    };
    const QString tdnEnds
        = QStringLiteral("section_end 280 0, section_end 400 0, section_end 1040 0, section_end 1120 0");
    EXPECT_EQ(names(AlarmLevels::of(3, &p)),
              QStringLiteral("pre_alarm 400 -1, main_alarm 280 -1, pre_alarm_high 1040 1, main_alarm_high 1120 1, ")
                  + tdnEnds);
    EXPECT_EQ(names(AlarmLevels::of(3, nullptr)), tdnEnds);
    EXPECT_EQ(names(AlarmLevels::of(0, &p)), QStringLiteral("section_end 0 0, section_end 13 0, section_end 17 0"));
    EXPECT_EQ(names(AlarmLevels::of(1, &p)), QString()) << "one silver section: no ends";
    // The fifth section's colour is left as it was: 60 is no known change of colour.
    EXPECT_EQ(names(AlarmLevels::of(2, &p)), QStringLiteral("section_end -7 0, section_end 25 0, section_end 31 0"));
    EXPECT_EQ(names(AlarmLevels::of(4, &p)), QString());

    const std::vector<AlarmLevel> tdn = AlarmLevels::of(3, nullptr);
    const GaugeLooks::Sections& bands = GaugeLooks::scaleOption(4)->sections;
    EXPECT_EQ(tdn[1].colourBelow, bands.colours[1]);
    EXPECT_EQ(tdn[1].colourAbove, bands.colours[2]);

    // The high ones off (1300, and 0 as records that never carried them
    // leave it); a pre-alarm below the main alarm trips on the way up.
    p.preAlarmLevel = 600;
    p.mainAlarmLevel = 700;
    p.preAlarmLevelHigh = 0;
    for (const int16_t off : {int16_t(1300), int16_t(0)}) {
        p.mainAlarmLevelHigh = off;
        EXPECT_TRUE(
            names(AlarmLevels::of(3, &p)).startsWith(QStringLiteral("pre_alarm 600 1, main_alarm 700 1, section")));
    }
    p.preAlarmLevel = 700;
    EXPECT_TRUE(names(AlarmLevels::of(3, &p)).startsWith(QStringLiteral("pre_alarm 700 0, main_alarm 700 0, section")));
}

TrendFit fitOf(double valueAtEnd, double slope, double low, double high, double days = 10)
{
    TrendFit f;
    f.valid = days >= Forecast::MinDays;
    f.from = At - int64_t(days * Day);
    f.to = At;
    f.valueAtEnd = valueAtEnd;
    f.slopePerDay = slope;
    f.slopeLow = low;
    f.slopeHigh = high;
    f.pivot = At - 5 * Day;
    f.days = days;
    return f;
}

AlarmLevel level(double value, int side = 0)
{
    return AlarmLevel{side == 0 ? AlarmLevel::sectionEnd() : AlarmLevel::mainAlarm(), value, side, 0, 0};
}

LevelForecast forecastOf(const TrendFit& fit, const AlarmLevel& l)
{
    return LevelCrossing::of(fit, l, Forecast::MinDays, Forecast::HorizonDays);
}

TEST(LevelCrossing, TheDateWithItsRangeOrWhyThereIsNone)
{
    // 500 falling 10 a day: 400 in 10 days.
    const LevelForecast f = forecastOf(fitOf(500, -10, -12, -8), level(400));
    ASSERT_TRUE(f.crossing) << qPrintable(f.reason);
    EXPECT_EQ(f.crossingAt, At + 10 * Day);
    EXPECT_DOUBLE_EQ(f.daysLeft, 10);
    EXPECT_GE(f.crossingLow, At);
    EXPECT_LT(f.crossingLow, f.crossingAt);
    EXPECT_GT(f.crossingHigh, f.crossingAt);
    // The lines of the range pass through the pivot: at the pivot 550.
    EXPECT_EQ(f.crossingLow, At - 5 * Day + int64_t(150.0 / 12 * Day));
    EXPECT_EQ(f.crossingHigh, At - 5 * Day + int64_t(150.0 / 8 * Day));

    const struct {
        TrendFit fit;
        AlarmLevel level;
        LevelForecast::Reason why;
        const char* words;
    } cases[] = {
        {fitOf(500, -10, -12, -8, 2.96), level(400), LevelForecast::Reason::TooLittleData,
         "too little data: 2.9 of 3 days"},
        {fitOf(500, -10, -12, -8, 2), level(400), LevelForecast::Reason::TooLittleData, "too little data: 2 of 3 days"},
        {fitOf(500, -1, -3, 1), level(400), LevelForecast::Reason::NoTrend, "no trend"},
        {fitOf(500, -10, -12, -8), level(600), LevelForecast::Reason::MovingAway, "moving away from the levels"},
        {fitOf(500, -0.1, -0.2, -0.05), level(400), LevelForecast::Reason::NotWithinHorizon, "not within 2 years"},
        {fitOf(500, -1, -3, 1), level(550, -1), LevelForecast::Reason::Beyond, "already beyond the level"},
        {fitOf(500, 10, 8, 12), level(450, +1), LevelForecast::Reason::Beyond, "already beyond the level"},
    };
    for (const auto& c : cases) {
        const LevelForecast n = forecastOf(c.fit, c.level);
        EXPECT_FALSE(n.crossing) << c.words;
        EXPECT_EQ(n.why, c.why) << c.words;
        EXPECT_EQ(n.reason, QLatin1String(c.words));
    }
    // The slow end of the range reaches the level only after the horizon.
    EXPECT_EQ(forecastOf(fitOf(500, -1, -2, -0.01), level(400)).crossingHigh, LevelForecast::Later);
    // Tiny slopes make no wild numbers.
    EXPECT_EQ(forecastOf(fitOf(500, -1e-300, -2e-300, -1e-301), level(400)).why,
              LevelForecast::Reason::NotWithinHorizon);
}

TEST(Forecast, TheGaugeShowsTheSoonestCrossingElseTheMostTellingReason)
{
    const TrendFit falling = fitOf(500, -10, -12, -8);
    std::vector<LevelForecast> all{forecastOf(falling, level(280)), forecastOf(falling, level(400)),
                                   forecastOf(falling, level(1040))};
    TrendFit flat = fitOf(500, 0, -1, 1);
    flat.sensor = 2;
    for (const double l : {280.0, 400.0, 1040.0, 510.0})
        all.push_back(forecastOf(flat, level(l)));
    all.push_back(forecastOf(flat, level(520, -1)));
    const std::vector<LevelForecast> next = Forecast::next(all);
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ(next[0].level.value, 400);
    EXPECT_TRUE(next[0].crossing);
    EXPECT_EQ(next[1].why, LevelForecast::Reason::Beyond);
    all.pop_back();
    EXPECT_EQ(Forecast::next(all)[1].level.value, 510) << "among equal reasons the nearest level";
}

} // namespace
