#pragma once
// The program's main window with its real chart, gauges, lamps and timers,
// over fakes of the outside world (port, message boxes, dialogs, sound),
// loaded from a default configuration in a temporary home and laid out as
// maximized on a screen of the given size.
#include "app/FrmMain.h"
#include "app/RealDisplayWidgets.h"
#include "chart/StripChartWidget.h"
#include "core/IClock.h"
#include "support/FakeMqttClient.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <memory>

struct RealMainWindow {
    QTemporaryDir home;
    SystemClock clock;
    RecordingMessageBox messages;
    ScriptedDialogRunner dialogs;
    FakeFileDialog files;
    FakeProgressWindow progress;
    RecordingSound sound;
    FakeSerialPort port;
    FakeScreen screen;
    FakeSerialPortList systemPorts;
    StripChartWidget* chart = nullptr;
    std::unique_ptr<FrmMain> window;
};

// Everything that builds the window is here, so that a change to how the
// window is made is one change for every benchmark.
inline void openRealMainWindow(RealMainWindow& w, QSize screen = {1280, 800})
{
    QFile config(w.home.filePath(QStringLiteral("VELTRA-logger1.ini")));
    config.open(QIODevice::WriteOnly);
    config.write("[VELTRA-LOGGER Version 1.03_1]\r\nCOM=1\r\nBAUDRATE=9600\r\nINSTALLATION=Main_Engine\r\n"
                 "REFRESH=2\r\nPASSWORD=kesmor\r\nAUTOSTART=0\r\nSWAPDATE=0\r\n");
    config.close();
    const DisplayWidgetFactory widgets = realDisplayWidgets(w.clock, &w.chart);
    w.screen.size = screen;
    FrmMainServices services{w.messages, w.dialogs, w.files, w.progress, w.sound, w.clock, w.port, w.screen, w.systemPorts,
                             w.home.path(), widgets, [] { return std::unique_ptr<ISerialPort>(new FakeSerialPort); },
                             [] { return std::unique_ptr<IMqttClient>(new FakeMqttClient); }};
    w.window = std::make_unique<FrmMain>(services);
    w.window->Form_Load();
    w.window->resize(screen);
    w.window->show();
    QCoreApplication::processEvents();
    const QSize client(screen.width(),
                       screen.height() - w.window->menuBar()->height() - w.window->statusBar()->height());
    w.window->layoutFor(WindowShowState::Maximized, client);
    QCoreApplication::processEvents();
}

// A turn of the mouse wheel over the middle of the chart's plot.
inline void wheel(StripChartWidget& chart, int delta)
{
    const QPointF at = chart.plotRect().center();
    QWheelEvent event(at, chart.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &event);
}
