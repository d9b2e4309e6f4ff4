#include "app/LayoutUnits.h"
#include "app/MainLayout.h"

#include <gtest/gtest.h>

namespace {
// A client area of 1280 x 745 pixels at 96 dots per inch.
constexpr double MaxWidth = 19200;
constexpr double MaxHeight = 11175;

// Inner width whose w (width - tab panel - value frame) is the given number.
double innerWidthFor(const MainLayout& layout, double w)
{
    return w + layout.boxes.SSTab1.width + layout.boxes.Frame7.width;
}
} // namespace

TEST(MainLayout, NormalWindowPutsPanelsAtTheirFixedPlaces)
{
    MainLayout layout;
    layout.resize(WindowShowState::Maximized, MaxWidth, MaxHeight);
    layout.resize(WindowShowState::Normal, 19080, 11100);
    const MainLayoutBoxes& b = layout.boxes;

    EXPECT_EQ(b.Frame2.top, 11100 - b.Frame2.height - 10);
    EXPECT_EQ(b.Frame1.top, 120);
    EXPECT_EQ(b.Frame1.height, 9045);
    EXPECT_EQ(b.Frame1.width, 10485);
    EXPECT_EQ(b.Frame7.top, 7080);
    EXPECT_EQ(b.Frame8.left, 7800);
    EXPECT_EQ(b.Frame_x.left, 9120);
    EXPECT_EQ(b.Frame_relais.top, 7920);
    EXPECT_EQ(b.Frame8.top, 7920);
    EXPECT_EQ(b.Frame_x.top, 7920);
    EXPECT_EQ(b.chart.top, 400);
    EXPECT_EQ(b.chart.height, 6765);
    EXPECT_EQ(b.chart.width, 10215);
    EXPECT_EQ(b.SSTab1.height, 9135);
    EXPECT_FALSE(b.Image1.visible);
    EXPECT_FALSE(b.Lbl_slogan.visible);
    EXPECT_EQ(b.Image1.top, 600);
    EXPECT_EQ(b.Image1.left, 13680);
    EXPECT_EQ(b.Lbl_slogan.top, 4320);
    EXPECT_EQ(b.Lbl_slogan.left, 13920);
    EXPECT_EQ(layout.InitialScaleWidth, 19080);
    EXPECT_EQ(layout.InitialScaleHeight, 11100);

    // The gauge panel follows the tab panel.
    EXPECT_EQ(b.Frame3.height, 8665);
    EXPECT_EQ(b.Frame_LED.top, 8665 - 1180);
    EXPECT_EQ(b.Frame5.top, 8665 - 1670);
    EXPECT_EQ(b.Frame4.top, b.Frame3.top + 2100);
    EXPECT_EQ(b.Label1.top, 8665 - 2500);
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(b.gauge[t].height, 6065) << t;
        EXPECT_EQ(b.TextGauge[t].top, 8665 - 1970) << t;
    }
}

TEST(MainLayout, MaximizedWindowStretchesTheChartFrame)
{
    MainLayout layout;
    layout.InitialScaleWidth = 1;
    layout.resize(WindowShowState::Maximized, MaxWidth, MaxHeight);
    const MainLayoutBoxes& b = layout.boxes;

    EXPECT_EQ(b.Frame2.top, MaxHeight - b.Frame2.height - 10);
    EXPECT_EQ(b.Frame1.height, MaxHeight - 120 - 50);
    EXPECT_EQ(b.Frame1.width, MaxWidth - b.Frame1.left - 100);
    EXPECT_EQ(b.Frame_relais.top, b.Frame1.height - b.Frame_relais.height - b.Frame2.height - 70);
    EXPECT_EQ(b.Frame_x.top, b.Frame_relais.top);
    EXPECT_EQ(b.Frame8.top, b.Frame_relais.top);
    EXPECT_EQ(b.Frame7.top, b.Frame1.height - b.Frame_relais.height - b.Frame7.height - b.Frame2.height - 200);
    EXPECT_EQ(b.chart.top, b.Frame1.top + 280);
    EXPECT_EQ(b.chart.height, b.Frame7.top - 300);
    EXPECT_EQ(b.chart.width, b.Frame1.width - 300);
    EXPECT_EQ(b.SSTab1.height, b.Frame2.top - 120);
    EXPECT_EQ(b.Frame3.height, b.SSTab1.height - 470);
    // Only a normal window records its size as the starting size.
    EXPECT_EQ(layout.InitialScaleWidth, 1);
}

TEST(MainLayout, PictureAndSloganNeedMoreThan4600Twips)
{
    MainLayout layout;
    layout.resize(WindowShowState::Maximized, innerWidthFor(layout, 4600), MaxHeight);
    EXPECT_FALSE(layout.boxes.Image1.visible);
    EXPECT_FALSE(layout.boxes.Lbl_slogan.visible);
    EXPECT_EQ(layout.boxes.Image1.left, 13680);

    layout.resize(WindowShowState::Maximized, innerWidthFor(layout, 4601), MaxHeight);
    const MainLayoutBoxes& b = layout.boxes;
    EXPECT_TRUE(b.Image1.visible);
    EXPECT_TRUE(b.Lbl_slogan.visible);
    EXPECT_DOUBLE_EQ(b.Image1.left, (4601 - 4215) / 2.0 + b.Frame7.width + 800);
    EXPECT_EQ(b.Image1.top, b.Frame7.top + 100);
    EXPECT_DOUBLE_EQ(b.Lbl_slogan.left, (4601 - 4215) / 2.0 + b.Frame7.width + 200);
    EXPECT_EQ(b.Lbl_slogan.top, b.Frame1.height - 500);

    // Back to a normal window: hidden again at the design places.
    layout.resize(WindowShowState::Normal, 19080, 11100);
    EXPECT_FALSE(layout.boxes.Image1.visible);
    EXPECT_FALSE(layout.boxes.Lbl_slogan.visible);
    EXPECT_EQ(layout.boxes.Frame1.width, 10485);
}

TEST(MainLayout, MinimizedWindowOnlyFitsTheGaugePanel)
{
    MainLayout layout;
    layout.resize(WindowShowState::Maximized, MaxWidth, MaxHeight);
    const MainLayoutBoxes before = layout.boxes;
    layout.boxes.SSTab1.height = 5000;
    layout.resize(WindowShowState::Minimized, 0, 0);
    EXPECT_EQ(layout.boxes.Frame1.height, before.Frame1.height);
    EXPECT_EQ(layout.boxes.Frame3.height, 4530);
    EXPECT_EQ(layout.boxes.gauge[5].height, 1930);
}

TEST(MainLayout, AnySizeChangeEndsTheEnlargedChart)
{
    MainLayout layout;
    layout.chartEnlarged = true;
    EXPECT_TRUE(layout.resize(WindowShowState::Minimized, 0, 0));
    EXPECT_FALSE(layout.chartEnlarged);
    EXPECT_FALSE(layout.resize(WindowShowState::Normal, 19080, 11100));
}

TEST(TwipScale, ConvertsAtTheLogicalDpi)
{
    EXPECT_EQ(TwipScale(96).toPixels(9045), 603);
    EXPECT_EQ(TwipScale(96).twipsPerPixel(), 15);
    EXPECT_EQ(TwipScale(144).toPixels(1440), 144);
    EXPECT_EQ(TwipScale(0).toPixels(1500), 100); // an unknown DPI counts as 96
}
