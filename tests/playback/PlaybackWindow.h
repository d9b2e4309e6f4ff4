#pragma once
// A main window as playback sees it: real check boxes, option buttons,
// labels, menus and text boxes, a recording chart and fake gauges and lamps,
// with the real chart handlers connected.
#include "support/FakeDisplay.h"
#include "support/Fakes.h"

#include "config/ConfigValues.h"
#include "display/ChartHandlers.h"
#include "display/MainControls.h"
#include "link/MeasurementState.h"
#include "playback/PlaybackController.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

struct PlaybackWindow {
    QWidget root;
    QWidget displayGroup{&root}, scaleGaugeGroup{&root}, scaleXGroup{&root}, scaleChartGroup{&root};
    MainControls c;
    RecordingChart chart;
    FakeGauge gauges[6];
    std::vector<std::unique_ptr<FakeLamp>> lamps;
    MeasurementState measurement;
    ConfigValues config;
    PlaybackState state;
    FakeFileDialog fileDialog;
    RecordingMessageBox messages;
    std::unique_ptr<ChartHandlers> handlers;
    std::unique_ptr<PlaybackController> controller;
    int startups = 0;

    FakeLamp* lamp()
    {
        lamps.push_back(std::make_unique<FakeLamp>());
        return lamps.back().get();
    }

    PlaybackWindow()
    {
        c.window = &root;
        c.iStripChartX1 = &chart;
        static const char* valueNames[6] = {"", "Oil Quality", "Oil Temperature", "Loss factor %",
                                            "TDN number / 10", "Ambient Temperature"};
        for (int i = 0; i < 6; ++i) {
            c.iLinearGaugeX1[i] = &gauges[i];
            c.TextGauge[i] = new QLineEdit(&root);
            c.Label3[i] = new QLabel(&root);
            c.Lbl_sname[i] = new QLabel(&root);
            c.lbl_rdy[i] = new QLabel(&root);
            c.Lbl_opa[i] = new QLabel(&root);
            c.Lbl_temp[i] = new QLabel(&root);
            c.sled_rdy[i] = lamp();
            c.oled_palm[i] = lamp();
            c.oled_malm[i] = lamp();
            c.tled_palm[i] = lamp();
            c.tled_malm[i] = lamp();
            c.iLedRectangleXl[i] = lamp();
            c.iLedRectangleXl[i]->SetActiveColor(0x101010u * uint32_t(i + 1));
        }
        for (int s = 1; s <= 6; ++s) {
            c.CheckShow[s] = new QCheckBox(&root);
            c.CheckShow[s]->setChecked(true);
        }
        for (int v = 1; v <= 5; ++v) {
            c.CheckChartDisplay[v] = new QCheckBox(QString::fromLatin1(valueNames[v]), &root);
            c.CheckChartDisplay[v]->setChecked(v == 2 || v == 4);
            c.OptionDisplayGauge[v] = new QRadioButton(QString::fromLatin1(valueNames[v]), &displayGroup);
        }
        c.OptionDisplayGauge[4]->setChecked(true);
        for (int i = 1; i <= 4; ++i)
            c.OptionScaleGauge[i] = new QRadioButton(&scaleGaugeGroup);
        c.OptionScaleGauge[4]->setChecked(true);
        for (int i = 1; i <= 3; ++i) {
            c.OptionScaleX[i] = new QRadioButton(&scaleXGroup);
            c.OptionScaleChart[i] = new QRadioButton(&scaleChartGroup);
        }
        c.OptionScaleX[1]->setChecked(true);
        c.OptionScaleChart[3]->setChecked(true);
        c.cmd_ext = new QPushButton(&root);
        c.Frame3 = new QGroupBox(QStringLiteral("Sensor Gauges"), &root);
        c.Frame_x = new QGroupBox(&root);
        c.Frame_relais = new QGroupBox(&root);
        c.Frame_evames = new QGroupBox(&root);
        c.Frame_comerror = new QGroupBox(&root);
        c.LED_RDY = lamp();
        c.LED_Alarm = lamp();
        c.LED_Prealarm = lamp();
        c.iLedRectangleX1 = lamp();
        c.iLedRectangleX2 = lamp();
        c.Label2 = new QLabel(&root);
        c.Label4 = new QLabel(&root);
        c.Label5 = new QLabel(&root);
        c.Label6 = new QLabel(&root);
        c.Label7 = new QLabel(&root);
        c.Lbl_mode = new QLabel(QStringLiteral("logging mode"), &root);
        c.TextMessages = new QPlainTextEdit(&root);
        c.Txt_ComError = new QLineEdit(&root);
        c.Txt_event = new QPlainTextEdit(&root);
        c.MenueFile = new QMenu(&root);
        c.MenueSetup = new QMenu(&root);
        c.MenueEva = new QMenu(&root);
        c.MenueEva->menuAction()->setVisible(false);
        c.MenueFileLoad = c.MenueFile->addAction(QStringLiteral("Load"));
        c.MenueFileUnload = c.MenueFile->addAction(QStringLiteral("Unload"));
        c.MenueFileStop = c.MenueFile->addAction(QStringLiteral("Stop Loading"));
        c.MenueFileSwap = c.MenueFile->addAction(QStringLiteral("Swap Month-Day"));
        c.MenuFilePrint = c.MenueFile->addAction(QStringLiteral("Print xy diagram"));
        c.MenueStartStop = c.MenueFile->addAction(QStringLiteral("Start"));
        c.MenueFileUnload->setEnabled(false);
        c.MenueFileStop->setEnabled(false);

        handlers = std::make_unique<ChartHandlers>(c, measurement, config, state.fileMode, state.channelMap);
        handlers->connectControls();
        for (int s = 1; s <= 6; ++s)
            handlers->sensorColor[s] = 0x010101u * uint32_t(s);
        controller = std::make_unique<PlaybackController>(c, measurement, config, state, fileDialog, messages,
                                                          handlers.get(), nullptr);
        QObject::connect(controller.get(), &PlaybackController::startUpNeeded, [this] { ++startups; });
        controller->connectChart();
    }

    void load(const QString& path)
    {
        fileDialog.answers.push_back(path);
        controller->MenueFileLoad_Click();
    }
};
