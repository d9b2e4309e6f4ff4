#pragma once
// A main window's worth of real choice controls with recording fakes for the
// chart, gauges and lamps.
#include "support/FakeDisplay.h"
#include "support/Fakes.h"
#include "display/MainControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

struct ControlsFixture {
    ControlsFixture()
    {
        c.iStripChartX1 = &chart;
        for (int i = 0; i < 6; ++i) {
            c.iLinearGaugeX1[i] = &gauges[i];
            c.TextGauge[i] = new QLineEdit(&window);
            c.sled_rdy[i] = &sledRdy[i];
            c.oled_palm[i] = &oledPalm[i];
            c.oled_malm[i] = &oledMalm[i];
            c.tled_palm[i] = &tledPalm[i];
            c.tled_malm[i] = &tledMalm[i];
        }
        c.LED_RDY = &ledRdy;
        c.LED_Alarm = &ledAlarm;
        c.LED_Prealarm = &ledPrealarm;
        for (int s = 1; s <= 6; ++s) {
            c.CheckShow[s] = new QCheckBox(&window);
            c.CheckShow[s]->setChecked(true);
        }
        for (int k = 1; k <= 5; ++k) {
            c.CheckChartDisplay[k] = new QCheckBox(&window);
            c.CheckChartDisplay[k]->setChecked(k == 2 || k == 4);
        }
        const char* valueNames[] = {"", "Oil Quality", "Oil Temperature", "Loss factor %", "TDN number",
                                    "Ambient Temperature"};
        for (int k = 1; k <= 5; ++k)
            c.OptionDisplayGauge[k] = new QRadioButton(QString::fromLatin1(valueNames[k]), &displayGroup);
        c.OptionDisplayGauge[4]->setChecked(true);
        for (int i = 1; i <= 4; ++i)
            c.OptionScaleGauge[i] = new QRadioButton(&gaugeScaleGroup);
        c.OptionScaleGauge[4]->setChecked(true);
        for (int i = 1; i <= 3; ++i) {
            c.OptionScaleX[i] = new QRadioButton(&xGroup);
            c.OptionScaleChart[i] = new QRadioButton(&yGroup);
        }
        c.OptionScaleX[1]->setChecked(true);
        c.OptionScaleChart[3]->setChecked(true);
        c.CmdShowNone = new QPushButton(QStringLiteral("Show none in chart"), &window);
        c.cmd_zoom_xy = new QPushButton(QStringLiteral("Enlarge XY graph"), &window);
        c.Frame3 = new QGroupBox(QStringLiteral("Sensor Gauges"), &window);
        c.TimerDisplay = &timerDisplay;
    }

    // The 30 live channels, all visible.
    void addLiveChannels()
    {
        for (int ch = 0; ch < 30; ++ch)
            chart.AddChannel(QString(), 0, ch % 5, 1);
    }

    QWidget window;
    QWidget displayGroup, gaugeScaleGroup, xGroup, yGroup;
    MainControls c;
    RecordingChart chart;
    FakeGauge gauges[6];
    FakeLamp ledRdy, ledAlarm, ledPrealarm;
    FakeLamp sledRdy[6], oledPalm[6], oledMalm[6], tledPalm[6], tledMalm[6];
    FakeTimer timerDisplay;
};
