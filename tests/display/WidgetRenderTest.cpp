#include "display/LampWidget.h"
#include "display/LinearGauge.h"
#include "core/Contrast.h"
#include "core/GaugeLooks.h"
#include "chart/Colour.h"

#include <QImage>
#include <cmath>
#include <vector>
#include <gtest/gtest.h>

namespace {

QImage render(QWidget& w)
{
    return w.grab().toImage();
}

uint32_t pixel(const QImage& image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

TEST(LinearGaugeRender, SectionsPaintTheirColoursAtTheirHeights)
{
    LinearGauge gauge;
    gauge.resize(80, 400);
    gauge.SetPositionMin(-20.0);
    gauge.SetPositionMax(250.0);
    gauge.SetSectionCount(5);
    const double ends[] = {-7.0, 25.0, 31.0, 60.0};
    const uint32_t colours[] = {0x0000FF, 0x008000, 0x00FFFF, 0x0000FF, 0xFF0000};
    for (int i = 1; i <= 4; ++i)
        gauge.SetSectionEnd(i, ends[i - 1]);
    for (int i = 1; i <= 5; ++i)
        gauge.SetSectionColor(i, colours[i - 1]);
    gauge.SetPosition(500.0); // beyond the scale, pinned at the top

    const QImage image = render(gauge);
    const int x = (gauge.bandLeft() + gauge.bandRight()) / 2;
    auto at = [&](double value) { return pixel(image, x, gauge.rowOf(value)); };
    EXPECT_EQ(at(-15.0), 0x0000FFu);
    EXPECT_EQ(at(10.0), 0x008000u);
    EXPECT_EQ(at(28.0), 0x00FFFFu);
    EXPECT_EQ(at(45.0), 0x0000FFu);
    EXPECT_EQ(at(200.0), 0xFF0000u); // the last section runs to the maximum
    EXPECT_LT(gauge.rowOf(200.0), gauge.rowOf(45.0));
    EXPECT_EQ(pixel(image, gauge.width() - 2, gauge.height() / 2 + 3), 0xFFFFFFu); // background
}

TEST(LinearGaugeRender, BarStyleFillsFromMinimumToPositionInPointerColour)
{
    LinearGauge gauge;
    gauge.resize(80, 300);
    gauge.SetPositionMin(0.0);
    gauge.SetPositionMax(100.0);
    gauge.SetPointerColor(0x00FF00);
    gauge.SetPointerStyle(3);
    gauge.SetPosition(50.0);
    const QImage image = render(gauge);
    const int x = gauge.bandLeft() / 2;
    EXPECT_EQ(pixel(image, x, gauge.rowOf(25.0)), 0x00FF00u);
    EXPECT_EQ(pixel(image, x, gauge.rowOf(75.0)), 0xFFFFFFu);
}

TEST(LinearGaugeState, StartsAsTheWindowExpectsAndReportsPosition)
{
    LinearGauge gauge;
    EXPECT_EQ(gauge.PositionMax(), 1200.0);
    EXPECT_EQ(gauge.TickMajorCount(), 11);
    EXPECT_EQ(gauge.TickMinorCount(), 6);
    EXPECT_EQ(gauge.SectionCount(), 1);
    EXPECT_EQ(gauge.SectionColor(1), 0xC0C0C0u);
    gauge.SetPointerColor(0x3E3EFF);
    EXPECT_EQ(gauge.PointerColor(0), 0x3E3EFFu);
    gauge.BeginUpdate();
    gauge.SetPosition(23.5);
    gauge.EndUpdate();
    EXPECT_EQ(gauge.accessibleDescription(), QStringLiteral("23.5"));
    gauge.SetSectionEnd(9, 1.0);
    gauge.SetSectionColor(0, 1);
    EXPECT_EQ(gauge.SectionColor(0), 0u);
}

// The gauges are narrow (about 60 pixels in the window); every scale the
// program sets keeps whole numbers on them.
TEST(LinearGaugeRender, EveryScaleOfTheProgramKeepsItsNumbersWholeOnANarrowGauge)
{
    LinearGauge gauge;
    gauge.resize(59, 400);
    std::vector<const GaugeLooks::Scale*> scales{&GaugeLooks::startScale(), &GaugeLooks::unloadScale()};
    for (int option = 1; option <= 4; ++option)
        scales.push_back(GaugeLooks::scaleOption(option));
    for (const GaugeLooks::Scale* scale : scales) {
        for (int value = 1; value <= GaugeLooks::ValueCount; ++value) {
            gauge.SetPositionMin(GaugeLooks::forValue(value)->positionMin);
            gauge.SetPositionMax(scale->positionMax);
            gauge.SetTickMajorCount(scale->majorTicks);
            EXPECT_TRUE(gauge.labelsFit()) << scale->positionMax << " from " << gauge.PositionMin();
            EXPECT_GE(gauge.bandRight() - gauge.bandLeft(), 5);
        }
    }
}

// Numbers in any scale colour the program sets read on the gauge's white; a
// scale in white is the blank scale of a sensor that is not there.
TEST(LinearGaugeRender, ScaleNumbersReadInEveryColourTheProgramGivesThem)
{
    std::vector<uint32_t> colours(std::begin(Colours::Sensor), std::end(Colours::Sensor));
    for (int value = 1; value <= GaugeLooks::ValueCount; ++value)
        colours.push_back(GaugeLooks::forValue(value)->scaleColour);
    for (const uint32_t colour : colours)
        EXPECT_GE(Contrast::ratio(LinearGauge::labelColourOf(colour, Colours::White), Colours::White), Contrast::Readable)
            << std::hex << colour;
    EXPECT_EQ(LinearGauge::labelColourOf(Colours::White, Colours::White), Colours::White);
}

TEST(LinearGaugeRender, PositionBeyondTheScaleShowsAnArrowAtThatEnd)
{
    LinearGauge gauge;
    gauge.resize(60, 300);
    gauge.SetPositionMin(-10.0);
    gauge.SetPositionMax(22.0);
    const auto pointerZone = [&] { return render(gauge).copy(0, 0, gauge.bandLeft(), gauge.height()); };
    for (const int style : {0, 3}) {
        gauge.SetPointerStyle(style);
        gauge.SetPosition(22.0);
        EXPECT_EQ(gauge.offScale(), 0);
        const QImage atTheEnd = pointerZone();
        gauge.SetPosition(22.8);
        EXPECT_EQ(gauge.offScale(), 1);
        EXPECT_NE(pointerZone(), atTheEnd) << "style " << style;
        // The arrow points out of the scale, up to the gauge's edge.
        EXPECT_EQ(pixel(render(gauge), gauge.bandLeft() / 2, 5), 0x0000FFu) << "style " << style;
        gauge.SetPosition(-10.5);
        EXPECT_EQ(gauge.offScale(), -1);
        EXPECT_EQ(pixel(render(gauge), gauge.bandLeft() / 2, gauge.height() - 6), 0x0000FFu) << "style " << style;
    }
    gauge.SetPosition(std::nan(""));
    EXPECT_EQ(gauge.offScale(), 0);
}

TEST(LampRender, LitLampShowsActiveColourAndSaysSo)
{
    LedRound lamp;
    lamp.resize(30, 30);
    lamp.SetActiveColor(0x0000FF);
    lamp.SetInactiveColor(0x000080);
    EXPECT_EQ(lamp.accessibleDescription(), QStringLiteral("unlit"));
    const QColor unlit = render(lamp).pixelColor(15, 18);
    lamp.SetActive(true);
    EXPECT_EQ(lamp.accessibleDescription(), QStringLiteral("lit"));
    const QColor lit = render(lamp).pixelColor(15, 18);
    EXPECT_GT(lit.red(), 200);
    EXPECT_LT(lit.green(), 60);
    EXPECT_LT(unlit.red(), 160);
}

TEST(LampRender, RectangleLampHidesAndShows)
{
    LedRectangle lamp;
    lamp.SetVisible(false);
    EXPECT_FALSE(lamp.IsVisible());
    lamp.SetVisible(true);
    EXPECT_TRUE(lamp.IsVisible());
}

} // namespace
