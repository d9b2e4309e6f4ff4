#include "display/ControlsFixture.h"
#include "config/ConfigValues.h"
#include "display/ChartHandlers.h"
#include "display/DisplayCycle.h"
#include "link/MeasurementState.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct DisplayCycleTest : ::testing::Test {
    DisplayCycleTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        f.addLiveChannels();
        handlers.connectControls();
        state.evaluatorConnected = true;
        for (int s = 1; s <= 6; ++s)
            for (int k = 1; k <= 5; ++k)
                state.value(s, k) = 100 * s + k;
    }
    const RecordingChart::Row& lastRow() const { return f.chart.rows.back(); }

    ControlsFixture f;
    MeasurementState state;
    ConfigValues config;
    bool fileMode = false;
    PlaybackChannelMap playback;
    ChartHandlers handlers{f.c, state, config, fileMode, playback};
    QStringList chartCallsAtTracking;
    int trackings = 0;
    DisplayCycle cycle{f.c, state, &handlers};
    QMetaObject::Connection tracking = QObject::connect(&cycle, &DisplayCycle::ticked, [this] {
        ++trackings;
        chartCallsAtTracking = f.chart.calls;
    });
};

TEST_F(DisplayCycleTest, OneRowOfAllSixSensorsBeforeCountKnownThenTracking)
{
    cycle.TimerDisplay_Timer();
    ASSERT_EQ(f.chart.rows.size(), 1u);
    EXPECT_TRUE(lastRow().now);
    EXPECT_EQ(lastRow().values.size(), 30u);
    EXPECT_EQ(f.chart.lastRowArgument, -1);
    EXPECT_EQ(lastRow().values.at(0), 101.0);      // value 1 as stored
    EXPECT_DOUBLE_EQ(lastRow().values.at(26), 60.2); // sensor 6 value 2 in tenths
    EXPECT_EQ(trackings, 1);
    EXPECT_EQ(chartCallsAtTracking.mid(chartCallsAtTracking.size() - 3),
              (QStringList{QStringLiteral("BeginRow"), QStringLiteral("AddRowNow"), QStringLiteral("EndRow")}));
}

TEST_F(DisplayCycleTest, WithoutTheEvaluatorTheChartGetsAGapNotZerosWhileGaugesGoOn)
{
    state.evaluatorConnected = false;
    state.value(2, 4) = 0;
    cycle.TimerDisplay_Timer();
    ASSERT_EQ(lastRow().values.size(), 30u);
    for (const auto& [channel, value] : lastRow().values)
        EXPECT_TRUE(std::isnan(value)) << channel;
    EXPECT_EQ(f.c.TextGauge[1]->text(), QStringLiteral(" 0"));
    EXPECT_EQ(trackings, 1);
}

TEST_F(DisplayCycleTest, KnownCountOfTwoUpdatesOnlyTwoSensors)
{
    state.sensorCountKnown = true;
    state.sensorCount = 2;
    f.c.TextGauge[2]->setText(QStringLiteral("grey"));
    cycle.TimerDisplay_Timer();
    std::vector<int> channels;
    for (const auto& [ch, v] : lastRow().values)
        channels.push_back(ch);
    EXPECT_EQ(channels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(f.gauges[1].position, 204.0);
    EXPECT_EQ(f.gauges[2].position, 0.0);
    EXPECT_EQ(f.gauges[2].beginUpdates, 0);
    EXPECT_EQ(f.c.TextGauge[2]->text(), QStringLiteral("grey"));
}

TEST_F(DisplayCycleTest, CountAboveSixActsAsSixAndZeroPlotsNothing)
{
    state.sensorCountKnown = true;
    state.sensorCount = 9;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(lastRow().values.size(), 30u);
    state.sensorCount = 0;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(f.chart.rows.size(), 2u);
    EXPECT_TRUE(lastRow().values.empty());
    EXPECT_EQ(trackings, 2);
}

TEST_F(DisplayCycleTest, TdnNumberShownWholeOnGaugeAndInTenthsOnChart)
{
    state.value(1, 4) = 1234;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(f.c.TextGauge[0]->text(), QStringLiteral(" 1234"));
    EXPECT_EQ(f.gauges[0].position, 1234.0);
    EXPECT_DOUBLE_EQ(lastRow().values.at(3), 123.4);
    EXPECT_EQ(f.gauges[0].positionMin, 0.0);
    EXPECT_EQ(f.c.Frame3->title(), QStringLiteral("TDN number"));
}

TEST_F(DisplayCycleTest, OilTemperatureInTenthsWithItsGaugeLook)
{
    f.c.OptionDisplayGauge[2]->setChecked(true);
    state.value(1, 2) = 235;
    state.value(2, 2) = -5;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(f.c.TextGauge[0]->text(), QStringLiteral("23.5"));
    EXPECT_EQ(f.c.TextGauge[1]->text(), QStringLiteral("-0.5"));
    const FakeGauge& g = f.gauges[0];
    EXPECT_EQ(g.position, 23.5);
    EXPECT_TRUE(g.positionInsideUpdate);
    EXPECT_EQ(g.endUpdates, 1);
    EXPECT_EQ(g.scaleColor, 0xC0C000u);
    EXPECT_EQ(g.pointerStyle, 3);
    EXPECT_EQ(g.positionMin, -10.0);
    EXPECT_EQ(lastRow().values.at(1), 23.5);
    EXPECT_EQ(f.c.Frame3->title(), QStringLiteral("Oil Temperature"));
}

TEST_F(DisplayCycleTest, DefaultScaleAppliedOnFirstTickOfEachNewValue)
{
    f.c.OptionDisplayGauge[2]->setChecked(true);
    cycle.TimerDisplay_Timer();
    EXPECT_TRUE(f.c.OptionScaleGauge[2]->isChecked());
    EXPECT_EQ(f.gauges[3].positionMax, 150.0);

    // The user's later choice stays while value 2 is shown.
    f.c.OptionScaleGauge[4]->setChecked(true);
    cycle.TimerDisplay_Timer();
    cycle.TimerDisplay_Timer();
    EXPECT_TRUE(f.c.OptionScaleGauge[4]->isChecked());
    EXPECT_EQ(f.gauges[3].positionMax, 1200.0);

    // Value 5 shares option 2 but has its own flag.
    f.c.OptionDisplayGauge[5]->setChecked(true);
    cycle.TimerDisplay_Timer();
    EXPECT_TRUE(f.c.OptionScaleGauge[2]->isChecked());
    EXPECT_EQ(f.gauges[3].positionMax, 150.0);
    EXPECT_FALSE(cycle.gaugeScaleSet[2]);
    EXPECT_TRUE(cycle.gaugeScaleSet[5]);

    // Back to value 2: its flag was cleared, so its default comes back even
    // though option 2 is still the selected one.
    f.gauges[0].positionMax = 5;
    f.c.OptionDisplayGauge[2]->setChecked(true);
    cycle.TimerDisplay_Timer();
    EXPECT_TRUE(f.c.OptionScaleGauge[2]->isChecked());
    EXPECT_EQ(f.gauges[0].positionMax, 150.0);
}

TEST_F(DisplayCycleTest, DefaultScaleReappliedWhenItsOptionIsAlreadySelected)
{
    // Value 4 and option 4 are the start-up choices; the first tick must
    // still lay the 1200 scale onto the gauges.
    for (auto& g : f.gauges)
        g.sectionCount = 1;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(f.gauges[0].sectionCount, 5);
    EXPECT_EQ(f.gauges[0].SectionEnd(1), 280.0);
}

TEST_F(DisplayCycleTest, MissingControlsDoNotStopTheTick)
{
    MainControls empty;
    DisplayCycle bare(empty, state, nullptr);
    QObject::connect(&bare, &DisplayCycle::ticked, [this] { ++trackings; });
    bare.TimerDisplay_Timer();
    EXPECT_EQ(trackings, 1);

    f.c.iLinearGaugeX1[0] = nullptr;
    f.c.TextGauge[1] = nullptr;
    f.c.Frame3 = nullptr;
    cycle.TimerDisplay_Timer();
    EXPECT_EQ(f.gauges[1].position, 204.0);
    EXPECT_EQ(lastRow().values.size(), 30u);
}

} // namespace
