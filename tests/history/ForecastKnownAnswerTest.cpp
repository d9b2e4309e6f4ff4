// Forecasts against histories whose answer is known: the simulator writes
// eleven weeks in which, from an oil change on, sensor 1's TDN number falls by
// 6 a day from 1000 (towards the evaluator's pre-alarm level 450 and main
// alarm level 300, and the gauge's section ends 400 and 280) and its oil
// quality rises by 0.15 a day from 5 (towards the section end 17), while
// sensor 2's TDN number stays at 700; with noise, two days without a file,
// 45 minutes a day without the evaluator and a day the sensors are stuck at 0.
#include "history/Forecast.h"
#include "history/HistoryBuilder.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"

#include "HistoryTestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace HistoryTest;

namespace {

const QString Installation = QStringLiteral("Main_Engine");
const QDate First(2026, 1, 5);
constexpr int OilChangeDay = 3;
constexpr int64_t Day = 86400;

struct Drift {
    int sensor;
    int value;
    double start;
    double perDay;
};
const Drift Tdn{1, 3, 1000, -6};
const Drift Quality{1, 0, 5, 0.15};

class History {
public:
    History()
    {
        QProcess sim;
        sim.start(QStringLiteral(VELTRA_BINARY_DIR "/tools/evaluator-sim"),
                  {QStringLiteral("--history"), logs.path(), QStringLiteral("--from"), First.toString(Qt::ISODate),
                   QStringLiteral("--days"), QStringLiteral("80"), QStringLiteral("--every-seconds"),
                   QStringLiteral("60"), QStringLiteral("--sensors"), QStringLiteral("2"),
                   QStringLiteral("--oil-change"), QString::number(OilChangeDay), QStringLiteral("--drift"),
                   QStringLiteral("1:tdn:1000:-6:40"), QStringLiteral("--drift"),
                   QStringLiteral("1:oil_quality:5:0.15:1"),
                   QStringLiteral("--drift"), QStringLiteral("2:tdn:700:0:40"), QStringLiteral("--levels"),
                   QStringLiteral("300:450:1120:1040"), QStringLiteral("--gap-days"),
                   QStringLiteral("12,25"), QStringLiteral("--lost"), QStringLiteral("45"), QStringLiteral("--bad-day"),
                   QStringLiteral("10"), QStringLiteral("--seed"), QStringLiteral("11")});
        EXPECT_TRUE(sim.waitForFinished(120000));
        EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().constData();
        request.installation = Installation;
        request.notes = NotesFile(logs.path()).read(Installation);
        EXPECT_EQ(request.notes.size(), 2u) << "one oil change a drifting sensor";
        changedAt = request.notes.empty() ? 0 : request.notes.front().instant;
        HistoryBuilder builder({store(), logs.path(), Installation, false, 2});
        EXPECT_TRUE(builder.buildAll(LogfileCatalog(logs.path()).files(Installation)).complete());
    }
    QString store() const { return logs.filePath(QStringLiteral("store.sqlite")); }

    ForecastResult at(int64_t instant)
    {
        SummaryStore s(store(), logs.path(), false);
        request.at = instant;
        request.parameters = LastParameterRecord::asOf(s.files(Installation), instant);
        return Forecast::run(s, request);
    }
    // The first whole hour after the oil change with `days` of data (0 when
    // the history is too short).
    int64_t withDaysOfData(double days)
    {
        // Days of data only grow with the instant: halve the hours between.
        int64_t low = changedAt - changedAt % 3600 + int64_t(days * Day);
        int64_t high = low + 20 * Day;
        if (fitOf(at(high), Tdn).days < days) {
            ADD_FAILURE() << "never " << days << " days of data";
            return 0;
        }
        while (high - low > 3600) {
            const int64_t middle = low + (high - low) / 7200 * 3600;
            (fitOf(at(middle), Tdn).days >= days ? high : low) = middle;
        }
        return high;
    }
    static const TrendFit& fitOf(const ForecastResult& r, const Drift& d)
    {
        return r.fits[size_t(Series::index(d.sensor, d.value))];
    }
    // The true instant the drift reaches a level.
    int64_t truth(const Drift& d, double level) const
    {
        return changedAt + int64_t(std::llround((level - d.start) / d.perDay * Day));
    }

    QTemporaryDir logs;
    ForecastRequest request;
    int64_t changedAt = 0;
};

History& history()
{
    static History h;
    return h;
}

const LevelForecast* find(const ForecastResult& r, int sensor, int value, double level)
{
    for (const LevelForecast& f : r.levels)
        if (f.sensor == sensor && f.value == value && f.level.value == level)
            return &f;
    return nullptr;
}

QString described(const LevelForecast& f, int64_t at)
{
    if (!f.crossing)
        return f.reason;
    const auto days = [&](int64_t t) { return QString::number(double(t - at) / Day, 'f', 1); };
    return QStringLiteral("%1 (%2 .. %3)")
        .arg(QString::number(f.daysLeft, 'f', 1), days(f.crossingLow),
             f.crossingHigh == LevelForecast::Later ? QStringLiteral("later") : days(f.crossingHigh));
}

TEST(ForecastKnownAnswer, FromFourteenDaysOfDataTheTimeLeftIsRightWithinATenth)
{
    History& h = history();
    ASSERT_NE(h.changedAt, 0);
    const struct {
        Drift drift;
        double level;
    } levels[] = {{Tdn, 450}, {Tdn, 400}, {Tdn, 300}, {Tdn, 280}, {Quality, 17}};
    for (const double days : {7.0, 14.0, 30.0, 60.0}) {
        const int64_t at = h.withDaysOfData(days);
        const ForecastResult r = h.at(at);
        ASSERT_TRUE(r.ok) << qPrintable(r.error);
        for (const auto& l : levels) {
            const LevelForecast* f = find(r, l.drift.sensor, l.drift.value, l.level);
            ASSERT_TRUE(f) << days << " days, level " << l.level;
            const double trueLeft = double(h.truth(l.drift, l.level) - at) / Day;
            std::printf("known answer: %2.0f days of data (%5.1f since the oil change), %s %s %4.0f: "
                        "true %6.1f days left, forecast %s\n",
                        days, double(at - h.changedAt) / Day, qPrintable(Series::valueName(l.drift.value)),
                        qPrintable(f->level.name), l.level, trueLeft, qPrintable(described(*f, at)));
            if (days >= 14) {
                ASSERT_TRUE(f->crossing) << days << " days, level " << l.level << ": " << qPrintable(f->reason);
                EXPECT_NEAR(f->daysLeft, trueLeft, 0.1 * trueLeft) << days << " days, level " << l.level;
                EXPECT_LE(f->crossingLow, h.truth(l.drift, l.level)) << days << " days, level " << l.level;
                EXPECT_GE(f->crossingHigh, h.truth(l.drift, l.level)) << days << " days, level " << l.level;
            }
        }
    }
}

TEST(ForecastKnownAnswer, TwoDaysOfDataGiveNoDateButSaySo)
{
    History& h = history();
    const ForecastResult r = h.at(h.withDaysOfData(2));
    ASSERT_EQ(r.sensors, (std::vector<int>{1, 2}));
    ASSERT_FALSE(r.levels.empty());
    for (const LevelForecast& f : r.levels) {
        EXPECT_FALSE(f.crossing);
        EXPECT_EQ(f.reason, QStringLiteral("too little data: 2 of 3 days"));
    }
}

TEST(ForecastKnownAnswer, AFlatNoisyValueHasNoTrend)
{
    History& h = history();
    for (const double days : {7.0, 14.0, 30.0, 60.0}) {
        const ForecastResult r = h.at(h.withDaysOfData(days));
        for (const LevelForecast& f : r.levels) {
            if (f.sensor == 2 && f.value == 3) {
                EXPECT_EQ(f.why, LevelForecast::Reason::NoTrend) << days << " days: " << qPrintable(f.reason);
            }
        }
    }
}

QDateTime timeOf(const QJsonValue& v)
{
    return QDateTime::fromString(v.toString(), Qt::ISODate);
}

TEST(ForecastKnownAnswer, TheToolSaysTheSameAsJson)
{
    History& h = history();
    const QDate day = QDateTime::fromSecsSinceEpoch(h.changedAt).date().addDays(15);
    QTemporaryDir cache;
    const ToolRun run = tool({QStringLiteral("forecast"), QStringLiteral("--logdir"), h.logs.path(),
                              QStringLiteral("--installation"), Installation, QStringLiteral("--at"),
                              day.toString(Qt::ISODate), QStringLiteral("--cache"),
                              cache.filePath(QStringLiteral("s"))},
                             QString::fromLatin1(QTimeZone::systemTimeZoneId()));
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonArray all = QJsonDocument::fromJson(run.out).array();
    // Oil quality: three section ends; loss factor three; TDN number four
    // evaluator levels and four section ends; for both sensors.
    ASSERT_EQ(all.size(), 2 * (3 + 3 + 8));
    const int64_t at = QDateTime(day.addDays(1), QTime(0, 0)).toSecsSinceEpoch();
    int seen = 0;
    for (const QJsonValue& v : all) {
        const QJsonObject o = v.toObject();
        if (o[QLatin1String("value")].toString() != QLatin1String("tdn"))
            continue;
        EXPECT_EQ(timeOf(o[QLatin1String("fit_from")]).toSecsSinceEpoch(), h.changedAt);
        EXPECT_EQ(timeOf(o[QLatin1String("fit_to")]).toSecsSinceEpoch(), at);
        if (o[QLatin1String("sensor")].toInt() == 2) {
            EXPECT_TRUE(o[QLatin1String("crossing")].isNull());
            EXPECT_EQ(o[QLatin1String("reason")].toString(), QLatin1String("no trend"));
            continue;
        }
        if (o[QLatin1String("level_value")].toDouble() != 400)
            continue;
        ++seen;
        EXPECT_EQ(o[QLatin1String("level")].toString(), QLatin1String("section_end"));
        EXPECT_NEAR(o[QLatin1String("slope_per_day")].toDouble(), -6, 0.6);
        const double trueLeft = double(h.truth(Tdn, 400) - at) / Day;
        EXPECT_NEAR(o[QLatin1String("days_left")].toDouble(), trueLeft, 0.1 * trueLeft);
        const int64_t crossing = timeOf(o[QLatin1String("crossing")]).toSecsSinceEpoch();
        EXPECT_NEAR(double(crossing - at) / Day, o[QLatin1String("days_left")].toDouble(), 0.05);
        EXPECT_LE(timeOf(o[QLatin1String("crossing_low")]).toSecsSinceEpoch(), crossing);
        EXPECT_GE(timeOf(o[QLatin1String("crossing_high")]).toSecsSinceEpoch(), crossing);
    }
    EXPECT_EQ(seen, 1);
}

} // namespace
