#pragma once
// A main window over fakes: recording chart and gauges, fake lamps, fired
// timers, a fed serial port, recorded message boxes and scripted dialogs,
// with its home in a temporary directory.
#include "app/FrmMain.h"
#include "support/FakeDisplay.h"
#include "support/FakeMqttClient.h"
#include "support/Fakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <vector>

struct MainWindowHarness {
    QTemporaryDir home;
    FakeClock clock;
    RecordingMessageBox messages;
    ScriptedDialogRunner dialogs;
    FakeFileDialog files;
    FakeProgressWindow progress;
    RecordingSound sound;
    FakeSerialPort port;
    FakeSerialPort* setupPort = nullptr; // the serial setup's own port
    ISerialPort* mainPort = nullptr;     // replaces the fake port when set
    RecordingChart chart;
    FakeGauge gauges[6];
    std::vector<std::unique_ptr<FakeLamp>> lamps;
    std::vector<FakeTimer*> timers;
    FakeScreen screen;
    FakeSerialPortList systemPorts;
    std::vector<FakeMqttClient*> mqttClients; // the uplink's, then its connection test's
    std::unique_ptr<FrmMain> window;

    // Writes a configuration file beside the program before the window loads.
    void writeConfig(const QStringList& lines)
    {
        QFile file(home.filePath(QStringLiteral("VELTRA-logger1.ini")));
        file.open(QIODevice::WriteOnly);
        file.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }

    static QStringList defaultConfig()
    {
        return {QStringLiteral("[VELTRA-LOGGER Version 1.03_1]"), QStringLiteral("COM=1"),
                QStringLiteral("BAUDRATE=9600"), QStringLiteral("INSTALLATION=Main_Engine"),
                QStringLiteral("REFRESH=2"), QStringLiteral("PASSWORD=kesmor"), QStringLiteral("AUTOSTART=0"),
                QStringLiteral("SWAPDATE=0"), QStringLiteral("LBL_S1=Sensor1")};
    }

    FrmMain& create()
    {
        DisplayWidgetFactory factory;
        factory.makeChart = [this](QWidget* parent) {
            return PlacedWidget<IStripChart>{new QWidget(parent), &chart};
        };
        factory.makeGauge = [this](QWidget* parent, int index) {
            return PlacedWidget<ILinearGauge>{new QWidget(parent), &gauges[index]};
        };
        factory.makeLamp = [this](QWidget* parent, LampShape) {
            lamps.push_back(std::make_unique<FakeLamp>());
            return PlacedWidget<ILamp>{new QWidget(parent), lamps.back().get()};
        };
        factory.makeTimer = [this] {
            auto timer = std::make_unique<FakeTimer>();
            timers.push_back(timer.get());
            return std::unique_ptr<ITimer>(std::move(timer));
        };
        FrmMainServices services{messages, dialogs, files, progress, sound, clock, mainPort ? *mainPort : port, screen,
                                 systemPorts, home.path(), factory, [this] {
                                     auto p = std::make_unique<FakeSerialPort>();
                                     setupPort = p.get();
                                     return std::unique_ptr<ISerialPort>(std::move(p));
                                 },
                                 [this] {
                                     auto c = std::make_unique<FakeMqttClient>();
                                     mqttClients.push_back(c.get());
                                     return std::unique_ptr<IMqttClient>(std::move(c));
                                 }};
        window = std::make_unique<FrmMain>(services);
        return *window;
    }

    FrmMain& load()
    {
        FrmMain& w = window ? *window : create();
        w.Form_Load();
        return w;
    }
};
