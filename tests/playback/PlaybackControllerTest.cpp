#include "LogfileTestSupport.h"
#include "PlaybackWindow.h"

#include "config/RdWrConfig.h"
#include "chart/StripChartTime.h"

#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray parameterRecord(int sensorCount)
{
    return ":8107K31Version 1.00 " + QByteArray(16, '-') + "SN123456"
        + QByteArray::number(sensorCount, 16).rightJustified(2, '0') + QByteArray(32, '0') + "051400000000";
}

// Sensors 1..6 once in 10:00:00 and once in 10:00:01 (values given per sensor).
QByteArray sixSensorFile(int sensorCount = 6)
{
    QByteArray f = logLine("02-11-2026", "10:00:00", "Measure Started at Main_Engine !");
    if (sensorCount > 0)
        f += logLine("02-11-2026", "10:00:00", parameterRecord(sensorCount));
    for (const char* t : {"10:00:00", "10:00:01"})
        for (int s = 1; s <= 6; ++s)
            f += logLine("02-11-2026", t, sensorRecord(s, "1E0226001900C800EB"));
    f += logLine("02-11-2026", "10:00:02", "Measure Stopped at Main_Engine !");
    return f;
}

// One record per sensor and second, from midnight on.
QByteArray longFile(int seconds)
{
    QByteArray file = logLine("02-11-2026", "00:00:00", parameterRecord(6));
    for (int sec = 0; sec < seconds; ++sec) {
        const QByteArray t = QByteArray::number(sec / 3600).rightJustified(2, '0') + ':'
            + QByteArray::number(sec / 60 % 60).rightJustified(2, '0') + ':'
            + QByteArray::number(sec % 60).rightJustified(2, '0');
        for (int s = 1; s <= 6; ++s)
            file += logLine("02-11-2026", t.constData(), sensorRecord(s));
    }
    return file;
}

// Rows that hold a value in the given channel.
int rowsWith(const RecordingChart& chart, int channel)
{
    int n = 0;
    for (const auto& r : chart.rows)
        n += r.values.count(channel) ? 1 : 0;
    return n;
}

class PlaybackControllerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    PlaybackWindow w;
};

TEST_F(PlaybackControllerTest, CancelledDialogOnlyArmsTheCursorReadout)
{
    w.controller->MenueFileLoad_Click();
    EXPECT_EQ(w.state.cursorReadout, 1);
    EXPECT_FALSE(w.state.fileMode);
    EXPECT_EQ(w.fileDialog.filters.value(0),
              QStringLiteral("VELTRA logfile (*.vlg)|*.vlg|Former logfile (*.log)|*.log"));
    EXPECT_EQ(w.fileDialog.initialNames.value(0), QString());
    EXPECT_TRUE(w.chart.calls.isEmpty());
    EXPECT_TRUE(w.c.MenueFileLoad->isEnabled());
}

TEST_F(PlaybackControllerTest, UnopenableFileIsReportedByNameAndTheWindowStaysLive)
{
    const QString path = dir.filePath(QStringLiteral("gone.vlg"));
    w.load(path);
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_TRUE(w.messages.shown[0].text.contains(path));
    EXPECT_FALSE(w.state.fileMode);
    EXPECT_TRUE(w.c.MenueFileLoad->isEnabled());
    EXPECT_TRUE(w.c.MenueStartStop->isEnabled());
    EXPECT_EQ(w.c.Lbl_mode->text(), QStringLiteral("logging mode"));
    EXPECT_TRUE(w.chart.calls.isEmpty());
}

TEST_F(PlaybackControllerTest, LoadSwitchesToFileModeAndChartsTheTickedValuesOfEachSensor)
{
    const QString path = writeFile(dir, QStringLiteral("20260211VL_Main_Engine.vlg"), sixSensorFile());
    w.load(path);

    EXPECT_TRUE(w.state.fileMode);
    EXPECT_EQ(w.root.windowTitle(),
              QStringLiteral("VELTRA Data Logger Version 1.03_1 *** Loaded File:") + path + QStringLiteral("  ***"));
    EXPECT_FALSE(w.c.MenueFileLoad->isEnabled());
    EXPECT_FALSE(w.c.MenueStartStop->isEnabled());
    EXPECT_FALSE(w.c.MenueSetup->menuAction()->isEnabled());
    EXPECT_FALSE(w.c.MenueFileStop->isEnabled());
    EXPECT_TRUE(w.c.MenueFileUnload->isEnabled());
    EXPECT_TRUE(w.c.MenueEva->menuAction()->isVisible());
    EXPECT_EQ(w.c.Lbl_mode->text(), QStringLiteral("file mode"));
    EXPECT_TRUE(w.c.OptionScaleX[3]->isChecked());
    EXPECT_DOUBLE_EQ(w.chart.xSpan, 0.25);
    EXPECT_DOUBLE_EQ(w.chart.yMax, 150.0);
    EXPECT_FALSE(w.c.Frame_x->isEnabled());
    EXPECT_TRUE(w.c.Frame_relais->isHidden());
    EXPECT_FALSE(w.lamps.front()->visible);

    // Values 2 and 4: two channels per sensor, in the sensor's colour.
    ASSERT_EQ(w.chart.channels.size(), 12u);
    EXPECT_EQ(w.chart.channels[4].title, QStringLiteral("Value  32"));
    EXPECT_EQ(w.chart.channels[5].title, QStringLiteral("Value  34"));
    EXPECT_EQ(w.chart.channels[5].colour, 0x030303u);
    EXPECT_EQ(w.state.channelMap.valueSlot[2], 0);
    EXPECT_EQ(w.state.channelMap.valueSlot[4], 1);
    EXPECT_EQ(w.state.channelMap.sensorFirstChannel[3], 4);
    EXPECT_FALSE(w.c.CheckChartDisplay[1]->isEnabled());
    EXPECT_FALSE(w.c.OptionDisplayGauge[3]->isEnabled());
    EXPECT_TRUE(w.c.OptionDisplayGauge[2]->isChecked());
    EXPECT_EQ(w.c.Frame3->title(), QStringLiteral("Oil Temperature"));
    EXPECT_EQ(w.gauges[0].pointerStyle, 3);

    // Twelve records, each in its own row holding its sensor's two values.
    ASSERT_EQ(w.chart.rows.size(), 12u);
    const auto& third = w.chart.rows[2].values;
    ASSERT_EQ(third.size(), 2u);
    EXPECT_DOUBLE_EQ(third.at(4), 55.0);
    EXPECT_DOUBLE_EQ(third.at(5), 20.0);
    EXPECT_TRUE(w.c.Txt_event->toPlainText().contains(QStringLiteral("Measure Stopped at Main_Engine !")));
    EXPECT_FALSE(w.c.Txt_event->toPlainText().contains(QStringLiteral(":001E")));
}

TEST_F(PlaybackControllerTest, SensorUntickedWhileLoadingIsSkippedFromThenOn)
{
    w.c.CheckShow[3]->setChecked(false); // "Load" ticks every sensor again
    QTimer::singleShot(0, [&] { w.c.CheckShow[3]->setChecked(false); });
    w.load(writeFile(dir, QStringLiteral("long.vlg"), longFile(9000)));
    EXPECT_EQ(w.chart.channels.size(), 12u);
    EXPECT_EQ(rowsWith(w.chart, 6), 9000); // sensor 4
    const int third = rowsWith(w.chart, 4);
    EXPECT_GT(third, 3000);
    EXPECT_LT(third, 3500); // about the records before the first yield
    EXPECT_FALSE(w.chart.ChannelVisible(4));
}

TEST_F(PlaybackControllerTest, FileWithoutParameterRecordLoadedFirstGreysEverySensor)
{
    w.load(writeFile(dir, QStringLiteral("a.vlg"), sixSensorFile(0)));
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(w.c.CheckShow[i + 1]->isChecked()) << i;
        EXPECT_FALSE(w.c.CheckShow[i + 1]->isEnabled()) << i;
        EXPECT_EQ(w.gauges[i].sectionCount, 1) << i;
        EXPECT_EQ(w.gauges[i].sectionColor[1], 0xFFFFFFu) << i;
        EXPECT_EQ(w.gauges[i].tickMajorColor, 0xC0C0C0u) << i;
        EXPECT_FALSE(w.c.TextGauge[i]->isEnabled()) << i;
        EXPECT_TRUE(w.c.Lbl_sname[i]->isHidden()) << i;
    }

    // A later file with two sensors greys only sensors 3..6.
    w.controller->MenueFileUnload_Click();
    w.load(writeFile(dir, QStringLiteral("b.vlg"), sixSensorFile(2)));
    EXPECT_EQ(w.state.fileSensorCount, 2);
    EXPECT_EQ(w.measurement.sensorCount, 2);
    EXPECT_FALSE(w.measurement.sensorCountKnown);
    EXPECT_TRUE(w.c.CheckShow[2]->isChecked());
    EXPECT_TRUE(w.c.TextGauge[1]->isEnabled());
    EXPECT_FALSE(w.c.CheckShow[3]->isChecked());
    EXPECT_EQ(w.gauges[1].sectionColor[1], 0xC0C0C0u);
    EXPECT_EQ(w.gauges[2].sectionColor[1], 0xFFFFFFu);
    EXPECT_EQ(w.gauges[1].scaleColor, 12632064u);
    EXPECT_EQ(w.gauges[2].scaleColor, 0xFFFFFFu);
}

TEST_F(PlaybackControllerTest, StopLoadingEndsTheReadAtTheNextYield)
{
    const QByteArray file = longFile(9000);
    QProgressBar bar;
    QPushButton stop;
    w.controller->setProgressBar(&bar, &stop);
    int progressAtStop = -1;
    QTimer::singleShot(0, [&] {
        EXPECT_FALSE(w.c.MenueFileUnload->isEnabled());
        EXPECT_TRUE(w.c.MenueFileStop->isEnabled());
        EXPECT_FALSE(stop.isHidden());
        progressAtStop = bar.value();
        w.controller->MenueFileStop_Click();
        EXPECT_FALSE(stop.isEnabled());
    });
    w.load(writeFile(dir, QStringLiteral("long.vlg"), file));

    EXPECT_EQ(w.chart.rows.size(), 20000u); // the lines before the stop, the last second included
    EXPECT_NEAR(progressAtStop, 1000 * 20001 / 54001, 2);
    EXPECT_TRUE(w.c.MenueFileUnload->isEnabled());
    EXPECT_FALSE(w.c.MenueFileStop->isEnabled());
    EXPECT_TRUE(bar.isHidden());
    EXPECT_TRUE(stop.isHidden());
}

TEST_F(PlaybackControllerTest, FileCutShortWhileLoadingIsReportedAndKeepsWhatWasRead)
{
    const QString path = writeFile(dir, QStringLiteral("cut.vlg"), longFile(9000));
    // Another program empties the file at the first yield; the rest of the
    // block being read is gone from under the reader.
    QTimer::singleShot(0, [&] { QFile(path).resize(0); });
    w.load(path);

    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_TRUE(w.messages.shown[0].text.contains(QStringLiteral("could not be read to its end")));
    EXPECT_TRUE(w.messages.shown[0].text.contains(path));
    EXPECT_GE(w.chart.rows.size(), 20000u);
    EXPECT_LT(w.chart.rows.size(), 54000u);
    EXPECT_FALSE(w.c.Txt_event->toPlainText().contains(QChar(0)));
    EXPECT_TRUE(w.c.MenueFileUnload->isEnabled());
}

TEST_F(PlaybackControllerTest, SwapMonthDayIsStoredAndReadsTheNextFileDayFirst)
{
    RdWrConfig store(dir.path());
    ASSERT_TRUE(store.CreateConfigFile(w.config.ConfigFileName, w.config.ConfigHeader));
    PlaybackController controller(w.c, w.measurement, w.config, w.state, w.fileDialog, w.messages,
                                  w.handlers.get(), &store);
    controller.MenueFileSwap_Click();
    EXPECT_TRUE(w.state.swapDate);
    EXPECT_TRUE(w.c.MenueFileSwap->isChecked());
    EXPECT_EQ(store.GetConfigValue(w.config.ConfigFileName, QStringLiteral("SWAPDATE")), QStringLiteral("1"));

    w.fileDialog.answers.push_back(writeFile(dir, QStringLiteral("d.vlg"),
                                             logLine("03-04-2026", "10:00:00", sensorRecord(1))
                                                 + logLine("03-04-2026", "10:00:01", sensorRecord(1))));
    controller.MenueFileLoad_Click();
    ASSERT_FALSE(w.chart.rows.empty());
    EXPECT_EQ(chartDateTimeFromDays(w.chart.rows[0].x).date(), QDate(2026, 4, 3));

    controller.MenueFileSwap_Click();
    EXPECT_FALSE(w.c.MenueFileSwap->isChecked());
    EXPECT_EQ(store.GetConfigValue(w.config.ConfigFileName, QStringLiteral("SWAPDATE")), QStringLiteral("0"));
}

TEST_F(PlaybackControllerTest, CursorPutsTheValuesOfEachShownSensorOnItsGauge)
{
    // Sensor 2's TDN 0x020B = 523 is plotted as 52.3 and read back as 523.
    w.load(writeFile(dir, QStringLiteral("c.vlg"),
                     logLine("02-11-2026", "10:00:00", parameterRecord(6))
                         + logLine("02-11-2026", "10:00:00", sensorRecord(2, "1E0265000A020B00EB"))
                         + logLine("02-11-2026", "10:00:00", sensorRecord(3, "1E0226001900C800EB"))
                         + logLine("02-11-2026", "10:00:01", ":80")));
    ASSERT_EQ(w.chart.rows.size(), 2u);
    w.chart.rows[0].values[3] = double(52.3f); // as the real chart keeps it
    w.c.OptionDisplayGauge[4]->setChecked(true);
    w.chart.cursorIndex = 1; // sensor 3's row; sensor 2 is read from the row before
    w.chart.onCursorChange();
    EXPECT_DOUBLE_EQ(w.gauges[1].position, 523);
    EXPECT_TRUE(w.gauges[1].positionInsideUpdate);
    EXPECT_EQ(w.c.TextGauge[1]->text(), QStringLiteral(" 523"));
    EXPECT_EQ(w.c.TextGauge[2]->text(), QStringLiteral(" 200"));
    EXPECT_DOUBLE_EQ(w.state.cursorValues[2][2], 61.3);
    EXPECT_EQ(w.c.Frame3->title(), QStringLiteral("TDN number / 10"));
    EXPECT_FALSE(w.state.valueScaleChosen[2]);
    EXPECT_TRUE(w.state.valueScaleChosen[4]);

    // Value 2 in tenths with "###0.0"; an unticked sensor keeps its gauge.
    w.c.OptionDisplayGauge[2]->setChecked(true);
    w.chart.rows[1].values[4] = 0.04;
    w.c.CheckShow[2]->setChecked(false);
    w.gauges[1].position = 7;
    w.chart.onCursorChange();
    EXPECT_EQ(w.c.TextGauge[2]->text(), QStringLiteral("0.0"));
    EXPECT_DOUBLE_EQ(w.gauges[1].position, 7);
    EXPECT_EQ(w.gauges[1].pointerStyle, 3);

    // Before sensor 3's first row there is nothing of it to read.
    w.chart.cursorIndex = 0;
    w.chart.onCursorChange();
    EXPECT_EQ(w.c.TextGauge[2]->text(), QString());
}

TEST_F(PlaybackControllerTest, UnloadRestoresTheLiveLookAndEndsTheCursorReadout)
{
    w.c.CheckShow[5]->setChecked(false);
    w.load(writeFile(dir, QStringLiteral("u.vlg"), sixSensorFile()));
    w.controller->MenueFileUnload_Click();

    EXPECT_FALSE(w.state.fileMode);
    EXPECT_EQ(w.state.cursorReadout, 0);
    EXPECT_EQ(w.startups, 1);
    EXPECT_EQ(w.c.Lbl_mode->text(), QStringLiteral("logging mode"));
    EXPECT_TRUE(w.c.MenueFileLoad->isEnabled());
    EXPECT_FALSE(w.c.MenueFileUnload->isEnabled());
    EXPECT_TRUE(w.c.MenueStartStop->isEnabled());
    EXPECT_FALSE(w.c.MenueEva->menuAction()->isVisible());
    EXPECT_TRUE(w.c.OptionScaleX[1]->isChecked());
    EXPECT_TRUE(w.c.OptionScaleX[1]->isEnabled());
    EXPECT_TRUE(w.c.OptionDisplayGauge[4]->isChecked());
    EXPECT_TRUE(w.c.OptionScaleGauge[4]->isChecked());
    EXPECT_TRUE(w.c.CheckChartDisplay[1]->isEnabled());
    EXPECT_EQ(w.c.Frame3->title(), QStringLiteral("Sensor Gauges"));
    EXPECT_TRUE(w.c.Txt_event->toPlainText().isEmpty());
    for (int s = 1; s <= 6; ++s) {
        EXPECT_TRUE(w.c.CheckShow[s]->isChecked()) << s;
        EXPECT_TRUE(w.c.CheckShow[s]->isEnabled()) << s;
        EXPECT_EQ(w.gauges[s - 1].scaleColor, 0x101010u * uint32_t(s)) << s;
    }
    for (int v = 1; v <= 3; ++v)
        EXPECT_FALSE(w.state.valueScaleChosen[v]);
    EXPECT_TRUE(w.lamps.front()->visible);

    w.gauges[0].position = 11;
    w.chart.cursorIndex = 0;
    w.chart.onCursorChange();
    EXPECT_DOUBLE_EQ(w.gauges[0].position, 11);
}

TEST_F(PlaybackControllerTest, ToggleEventFlipsTheChartCursorInEveryMode)
{
    const bool before = w.chart.cursorShown;
    w.chart.onToggle();
    EXPECT_NE(w.chart.cursorShown, before);
}

TEST(PlaybackGetTime, ChartDayCountReadsAsADateAndNonsenseAsDayZero)
{
    EXPECT_EQ(PlaybackController::get_time(46064.5), QDateTime(QDate(2026, 2, 11), QTime(12, 0)));
    EXPECT_EQ(PlaybackController::get_time(std::nan("")).date(), QDate(1899, 12, 30));
    EXPECT_EQ(PlaybackController::get_time(1e300).date(), QDate(1899, 12, 30));
}

} // namespace
