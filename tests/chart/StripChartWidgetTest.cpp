#include "chart/StripChartTime.h"
#include "chart/StripChartWidget.h"
#include "chart/ChartTestTime.h"
#include "chart/Colour.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace ChartTime;

QImage render(const StripChartWidget& chart, QSize size = {800, 400})
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    chart.paintChart(painter, QRectF(QPointF(0, 0), size));
    return image;
}

int countColour(const QImage& image, uint32_t colour)
{
    const QRgb wanted = toQColor(colour).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == wanted;
    return n;
}

void sendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void addRow(StripChartWidget& chart, int i)
{
    chart.BeginRow();
    chart.AddRowAt(kStart + i * kSecond);
    chart.SetChannelValue(0, -1, double(i % 40));
    chart.EndRow();
}

} // namespace

TEST(StripChartWidget, RowsInBulkAreRedrawnAtAPaceAndTheLastOnesAreNotLeftOut)
{
    StripChartWidget chart;
    chart.resize(400, 200);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 2);
    PaintCounter counter;
    chart.installEventFilter(&counter);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 5000));

    // A load: rows in bursts, the event loop run between them.
    counter.paints = 0;
    int row = 0;
    for (int burst = 0; burst < 60; ++burst) {
        for (int i = 0; i < 50; ++i)
            addRow(chart, row++);
        QCoreApplication::processEvents();
    }
    EXPECT_LT(counter.paints, 30);
    // The rows after the last redraw are painted without any further row.
    const int before = counter.paints;
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > before; }, 5000));
}

TEST(StripChartWidget, CursorIndexFollowsAMouseDrag)
{
    FixedClock clock;
    StripChartWidget chart(nullptr, &clock);
    chart.resize(800, 400);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Aqua, 0, 2);
    for (int i = 0; i <= 100; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, i);
        chart.EndRow();
    }
    chart.SetXAxisSpan(100 * kSecond);
    int changes = 0;
    chart.onCursorChange = [&] { ++changes; };

    const QRectF plot = chart.plotRect();
    const double y = plot.center().y();
    // A click puts the cursor there; pressed on its line it is dragged.
    sendMouse(chart, QEvent::MouseButtonPress, {plot.left() + plot.width() * 0.1, y}, Qt::LeftButton);
    sendMouse(chart, QEvent::MouseButtonRelease, {plot.left() + plot.width() * 0.1, y}, Qt::NoButton);
    EXPECT_EQ(chart.CursorIndex(), 10);
    sendMouse(chart, QEvent::MouseButtonPress, {plot.left() + plot.width() * 0.1 + 3, y}, Qt::LeftButton);
    sendMouse(chart, QEvent::MouseMove, {plot.left() + plot.width() * 0.4, y}, Qt::LeftButton);
    sendMouse(chart, QEvent::MouseMove, {plot.left() + plot.width() * 0.8, y}, Qt::LeftButton);
    EXPECT_EQ(chart.CursorIndex(), 80);
    EXPECT_DOUBLE_EQ(chart.ChannelValueAt(chart.CursorIndex(), 0), 80.0);
    EXPECT_NEAR(chart.XValueAt(chart.CursorIndex()), kStart + 80 * kSecond, 1e-9);
    sendMouse(chart, QEvent::MouseButtonRelease, {plot.left() + plot.width() * 0.8, y}, Qt::NoButton);
    sendMouse(chart, QEvent::MouseMove, {plot.left() + plot.width() * 0.2, y}, Qt::NoButton);
    EXPECT_EQ(chart.CursorIndex(), 80); // released: moving no longer drags
    sendMouse(chart, QEvent::MouseMove, {plot.right() + 500, y}, Qt::LeftButton);
    EXPECT_EQ(changes, 4);

    // Dragging past the plot pins the cursor to its edge.
    sendMouse(chart, QEvent::MouseButtonPress, {plot.left() + plot.width() * 0.8, y}, Qt::LeftButton);
    sendMouse(chart, QEvent::MouseMove, {plot.right() + 500, y}, Qt::LeftButton);
    EXPECT_EQ(chart.CursorIndex(), 100);
}

TEST(StripChartWidget, HiddenCursorIgnoresDragsAndDoubleClickRaisesToggle)
{
    StripChartWidget chart;
    chart.resize(400, 300);
    int toggles = 0;
    int changes = 0;
    chart.onToggle = [&] { ++toggles; chart.ToggleCursor(); };
    chart.onCursorChange = [&] { ++changes; };
    const QPointF at = chart.plotRect().center() + QPointF(40, 0);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, chart.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &dbl);
    EXPECT_EQ(toggles, 1);
    EXPECT_FALSE(chart.CursorShown());
    sendMouse(chart, QEvent::MouseButtonPress, at, Qt::LeftButton);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(chart.CursorIndex(), -1); // no rows
}

TEST(StripChartWidget, BufferSizeDropsTheOldestRows)
{
    StripChartWidget chart;
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Aqua, 0, 2);
    chart.SetBufferSize(50);
    chart.SetAutoRowDrop(true);
    for (int i = 0; i < 80; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, i);
        chart.SetChannelValue(7, -1, i); // no such channel
        chart.EndRow();
    }
    EXPECT_EQ(chart.RowCount(), 50);
    EXPECT_DOUBLE_EQ(chart.ChannelValueAt(0, 0), 30.0);
    EXPECT_TRUE(std::isnan(chart.ChannelValueAt(0, 7)));
    EXPECT_TRUE(std::isnan(chart.XValueAt(50)));
}

TEST(StripChartWidget, HiddenChannelsAreNotDrawn)
{
    StripChartWidget chart;
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 2);
    chart.AddChannel(QStringLiteral("Value  12"), 0xFF2E96, 1, 2);
    for (int i = 0; i < 200; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, 10.0);
        chart.SetChannelValue(1, -1, 30.0);
        chart.EndRow();
    }
    const uint32_t shade = chart.settings().channels[1].drawnColour();
    EXPECT_GT(countColour(render(chart), shade), 100);
    chart.SetChannelVisible(1, false);
    const QImage image = render(chart);
    EXPECT_EQ(countColour(image, shade), 0);
    EXPECT_GT(countColour(image, Colours::Lime), 100);
}

TEST(StripChartWidget, RowsWithoutValueBreakTheLineInsteadOfBridgingIt)
{
    // 30 at both ends of a 100-row gap, 40 across a gap-free stretch: the
    // gap's middle columns hold no curve at all.
    StripChartWidget chart;
    chart.SetYAxisRange(-10, 50);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 1);
    for (int i = 0; i < 300; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, i >= 100 && i < 200 ? std::nan("") : 30.0);
        chart.EndRow();
    }
    chart.SetXAxisSpan(300 * kSecond);
    chart.resize(600, 300);
    const QImage image = render(chart, chart.size());
    const QRectF plot = chart.plotRect();
    const auto curveInColumn = [&](double fraction) {
        const int x = int(plot.left() + plot.width() * fraction);
        for (int y = int(plot.top()); y < int(plot.bottom()); ++y)
            if (image.pixel(x, y) == toQColor(Colours::Lime).rgb())
                return true;
        return false;
    };
    EXPECT_TRUE(curveInColumn(0.15));
    EXPECT_FALSE(curveInColumn(0.5));
    EXPECT_TRUE(curveInColumn(0.85));
}

TEST(StripChartWidget, SingleSpikeInAMillionRowsIsDrawn)
{
    StripChartWidget chart;
    chart.SetBufferSize(1000000);
    chart.SetYAxisRange(-10, 50);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 1);
    for (int i = 0; i < 1000000; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, i == 612345 ? 45.0 : 0.0);
        chart.EndRow();
    }
    chart.SetXAxisSpan(1000000 * kSecond);
    chart.resize(800, 400);
    const QImage image = render(chart, chart.size());
    // Pixels of the curve colour well above the zero line can only come from
    // the spike, and with over a thousand rows per pixel column they must still
    // sit within a pixel of its place.
    int above = 0;
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height() / 3; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGreen(image.pixel(x, y)) > 160 && qRed(image.pixel(x, y)) < 120) {
                ++above;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(above, 10);
    const QRectF plot = chart.plotRect();
    const double place = plot.left() + plot.width() * (612345.0 + 1.0) / 1000000.0; // the view starts a second before row 0
    EXPECT_GE(left, int(std::floor(place - 1.0)));
    EXPECT_LE(right, int(std::ceil(place + 1.0)));
}

TEST(StripChartWidget, PrintsToAPdfFile)
{
    QTemporaryDir dir;
    StripChartWidget chart;
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 2);
    chart.BeginRow();
    chart.AddRowAt(kStart);
    chart.SetChannelValue(0, -1, 12.0);
    chart.EndRow();
    chart.SetPrintOrientation(1);
    chart.SetPrinterMargins(0.5, 0.5, 2.0, 2.0);
    chart.AddPrinterComment(QStringLiteral("PXM xy diagram"));
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(chart.PrintChartToPdf(path));
    EXPECT_GT(QFileInfo(path).size(), 1000);
    EXPECT_FALSE(chart.PrintChartToPdf(dir.filePath(QStringLiteral("missing/folder/chart.pdf"))));
}

// Not a check: leaves a realistic live hour in the build folder for a person
// to look at (strip_chart.png).
TEST(StripChartWidget, RendersARealisticPicture)
{
    FixedClock clock;
    StripChartWidget chart(nullptr, &clock);
    chart.resize(1200, 520);
    const uint32_t colours[6] = {0xFFFF00, 0x00FF00, 0x3E3EFF, 0xFF2E96, 0x00FFFF, 0x029983};
    for (int s = 1; s <= 6; ++s)
        for (int k = 1; k <= 5; ++k)
            chart.AddChannel(QStringLiteral("Value  %1%2").arg(s).arg(k), colours[s - 1], k - 1, k == 1 ? 2 : 1);
    chart.SetYAxisRange(-30, 150);
    chart.SetYAxisTickMajorCount(19);
    chart.SetYAxisTickMinorCount(3);
    chart.SetXAxisSpan(1.0 / 24);
    chart.SetBufferSize(345600);
    for (int c = 0; c < 30; ++c)
        chart.SetChannelVisible(c, c % 5 == 0 || c % 5 == 1 || c % 5 == 3);
    const int rows = 4 * 3600;
    for (int i = 0; i < rows; ++i) {
        const double t = double(i) / rows;
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond / 4);
        for (int s = 0; s < 6; ++s) {
            const double warmUp = 1.0 - std::exp(-6.0 * t);
            const double wobble = std::sin(i * 0.002 + s) * 1.5 + std::sin(i * 0.031 * (s + 1)) * 0.4;
            chart.SetChannelValue(5 * s + 0, -1, 8.0 + 3.0 * s + 4.0 * t + wobble);
            chart.SetChannelValue(5 * s + 1, -1, 22.0 + (48.0 + 6.0 * s) * warmUp + wobble);
            chart.SetChannelValue(5 * s + 2, -1, 2.0 + 0.5 * s + wobble * 0.2);
            chart.SetChannelValue(5 * s + 3, -1, 90.0 + 8.0 * s - 20.0 * t + wobble * 2.0 + (i == rows / 2 && s == 2 ? 40.0 : 0.0));
            chart.SetChannelValue(5 * s + 4, -1, 21.0 + wobble * 0.3);
        }
        chart.EndRow();
    }
    QImage image(chart.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart.paintFrame(painter, chart.rect());
    painter.end();
    ASSERT_TRUE(image.save(QStringLiteral(VELTRA_BINARY_DIR "/strip_chart.png")));

    chart.SetPrintOrientation(1);
    chart.SetPrinterCommentFont(QFont(QStringLiteral("arial"), 12));
    for (const char* line : {" ", "PXM xy diagram", " ", " ", "Printed by VELTRA Data Logger Version 1.03_1", "Owner notice"})
        chart.AddPrinterComment(QString::fromLatin1(line));
    chart.SetPrinterMargins(0.5, 0.5, 2.0, 2.0);
    ASSERT_TRUE(chart.PrintChartToPdf(QStringLiteral(VELTRA_BINARY_DIR "/strip_chart.pdf")));
}

namespace {
// Rows of a live chart at one a second: a plain line, a wide line with gaps
// (no value), and a widest line with a value only every seventh row.
void addLiveRow(StripChartWidget& chart, int i)
{
    chart.BeginRow();
    chart.AddRowAt(kStart + i * kSecond);
    chart.SetChannelValue(0, -1, 20.0 + 15.0 * std::sin(i * 0.05) + (i * 7919) % 9);
    chart.SetChannelValue(1, -1, (i / 40) % 3 == 1 ? std::nan("") : 10.0 + (i % 23));
    if (i % 7 == 0)
        chart.SetChannelValue(2, -1, 35.0 - (i * 31) % 40);
    chart.EndRow();
}

// Adds rows one by one, patching the cached picture after each, and expects
// it to match a whole new picture every time.
void expectPatchesMatchWholeFrames(int rowsPerColumnTimes2, int ticks, bool movedBack = false)
{
    FixedClock clock;
    StripChartWidget chart(nullptr, &clock);
    chart.resize(320, 160);
    chart.ToggleCursor(); // the picture alone
    chart.SetYAxisRange(-10, 50);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 1);
    chart.AddChannel(QStringLiteral("Value  12"), 0xFF2E96, 1, 2);
    chart.AddChannel(QStringLiteral("Value  13"), Colours::Yellow, 2, 4);
    const int columns = int(chart.plotRect().width());
    const int span = columns * rowsPerColumnTimes2 / 2;
    chart.SetXAxisSpan(span * kSecond);
    chart.SetBufferSize(span); // full: every new row drops the oldest
    int row = 0;
    for (; row < span + 50; ++row)
        addLiveRow(chart, row);
    if (movedBack) { // the view stays where it is while rows come and the oldest go
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(&chart, &left);
    }
    QImage cached(chart.size(), QImage::Format_RGB32);
    int patches = 0;
    for (int tick = 0; tick < ticks; ++tick, ++row) {
        {
            QPainter painter(&cached);
            chart.paintFrame(painter, chart.rect());
        }
        ASSERT_EQ(cached, render(chart, chart.size())) << "after row " << row;
        addLiveRow(chart, row);
        patches += chart.refreshCache() != chart.rect();
    }
    EXPECT_GT(patches, ticks / 2);
}
} // namespace

TEST(StripChartWidget, PatchedPictureOfNewRowsMatchesAWholeRedraw)
{
    expectPatchesMatchWholeFrames(1, 150);   // two columns a row: joins, scrolls every row
    expectPatchesMatchWholeFrames(160, 500); // 80 rows a column: summaries, a scroll now and then
    expectPatchesMatchWholeFrames(1, 150, true);
}

TEST(StripChartWidget, CursorReadoutThatGrowsWithANewRowIsRepaintedWhole)
{
    FixedClock clock;
    StripChartWidget chart(nullptr, &clock);
    chart.resize(400, 200);
    chart.AddChannel(QStringLiteral("Value  11"), Colours::Lime, 0, 1);
    chart.SetXAxisSpan(3000 * kSecond); // several rows a column: most rows scroll nothing
    const QRectF plot = chart.plotRect();
    sendMouse(chart, QEvent::MouseButtonPress, {plot.right(), plot.center().y()}, Qt::LeftButton); // at the newest row
    sendMouse(chart, QEvent::MouseButtonRelease, {plot.right(), plot.center().y()}, Qt::NoButton);
    QImage shown(chart.size(), QImage::Format_RGB32);
    for (int i = 0; i < 40; ++i) {
        chart.BeginRow();
        chart.AddRowAt(kStart + i * kSecond);
        chart.SetChannelValue(0, -1, i % 2 ? 1.0 : -10.25); // readouts of two widths
        chart.EndRow();
        {
            QPainter painter(&shown);
            const QRegion changed = i == 0 ? QRegion(chart.rect()) : chart.refreshCache();
            painter.setClipRegion(changed);
            chart.paintFrame(painter, changed);
        }
        QImage whole(chart.size(), QImage::Format_RGB32);
        QPainter painter(&whole);
        chart.paintFrame(painter, chart.rect());
        ASSERT_EQ(shown, whole) << "after row " << i;
    }
}
