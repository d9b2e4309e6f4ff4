// Where the oil is heading, seen in the real window: twenty days of history
// in which sensor 2's TDN number falls since an oil change, then a live
// measurement. The gauge of sensor 2 names the level it will reach, in a
// colour, the others say in grey that there is no trend; File › History
// draws the trend's continuation past the last data.
#include "window/RealWindowTest.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

constexpr int Days = 20;

class ForecastWindowTest : public RealWindowTest {
protected:
    bool makeHistory() const
    {
        const QDate first = QDate::currentDate().addDays(-Days);
        return QProcess::execute(builtProgram(QStringLiteral("tools/evaluator-sim")),
                                 {QStringLiteral("--history"), home.logDir(), QStringLiteral("--from"),
                                  first.toString(Qt::ISODate), QStringLiteral("--days"), QString::number(Days),
                                  QStringLiteral("--every-seconds"), QStringLiteral("30"), QStringLiteral("--drift"),
                                  QStringLiteral("2:tdn:900:-12:20"), QStringLiteral("--oil-change"),
                                  first.toString(Qt::ISODate)})
            == 0;
    }

    // Pixels of a strong colour (not black, white or grey) in an area.
    static int colouredPixels(const QImage& screen, const QRect& area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = QColor::fromRgb(screen.pixel(x, y));
                count += std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 60;
            }
        return count;
    }
    // Dark pixels (text) in an area.
    static int darkPixels(const QImage& screen, const QRect& area)
    {
        return countNear(screen, area, qRgb(112, 112, 112), 50);
    }
    // The foot of a gauge, where its note stands.
    QRect footOf(int gauge) const
    {
        const QRect r = twin->onScreen(QStringLiteral("iLinearGaugeX1_%1").arg(gauge));
        return QRect(r.left(), r.bottom() - 24, r.width(), 25);
    }
};

TEST_F(ForecastWindowTest, TheFallingGaugeNamesItsLevelTheOthersSayNoTrend)
{
    ASSERT_TRUE(makeHistory());
    ASSERT_NO_FATAL_FAILURE(startLogger(true));
    // The first forecast follows the day's summaries at the start. Until
    // then each gauge's foot is the red end of its scale: the notes' lines
    // take that place when they come.
    QImage screen;
    const auto noted = [&] {
        screen = x.screen();
        return colouredPixels(screen, footOf(0)) == 0 && colouredPixels(screen, footOf(1)) > 10;
    };
    ASSERT_TRUE(waitUntil(noted, 60000)) << logger.output().toStdString();
    EXPECT_GT(darkPixels(screen, footOf(0)), 10); // "no trend", in grey
    const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        screen.copy(twin->onScreen(QStringLiteral("Frame3"))).save(folder + QStringLiteral("/forecast-gauges.png"));
}

// The history's data end yesterday; without a trend the view would end
// with today, a day's width of nothing. The falling value's continuation
// runs on to the level it reaches, to the plot's right edge.
TEST_F(ForecastWindowTest, HistoryDrawsTheFallingValuesWayOnToItsLevel)
{
    ASSERT_TRUE(makeHistory());
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenuFileHistory"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("History")) != 0; }, 10000));
    settle();
    x.key(QStringLiteral("Return"));
    ASSERT_NO_FATAL_FAILURE(waitUntilLoaded());
    QImage screen = x.screen();
    const QRect plot = plotOnScreen(screen);
    x.doubleClick(QPoint(plot.left() + plot.width() / 2, plot.bottom() - 20)); // the cursor off
    settle(800);
    screen = x.screen();
    const std::vector<bool> columns = curveColumns(screen, plot);
    const int lastCurve = int(std::find(columns.rbegin(), columns.rend(), true).base() - columns.begin());
    EXPECT_GE(lastCurve, plot.width() - 6);
    const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        screen.save(folder + QStringLiteral("/forecast-history.png"));
}

} // namespace
