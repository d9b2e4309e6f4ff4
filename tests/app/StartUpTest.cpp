#include "support/MainWindowHarness.h"

#include "app/StartUpSequence.h"
#include "display/ChartHandlers.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
QStringList configWith(const QString& key, const QString& value)
{
    QStringList lines = MainWindowHarness::defaultConfig();
    for (QString& line : lines)
        if (line.startsWith(key + QLatin1Char('=')))
            line = key + QLatin1Char('=') + value;
    if (!lines.join(QLatin1Char('\n')).contains(key + QLatin1Char('=')))
        lines << key + QLatin1Char('=') + value;
    return lines;
}
} // namespace

TEST(StartUp, ScreenOneDotTooNarrowEndsTheProgramWithTheWarning)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    h.screen.size = QSize(1271, 800);
    FrmMain& w = h.create();
    EXPECT_FALSE(w.Form_Load());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].title, QStringLiteral("WARNING !"));
    EXPECT_EQ(h.messages.shown[0].text,
              QStringLiteral("Current usable resolution is 1271 x 800 dots\r\nScreen does not fulfil the minimum "
                             "requirements !\r\n\r\nIt must have at least 1280 x 800 dots !"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(w.exited());
    // Nothing else ran: no channels were built.
    EXPECT_EQ(h.chart.ChannelCount(), 0);
}

TEST(StartUp, UsableAreaOf1272By792Passes)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    h.screen.size = QSize(1272, 792);
    EXPECT_TRUE(h.create().Form_Load());
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(h.window->startUp().ScreenWidthPx, 1272);
    EXPECT_EQ(h.window->startUp().ScreenHeightPx, 792);
}

TEST(StartUp, FirstStartWithoutConfigurationReportsItAndKeepsStartDisabled)
{
    MainWindowHarness h;
    FrmMain& w = h.load();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].title, QStringLiteral("VELTRA-logger.ini   File Error!!"));
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("Please reenter settings with menu Setup, default "
                                                       "VELTRA-logger.ini file created ! !"));
    EXPECT_FALSE(w.controls().MenueStartStop->isEnabled());
    EXPECT_EQ(w.controls().MenueStartStop->text(), QStringLiteral("Start"));
    EXPECT_TRUE(QFile::exists(h.home.filePath(QStringLiteral("VELTRA-logger1.ini"))));
}

TEST(StartUp, CaptionsChannelsAndScalesFollowTheConfiguration)
{
    MainWindowHarness h;
    h.writeConfig(configWith(QStringLiteral("INSTALLATION"), QStringLiteral("Ship_7")) << QStringLiteral("LBL_S2=Separator aft bearing"));
    FrmMain& w = h.load();
    MainControls& c = w.controls();
    EXPECT_TRUE(c.MenueStartStop->isEnabled());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("VELTRA Data Logger Version 1.03_1  Ship_7"));
    EXPECT_EQ(c.Frame1->title(), QStringLiteral("XY graph   Ship_7"));
    EXPECT_EQ(w.config().LogDate, QStringLiteral("20260211"));
    EXPECT_EQ(c.Lbl_mode->text(), QStringLiteral("logging mode"));

    EXPECT_EQ(c.Lbl_sname[1]->text(), QStringLiteral("Separator aft "));
    EXPECT_EQ(c.Lbl_sname[1]->toolTip(), QStringLiteral("Separator aft bearing"));
    EXPECT_EQ(c.Lbl_sname[0]->text(), QStringLiteral("Sensor1"));

    ASSERT_EQ(h.chart.ChannelCount(), 30);
    EXPECT_EQ(h.chart.channels[7].title, QStringLiteral("Value  23"));
    EXPECT_EQ(h.chart.channels[7].colour, h.gauges[1].pointerColor);
    EXPECT_EQ(h.chart.channels[5].lineWidth, 2);
    EXPECT_EQ(h.chart.channels[6].lineWidth, 1);
    EXPECT_EQ(c.iLedRectangleXl[1]->ActiveColor(), h.gauges[1].pointerColor);
    // Values 2 and 4 are ticked at design time, all sensors are shown.
    EXPECT_EQ(h.chart.visibleChannels(), (std::vector<int>{1, 3, 6, 8, 11, 13, 16, 18, 21, 23, 26, 28}));
    EXPECT_EQ(h.chart.yMin, -30.0);
    EXPECT_EQ(h.chart.yMax, 150.0);
    EXPECT_EQ(h.chart.yMajor, 19);
    EXPECT_EQ(h.chart.yMinor, 3);

    EXPECT_EQ(c.CheckChartDisplay[4]->text(), QStringLiteral("TDN number / 10"));
    EXPECT_EQ(c.OptionDisplayGauge[4]->text(), QStringLiteral("TDN number"));
    for (const FakeGauge& g : h.gauges) {
        EXPECT_EQ(g.positionMax, 1200.0);
        EXPECT_EQ(g.sectionCount, 5);
        EXPECT_EQ(g.sectionEnd[3], 1040.0);
        EXPECT_EQ(g.sectionColor[3], 32768u);
        EXPECT_EQ(g.sectionColor[5], 255u);
    }
    EXPECT_EQ(c.TimerDisplay->interval(), 500);
    EXPECT_EQ(h.chart.bufferSize, 172800);
}

TEST(StartUp, AlarmLampsLightRedAndPreAlarmLampsOrangeNotTheLampsOwnGreen)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    MainControls& c = h.load().controls();
    for (ILamp* lamp : {c.LED_Alarm, c.LED_Prealarm, c.oled_malm[2], c.tled_malm[5]}) {
        EXPECT_EQ(lamp->ActiveColor(), 0x0000FFu);
        EXPECT_EQ(lamp->InactiveColor(), 0x000080u);
    }
    EXPECT_EQ(c.oled_palm[0]->ActiveColor(), 0x0080FFu);
    EXPECT_EQ(c.tled_palm[4]->ActiveColor(), 0x0080FFu);
    EXPECT_EQ(c.LED_RDY->ActiveColor(), FakeLamp().activeColor);
    EXPECT_TRUE(c.iLedRectangleX1->Active());
    EXPECT_EQ(c.iLedRectangleX2->ActiveColor(), 0x0000FFu);
}

TEST(StartUp, RefreshCodeSetsIntervalAndOneDayOfRows)
{
    EXPECT_EQ(StartUpSequence::displayInterval(1), 250);
    EXPECT_EQ(StartUpSequence::chartBufferSize(1), 345600);
    EXPECT_EQ(StartUpSequence::displayInterval(3), 1000);
    EXPECT_EQ(StartUpSequence::chartBufferSize(3), 86400);
    EXPECT_EQ(StartUpSequence::displayInterval(0), 1000);

    MainWindowHarness h;
    h.writeConfig(configWith(QStringLiteral("REFRESH"), QStringLiteral("1")));
    FrmMain& w = h.load();
    EXPECT_EQ(w.controls().TimerDisplay->interval(), 250);
    EXPECT_EQ(h.chart.bufferSize, 345600);
}

TEST(StartUp, RunningTheLoadStepAgainDoesNotRepeatTheInstallationName)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = h.load();
    w.Form_Load();
    EXPECT_EQ(w.controls().Frame1->title(), QStringLiteral("XY graph   Main_Engine"));
    EXPECT_EQ(h.chart.ChannelCount(), 30);
}

TEST(StartUp, SwapDateSetsTheMenuCheckMark)
{
    MainWindowHarness h;
    h.writeConfig(configWith(QStringLiteral("SWAPDATE"), QStringLiteral("1")));
    FrmMain& w = h.load();
    EXPECT_TRUE(w.controls().MenueFileSwap->isChecked());
    // The first click turns the swap off, as the check mark promised.
    w.controls().MenueFileSwap->trigger();
    EXPECT_FALSE(w.controls().MenueFileSwap->isChecked());
    QFile file(h.home.filePath(QStringLiteral("VELTRA-logger1.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("SWAPDATE=0\r\n"));
}
