// Zoom, pan, keys, the view button, the readout's names and place, gaps.
#include "chart/StripChartReadout.h"
#include "chart/StripChartTime.h"
#include "chart/StripChartWidget.h"
#include "chart/ChartTestTime.h"
#include "chart/Colour.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

using namespace ChartTime;

// An hour of rows, one a second, in an 800 x 400 chart showing two minutes.
struct Chart {
    FixedClock clock;
    StripChartWidget chart{nullptr, &clock};
    Chart(int rows = 3600)
    {
        chart.resize(800, 400);
        chart.AddChannel(QStringLiteral("Value  11"), Colours::Aqua, 0, 2);
        chart.SetChannelNames(0, QStringLiteral("Sensor1"), QStringLiteral("Oil Temperature"), QStringLiteral("°C"), 1);
        for (int i = 0; i < rows; ++i)
            addRow(i, i % 100);
        chart.SetXAxisSpan(120 * kSecond);
    }
    void addRow(int second, double value)
    {
        chart.BeginRow();
        chart.AddRowAt(kStart + second * kSecond);
        chart.SetChannelValue(0, -1, value);
        chart.EndRow();
    }
    std::pair<double, double> range() const { return chart.visibleXRange(); }
    double span() const { return range().second - range().first; }
    QPointF at(double share) const
    {
        const QRectF plot = chart.plotRect();
        return {plot.left() + share * plot.width(), plot.center().y()};
    }
    void wheel(QPointF at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWheelEvent event(at, chart.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
    }
    void key(int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, chart.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
};

TEST(StripChartExplore, WheelZoomsAroundThePointerAndShiftWheelZoomsTheValues)
{
    Chart c;
    const QPointF pointer = c.at(0.25);
    const double x = c.range().first + 0.25 * c.span();
    c.wheel(pointer, 120);
    EXPECT_NEAR(c.span(), 0.8 * 120 * kSecond, kSecond);
    EXPECT_NEAR(c.range().first + 0.25 * c.span(), x, kSecond); // still under the pointer
    for (int i = 0; i < 40; ++i)
        c.wheel(pointer, 120);
    EXPECT_NEAR(c.span(), StripChartNavigation::kMinSpanDays, kSecond); // narrowest
    for (int i = 0; i < 80; ++i)
        c.wheel(pointer, -120);
    EXPECT_NEAR(c.span(), 0.25, kSecond); // widest: six hours, the widest preset, for an hour of rows

    const double yRange = c.chart.settings().yMax - c.chart.settings().yMin;
    c.wheel(pointer, 120, Qt::ShiftModifier);
    EXPECT_NEAR(c.chart.settings().yMax - c.chart.settings().yMin, 0.8 * yRange, 1e-9);
}

TEST(StripChartExplore, KeysPanZoomAndJumpAndAPanBackStopsFollowingUntilFollowLive)
{
    Chart c;
    const double end = c.range().second;
    QToolButton* button = c.chart.viewButton();
    EXPECT_TRUE(c.chart.following());
    EXPECT_TRUE(button->isHidden());
    c.key(Qt::Key_Left);
    EXPECT_NEAR(c.range().second, end - 12 * kSecond, kSecond);
    EXPECT_FALSE(c.chart.following());
    EXPECT_FALSE(button->isHidden());
    EXPECT_EQ(button->text(), QStringLiteral("Follow live"));

    // New rows do not move a view that was moved back.
    c.addRow(3600, 5);
    EXPECT_NEAR(c.range().second, end - 12 * kSecond, kSecond);

    c.key(Qt::Key_Home);
    EXPECT_NEAR(c.range().first, kStart, kSecond);
    c.key(Qt::Key_Plus);
    EXPECT_NEAR(c.span(), 80 * kSecond, kSecond);
    c.key(Qt::Key_Minus);
    EXPECT_NEAR(c.span(), 120 * kSecond, kSecond);
    c.key(Qt::Key_Right); // never past the newest row
    c.key(Qt::Key_End);
    EXPECT_TRUE(c.chart.following());
    EXPECT_NEAR(c.range().second, kStart + 3600 * kSecond, kSecond);

    c.key(Qt::Key_Left);
    button->click();
    EXPECT_TRUE(c.chart.following());
    EXPECT_TRUE(button->isHidden());
}

TEST(StripChartExplore, DraggingPansAndTheFileViewButtonShowsTheWholeFile)
{
    Chart c;
    const double end = c.range().second;
    c.mouse(QEvent::MouseButtonPress, c.at(0.2), Qt::LeftButton);
    c.mouse(QEvent::MouseMove, c.at(0.7), Qt::LeftButton);
    c.mouse(QEvent::MouseButtonRelease, c.at(0.7), Qt::NoButton);
    EXPECT_NEAR(c.range().second, end - 0.5 * 120 * kSecond, kSecond); // dragged right: back in time

    c.chart.SetFileView(true);
    EXPECT_EQ(c.chart.viewButton()->text(), QStringLiteral("Whole file"));
    c.chart.viewButton()->click();
    EXPECT_LE(c.range().first, kStart);
    EXPECT_GE(c.range().second, kStart + 3599 * kSecond);
    EXPECT_LT(c.span(), 1.1 * 3600 * kSecond);
}

TEST(StripChartExplore, ReadoutNamesItsEntriesAndStaysInsideThePlotAwayFromTheCursor)
{
    Chart c;
    for (int ch = 1; ch < 30; ++ch) {
        c.chart.AddChannel(QStringLiteral("Value"), Colours::Lime, ch % 5, 1);
        c.chart.SetChannelNames(ch, QStringLiteral("Sensor%1").arg(ch / 5 + 1), QStringLiteral("Loss factor %"),
                                QStringLiteral("%"), 1);
        c.chart.SetChannelVisible(ch, ch < 10);
    }
    c.addRow(3600, 52.2);
    StripChartReadout readout(c.chart.store(), c.chart.settings(), c.chart.font());
    StripChartLayout layout;
    layout.plot = c.chart.plotRect();
    layout.x0 = c.range().first;
    layout.x1 = c.range().second;
    const int64_t newest = c.chart.RowCount() - 1;
    auto boxAt = [&](double share) {
        return readout.box(layout, layout.plot.left() + share * layout.plot.width(), newest);
    };
    for (double share : {0.05, 0.5, 0.95}) {
        const StripChartReadout::Box box = boxAt(share);
        ASSERT_EQ(box.entries.size(), 11u);
        EXPECT_EQ(box.entries[1].text, QStringLiteral("Sensor1 · Oil Temperature 52.2 °C"));
        EXPECT_TRUE(layout.plot.contains(box.box)) << share;
        EXPECT_FALSE(box.box.contains(QPointF(box.px, box.box.center().y()))) << share;
    }
    // All 31 entries in a small chart: in columns, still inside the plot.
    for (int ch = 10; ch < 30; ++ch)
        c.chart.SetChannelVisible(ch, true);
    c.chart.resize(500, 220);
    layout.plot = c.chart.plotRect();
    const StripChartReadout::Box all = boxAt(0.5);
    EXPECT_GT(all.rowsPerColumn, 1);
    EXPECT_LT(all.rowsPerColumn, 31);
    EXPECT_TRUE(layout.plot.contains(all.box));
    EXPECT_EQ(StripChartReadout::entryText(c.chart.settings().channels[2], false, 0),
              QStringLiteral("Sensor1 · Loss factor % -"));
}

TEST(StripChartExplore, HoursWithoutRowsAreAGapNotALine)
{
    Chart c(0);
    c.addRow(0, 10);
    c.addRow(1, 10);
    c.addRow(7200, 40); // two hours later
    c.addRow(7201, 40);
    EXPECT_FALSE(c.chart.store().breaksIn(0, 0, 2));
    EXPECT_TRUE(c.chart.store().breaksIn(0, 1, 3));
}

} // namespace
