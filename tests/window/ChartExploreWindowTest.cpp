// The chart explored in the real window: a 50 MB logfile of about 38 hours,
// with 23 minutes taken out of it, loaded through the real Open dialog; the
// whole file is seen, the wheel zooms into about an hour around the gap, and
// a click reads the values under the cursor.
#include "window/RealWindowTest.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

class ChartExploreWindowTest : public RealWindowTest {
protected:
    // The simulator's logfile without the lines from 40 % to 41 % of it.
    QString fileWithAGap() const
    {
        const QString whole = home.filePath(QStringLiteral("whole.vlg"));
        QProcess make;
        make.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
                   {QStringLiteral("--logfile"), whole, QStringLiteral("--bytes"), QStringLiteral("50M")});
        if (!make.waitForFinished(60000) || make.exitCode() != 0)
            return {};
        QFile in(whole);
        const QString cut = home.filePath(QStringLiteral("gap.vlg"));
        QFile out(cut);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return {};
        const QByteArray all = in.readAll();
        const qsizetype from = all.indexOf('\n', all.size() * 40 / 100) + 1;
        const qsizetype to = all.indexOf('\n', all.size() * 41 / 100) + 1;
        out.write(all.left(from));
        out.write(all.mid(to));
        return cut;
    }
};

TEST_F(ChartExploreWindowTest, WholeFileThenAnHourAroundAGapThenTheValuesUnderTheCursor)
{
    const QString file = fileWithAGap();
    ASSERT_FALSE(file.isEmpty());
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    ASSERT_NO_FATAL_FAILURE(loadThroughTheOpenDialog(file));

    // The cursor and its readout off, to see the curves alone.
    QImage screen = x.screen();
    const QRect plot = plotOnScreen(screen);
    ASSERT_GT(plot.width(), 300);
    x.doubleClick(QPoint(plot.left() + plot.width() / 2, plot.bottom() - 20));
    settle(800);
    screen = x.screen();
    std::vector<bool> columns = curveColumns(screen, plot);
    // The whole file: a little room before its first row, its last row at the
    // right edge, and the 23 minutes of 38 hours as a few empty columns near
    // 40 % of the width.
    const int firstCurve = int(std::find(columns.begin(), columns.end(), true) - columns.begin());
    EXPECT_GT(firstCurve, 3);
    EXPECT_LT(firstCurve, plot.width() / 20);
    EXPECT_TRUE(columns[size_t(plot.width() - 3)]);
    const auto [gapStart, gapWidth] = widestGap(columns);
    EXPECT_NEAR(gapStart, firstCurve + 0.4 * (plot.width() - firstCurve), plot.width() / 50.0);
    EXPECT_GE(gapWidth, 2);
    EXPECT_LT(gapWidth, 12);

    // Sixteen wheel steps at the gap: about an hour, the gap now a third of it.
    const QPoint atGap(plot.left() + gapStart + gapWidth / 2, plot.center().y());
    x.run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(atGap.x()), QString::number(atGap.y()),
                                      QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("16"),
                                      QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("4")});
    settle(1200);
    screen = x.screen();
    const auto zoomed = widestGap(curveColumns(screen, plot));
    EXPECT_GT(zoomed.second, plot.width() / 4);
    EXPECT_LT(zoomed.second, plot.width() / 2);
    EXPECT_LE(zoomed.first, atGap.x() - plot.left());
    EXPECT_GE(zoomed.first + zoomed.second, atGap.x() - plot.left());

    // The cursor back, put on the curves right of the gap: its readout stands
    // on the other half, and the gauges' readouts show the values there.
    const QRect readout = twin->onScreen(QStringLiteral("TextGauge_0"));
    x.doubleClick(QPoint(plot.left() + plot.width() / 2, plot.bottom() - 20));
    settle(600);
    const QImage before = x.screen().copy(readout);
    x.click(QPoint(plot.right() - plot.width() / 8, plot.center().y()));
    settle(800);
    screen = x.screen();
    const QRect leftHalf(plot.left(), plot.top(), plot.width() / 2, plot.height());
    const QRect rightHalf(plot.center().x() + 1, plot.top(), plot.width() / 2 - 1, plot.height());
    EXPECT_GT(countNear(screen, leftHalf, qRgb(255, 0, 0), 30), 100); // the box's red frame
    EXPECT_LT(countNear(screen, rightHalf, qRgb(255, 0, 0), 30), 20);
    EXPECT_NE(screen.copy(readout), before);
    const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        screen.save(folder + QStringLiteral("/chart-explore.png"));
}

// A light button (the chart's view button) in the plot's lower right corner.
bool viewButtonShown(const QImage& screen, const QRect& plot)
{
    const QRect corner(plot.right() - 120, plot.bottom() - 40, 120, 40);
    int light = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y)
        for (int x = corner.left(); x <= corner.right(); ++x) {
            const QColor c = QColor::fromRgb(screen.pixel(x, y));
            light += c.red() > 200 && c.green() > 200 && c.blue() > 200;
        }
    return light > 300;
}

TEST_F(ChartExploreWindowTest, LiveViewMovedBackOffersFollowLiveWhichFollowsAgain)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(true));
    settle(16000); // more live rows than ten seconds, the narrowest view
    QImage screen = x.screen();
    const QRect plot = plotOnScreen(screen);
    ASSERT_GT(plot.width(), 300);
    EXPECT_FALSE(viewButtonShown(screen, plot));
    x.click(QPoint(plot.left() + plot.width() / 3, plot.center().y())); // the chart takes the keys
    for (int i = 0; i < 7; ++i)
        x.key(QStringLiteral("plus"));
    x.key(QStringLiteral("Left"));
    settle(800);
    EXPECT_TRUE(viewButtonShown(x.screen(), plot));
    x.key(QStringLiteral("End"));
    settle(800);
    EXPECT_FALSE(viewButtonShown(x.screen(), plot));
    x.key(QStringLiteral("Home"));
    settle(800);
    ASSERT_TRUE(viewButtonShown(x.screen(), plot));
    x.click(QPoint(plot.right() - 40, plot.bottom() - 14));
    settle(800);
    EXPECT_FALSE(viewButtonShown(x.screen(), plot));
}

} // namespace
