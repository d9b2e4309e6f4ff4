#include "display/ControlsFixture.h"
#include "config/ConfigValues.h"
#include "display/ChartHandlers.h"
#include "link/MeasurementState.h"

#include <gtest/gtest.h>

namespace {

struct ChartHandlersTest : ::testing::Test {
    ChartHandlersTest()
    {
        f.addLiveChannels();
        handlers.connectControls();
    }
    std::vector<int> liveChannelsOf(int sensor) const
    {
        std::vector<int> v;
        for (int k = 1; k <= 5; ++k)
            if (f.chart.ChannelVisible(ChartHandlers::liveChannel(sensor, k)))
                v.push_back(k);
        return v;
    }

    ControlsFixture f;
    MeasurementState state;
    ConfigValues config;
    bool fileMode = false;
    PlaybackChannelMap playback;
    ChartHandlers handlers{f.c, state, config, fileMode, playback};
};

TEST_F(ChartHandlersTest, ValueBoxHidesHiddenSensorsChannelAndDoesNotShowItAgain)
{
    f.c.CheckShow[2]->setChecked(false);
    EXPECT_TRUE(liveChannelsOf(2).empty());
    f.chart.SetChannelVisible(7, true); // whatever it was before
    f.c.CheckChartDisplay[3]->setChecked(true);
    f.c.CheckChartDisplay[3]->setChecked(false);
    EXPECT_FALSE(f.chart.ChannelVisible(7));
    EXPECT_FALSE(f.chart.ChannelVisible(2));
    f.c.CheckChartDisplay[3]->setChecked(true);
    EXPECT_FALSE(f.chart.ChannelVisible(7));
    EXPECT_TRUE(f.chart.ChannelVisible(2));
    EXPECT_TRUE(f.chart.ChannelVisible(27));
}

TEST_F(ChartHandlersTest, SensorBoxShowsOnlyTickedValues)
{
    f.c.CheckShow[3]->setChecked(false);
    EXPECT_TRUE(liveChannelsOf(3).empty());
    EXPECT_EQ(liveChannelsOf(4).size(), 5u);
    f.c.CheckShow[3]->setChecked(true);
    EXPECT_EQ(liveChannelsOf(3), (std::vector<int>{2, 4}));
}

TEST_F(ChartHandlersTest, ShowNoneBeforeCountKnownClearsAllSixSensors)
{
    f.c.CmdShowNone->click();
    for (int s = 1; s <= 6; ++s) {
        EXPECT_FALSE(f.c.CheckShow[s]->isChecked()) << s;
        EXPECT_TRUE(liveChannelsOf(s).empty()) << s;
    }
    EXPECT_EQ(f.c.CmdShowNone->text(), QStringLiteral("Show all in chart"));

    f.c.CmdShowNone->click();
    for (int s = 1; s <= 6; ++s) {
        EXPECT_TRUE(f.c.CheckShow[s]->isChecked()) << s;
        EXPECT_EQ(liveChannelsOf(s), (std::vector<int>{2, 4})) << s;
    }
    EXPECT_EQ(f.c.CmdShowNone->text(), QStringLiteral("Show none in chart"));
}

TEST_F(ChartHandlersTest, ShowNoneWithTwoSensorsLeavesSensorsThreeToSixAlone)
{
    state.sensorCountKnown = true;
    state.sensorCount = 2;
    f.c.CmdShowNone->click();
    EXPECT_FALSE(f.c.CheckShow[1]->isChecked());
    EXPECT_FALSE(f.c.CheckShow[2]->isChecked());
    for (int s = 3; s <= 6; ++s) {
        EXPECT_TRUE(f.c.CheckShow[s]->isChecked()) << s;
        EXPECT_EQ(liveChannelsOf(s).size(), 5u) << s;
    }
}

TEST_F(ChartHandlersTest, YRangeOptionSetByCodeAppliesItsRange)
{
    f.c.OptionScaleChart[1]->setChecked(true);
    EXPECT_EQ(f.chart.yMin, -10.0);
    EXPECT_EQ(f.chart.yMax, 10.0);
    EXPECT_EQ(f.chart.yMajor, 11);
    EXPECT_EQ(f.chart.yMinor, 4);
    f.c.OptionScaleChart[3]->setChecked(true);
    EXPECT_EQ(f.chart.yMin, -30.0);
    EXPECT_EQ(f.chart.yMax, 150.0);
    EXPECT_EQ(f.chart.yMajor, 19);
    EXPECT_EQ(f.chart.yMinor, 3);
    handlers.OptionScaleChart_Click(7);
    EXPECT_EQ(f.chart.yMax, 150.0);
}

TEST_F(ChartHandlersTest, XSpanFollowsTheSelectedOptionNotTheClickedIndex)
{
    f.c.OptionScaleX[2]->setChecked(true);
    EXPECT_DOUBLE_EQ(f.chart.xSpan, 1.0 / 24.0);
    f.chart.xSpan = 0;
    f.chart.xOffset = 5;
    handlers.OptionScaleX_Click(3);
    EXPECT_DOUBLE_EQ(f.chart.xSpan, 1.0 / 24.0);
    EXPECT_EQ(f.chart.xOffset, 0.0);
    f.c.OptionScaleX[1]->setChecked(true);
    EXPECT_DOUBLE_EQ(f.chart.xSpan, 1.0 / 720.0);
}

TEST_F(ChartHandlersTest, ScaleEnd250AfterScale1200KeepsFifthSectionRed)
{
    f.c.OptionScaleGauge[1]->setChecked(true);
    f.c.OptionScaleGauge[4]->setChecked(true);
    f.c.OptionScaleGauge[3]->setChecked(true);
    const FakeGauge& g = f.gauges[0];
    EXPECT_EQ(g.positionMax, 250.0);
    EXPECT_EQ(g.tickMajor, 10);
    EXPECT_EQ(g.tickMinor, 5);
    EXPECT_EQ(g.sectionCount, 5);
    EXPECT_EQ(g.SectionEnd(1), -7.0);
    EXPECT_EQ(g.SectionEnd(4), 60.0);
    EXPECT_EQ(g.SectionColor(4), 0x0000FFu);
    EXPECT_EQ(g.SectionColor(5), 0x0000FFu);
}

TEST_F(ChartHandlersTest, ScaleEnd250FirstKeepsGaugesOwnFifthColour)
{
    f.gauges[2].sectionColor[5] = 0x123456;
    f.c.OptionScaleGauge[3]->setChecked(true);
    EXPECT_EQ(f.gauges[2].SectionColor(5), 0x123456u);
    EXPECT_EQ(f.gauges[2].SectionColor(2), 0x008000u);
}

TEST_F(ChartHandlersTest, ScaleEnd150SetsOnlyTheFirstSection)
{
    f.c.OptionScaleGauge[1]->setChecked(true);
    f.c.OptionScaleGauge[2]->setChecked(true);
    const FakeGauge& g = f.gauges[5];
    EXPECT_EQ(g.sectionCount, 1);
    EXPECT_EQ(g.SectionEnd(1), 150.0);
    EXPECT_EQ(g.SectionColor(1), 0xC0C0C0u);
    EXPECT_EQ(g.SectionEnd(2), 13.0); // left from the earlier scale
    EXPECT_EQ(g.tickMajor, 17);
}

TEST_F(ChartHandlersTest, ScaleWithThreeSensorsLeavesGreyedGaugesSections)
{
    state.sensorCount = 3;
    f.c.OptionScaleGauge[1]->setChecked(true);
    for (int g = 0; g < 6; ++g) {
        EXPECT_EQ(f.gauges[g].positionMax, 22.0) << g;
        EXPECT_EQ(f.gauges[g].tickMinor, 4) << g;
        EXPECT_EQ(f.gauges[g].sectionCount, g < 3 ? 4 : 1) << g;
        EXPECT_EQ(f.gauges[g].SectionColor(1), g < 3 ? 0xED05D6u : 0xC0C0C0u) << g;
    }
}

TEST_F(ChartHandlersTest, SelectScaleAppliesEvenWhenAlreadySelected)
{
    f.gauges[1].positionMax = 5;
    handlers.selectScaleGauge(4);
    EXPECT_EQ(f.gauges[1].positionMax, 1200.0);
}

TEST_F(ChartHandlersTest, RebuildShowsOilQualityOfAllSensorsEvenWhenUnticked)
{
    config.REFRESH = 1;
    for (int g = 0; g < 6; ++g)
        f.gauges[g].pointerColor = 0x100 * (g + 1);
    f.c.CheckShow[5]->setChecked(false);
    f.c.CheckShow[5]->setEnabled(false);
    f.chart.calls.clear();
    handlers.RebuildLiveChart();

    ASSERT_EQ(f.chart.ChannelCount(), 30);
    EXPECT_EQ(f.chart.calls.mid(0, 2), (QStringList{QStringLiteral("ClearChannels"), QStringLiteral("ClearData")}));
    EXPECT_EQ(f.chart.channels[13].title, QStringLiteral("Value  34"));
    EXPECT_EQ(f.chart.channels[13].colour, 0x300u);
    EXPECT_EQ(f.chart.channels[13].valueIndex, 3);
    EXPECT_EQ(f.chart.channels[13].lineWidth, 1);
    EXPECT_EQ(f.chart.channels[25].lineWidth, 2);
    EXPECT_EQ(handlers.sensorColor[6], 0x600u);
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 1, 3, 5, 6, 8, 10, 11, 13, 15, 16, 18, 20, 21, 23,
                                                          25, 26, 28}));
    EXPECT_TRUE(f.c.CheckShow[5]->isChecked());
    EXPECT_TRUE(f.c.CheckShow[5]->isEnabled());
    EXPECT_EQ(f.timerDisplay.interval(), 250);
    EXPECT_EQ(f.chart.bufferSize, 345600);
    EXPECT_TRUE(f.chart.autoRowDrop);
}

TEST_F(ChartHandlersTest, RebuildWithUnknownRefreshKeepsIntervalAndBuffersOneDay)
{
    f.timerDisplay.setInterval(777);
    config.REFRESH = 9;
    handlers.RebuildLiveChart();
    EXPECT_EQ(f.timerDisplay.interval(), 777);
    EXPECT_EQ(f.chart.bufferSize, 86400);
    config.REFRESH = 0;
    handlers.RebuildLiveChart();
    EXPECT_EQ(f.timerDisplay.interval(), 1000);
}

TEST_F(ChartHandlersTest, ZoomGrowsAndShrinksTheChartBy825Twips)
{
    QWidget chartWidget;
    chartWidget.resize(600, 400);
    handlers.chartWidget = &chartWidget;
    handlers.twipsToPixels = [](int twips) { return twips / 15; };
    f.c.cmd_zoom_xy->click();
    EXPECT_TRUE(handlers.chartEnlarged);
    EXPECT_EQ(chartWidget.height(), 455);
    EXPECT_EQ(f.c.cmd_zoom_xy->text(), QStringLiteral("Reduce XY graph"));
    f.c.cmd_zoom_xy->click();
    EXPECT_FALSE(handlers.chartEnlarged);
    EXPECT_EQ(chartWidget.height(), 400);
    EXPECT_EQ(f.c.cmd_zoom_xy->text(), QStringLiteral("Enlarge XY graph"));
}

TEST_F(ChartHandlersTest, MissingControlsAreSkipped)
{
    MainControls empty;
    ChartHandlers bare(empty, state, config, fileMode, playback);
    bare.connectControls();
    for (int i = 0; i <= 7; ++i) {
        bare.CheckChartDisplay_Click(i);
        bare.CheckShow_Click(i);
        bare.OptionScaleChart_Click(i);
        bare.OptionScaleX_Click(i);
        bare.OptionScaleGauge_Click(i);
        bare.selectScaleGauge(i);
    }
    bare.CmdShowNone_Click();
    bare.cmd_zoom_xy_Click();
    bare.RebuildLiveChart();
    SUCCEED();
}

// File mode: sensors 1 and 3 shown with values 2 and 4 on the chart.
struct FileModeTest : ChartHandlersTest {
    FileModeTest()
    {
        fileMode = true;
        f.chart.ClearChannels();
        for (int ch = 0; ch < 4; ++ch)
            f.chart.AddChannel(QString(), 0, 0, 1);
        playback.chartValueCount = 2;
        playback.channelCount = 4;
        playback.shownSensorCount = 2;
        playback.sensorShown[1] = playback.sensorShown[3] = true;
        playback.sensorFirstChannel[1] = 0;
        playback.sensorFirstChannel[3] = 2;
        playback.valueOnChart[2] = playback.valueOnChart[4] = true;
        playback.valueSlot[2] = 0;
        playback.valueSlot[4] = 1;
        state.sensorCount = 3;
        f.c.CheckShow[2]->blockSignals(true);
        f.c.CheckShow[2]->setChecked(false);
        f.c.CheckShow[2]->blockSignals(false);
    }
};

TEST_F(FileModeTest, UntickingSensorHidesItsChannelsAndZeroesItsGauge)
{
    f.c.TextGauge[2]->setText(QStringLiteral("12.0"));
    f.gauges[2].position = 12;
    f.c.CheckShow[3]->setChecked(false);
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(f.c.TextGauge[2]->text().isEmpty());
    EXPECT_EQ(f.gauges[2].position, 0.0);
    EXPECT_TRUE(f.gauges[2].positionInsideUpdate);
    EXPECT_FALSE(f.gauges[2].updating);
}

TEST_F(FileModeTest, ValueBoxUsesPlaybackSlots)
{
    f.c.CheckChartDisplay[4]->setChecked(false);
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 2}));
    f.c.CheckChartDisplay[4]->setChecked(true);
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(FileModeTest, ShowAllDoesNotHideChannelsThroughValuesWithoutChannels)
{
    f.c.CmdShowNone->click();
    EXPECT_TRUE(f.chart.visibleChannels().empty());
    EXPECT_FALSE(f.c.CheckShow[1]->isChecked());
    EXPECT_FALSE(f.c.CheckShow[3]->isChecked());
    f.c.CmdShowNone->click();
    EXPECT_TRUE(f.c.CheckShow[1]->isChecked());
    EXPECT_FALSE(f.c.CheckShow[2]->isChecked());
    EXPECT_TRUE(f.c.CheckShow[3]->isChecked());
    // Values 1, 3 and 5 are unticked and have no channels; their slot 0
    // must not hide value 2's channels.
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(f.c.CmdShowNone->text(), QStringLiteral("Show none in chart"));
}

TEST_F(FileModeTest, UntickingUnshownSensorLeavesOtherSensorsChannels)
{
    f.c.CheckShow[2]->setChecked(true);
    f.c.CheckShow[2]->setChecked(false);
    EXPECT_EQ(f.chart.visibleChannels(), (std::vector<int>{0, 1, 2, 3}));
}

} // namespace

namespace {

TEST(ChartHandlersLifetime, ControlsOutlivingTheHandlersNoLongerReachThem)
{
    ControlsFixture f;
    f.addLiveChannels();
    MeasurementState state;
    ConfigValues config;
    bool fileMode = false;
    PlaybackChannelMap playback;
    {
        ChartHandlers handlers(f.c, state, config, fileMode, playback);
        handlers.connectControls();
    }
    f.c.CheckShow[1]->setChecked(false);
    f.c.CmdShowNone->click();
    EXPECT_EQ(f.chart.visibleChannels().size(), 30u);
}

} // namespace
