#include "PlaybackWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaybackGauges, EachValueSelectsItsScaleOnlyTheFirstTimeItIsShown)
{
    PlaybackWindow w;
    w.controller->SetupPlaybackGauges(2);
    EXPECT_TRUE(w.c.OptionScaleGauge[2]->isChecked());
    w.c.OptionScaleGauge[3]->setChecked(true); // the user's choice

    // Value 5 shares scale option 2 but keeps its own flag.
    w.controller->SetupPlaybackGauges(5);
    EXPECT_TRUE(w.c.OptionScaleGauge[2]->isChecked());
    EXPECT_EQ(w.c.Frame3->title(), QStringLiteral("Ambient Temperature"));
    EXPECT_EQ(w.gauges[0].scaleColor, 8421376u);
    w.c.OptionScaleGauge[3]->setChecked(true);
    w.controller->SetupPlaybackGauges(5);
    EXPECT_TRUE(w.c.OptionScaleGauge[3]->isChecked());
}

TEST(PlaybackGauges, OilQualityGetsItsSectionsAndTdnItsScale)
{
    PlaybackWindow w;
    w.controller->SetupPlaybackGauges(1);
    for (const FakeGauge& g : w.gauges) {
        EXPECT_DOUBLE_EQ(g.positionMin, -2);
        EXPECT_EQ(g.sectionCount, 4);
        EXPECT_DOUBLE_EQ(g.sectionEnd[2], 13);
        EXPECT_EQ(g.sectionColor[1], 15533526u);
        EXPECT_EQ(g.sectionColor[4], 255u);
    }
    EXPECT_DOUBLE_EQ(w.gauges[0].positionMax, 22);

    w.controller->SetupPlaybackGauges(4);
    EXPECT_DOUBLE_EQ(w.gauges[3].positionMin, 0);
    EXPECT_TRUE(w.c.OptionScaleGauge[4]->isChecked());
    EXPECT_DOUBLE_EQ(w.gauges[3].positionMax, 1200);
}

TEST(PlaybackGauges, ValueOutsideOneToFiveChangesNothing)
{
    PlaybackWindow w;
    w.gauges[0].positionMin = 3;
    w.controller->SetupPlaybackGauges(6);
    w.controller->SetupPlaybackGauges(0);
    EXPECT_DOUBLE_EQ(w.gauges[0].positionMin, 3);
    EXPECT_EQ(w.c.Frame3->title(), QStringLiteral("Sensor Gauges"));
}

} // namespace
