// Renders the live display with simulated evaluator data into PNG files, so
// the look of the chart, gauges, lamps and alarm pop-up can be checked
// without a device: two minutes of six sensors at 2 rows per second.
// Usage: render-preview [output.png]   (default preview.png; the pop-up is
// written beside it as <name>-alert.png)
#include "config/ConfigValues.h"
#include "display/AlarmTracker.h"
#include "display/ChartHandlers.h"
#include "display/DisplayCycle.h"
#include "display/FrmAlert.h"
#include "display/LampWidget.h"
#include "display/LinearGauge.h"
#include "display/MainControls.h"
#include "display/StripChartWidget.h"
#include "link/MeasurementState.h"
#include "platform/Colour.h"
#include "platform/IClock.h"
#include "platform/QtTimer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <cstdio>

namespace {

class StepClock final : public IClock {
public:
    QDateTime now() const override { return now_; }
    void advanceMs(int ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_ = QDateTime(QDate(2026, 2, 11), QTime(10, 30, 0));
};

// Plausible readings: slow drifts with a little noise per sensor.
void simulate(MeasurementState& state, int tick)
{
    const double t = tick * 0.5;
    for (int s = 1; s <= 6; ++s) {
        const double phase = s * 0.9;
        const double noise = std::sin(t * 3.1 + s * 7.3) * 0.4;
        state.value(s, Slot::OilQuality) = std::round(9.0 + 2.5 * std::sin(t / 20.0 + phase) + noise);
        state.value(s, Slot::OilTemperature) = std::round(480.0 + 60.0 * s / 6.0 + 40.0 * std::sin(t / 35.0 + phase));
        state.value(s, Slot::LossFactor) = std::round(120.0 + 15.0 * s + 20.0 * std::sin(t / 15.0 + phase));
        state.value(s, Slot::TdnNumber) = std::round(300.0 + 110.0 * s + 60.0 * std::sin(t / 25.0 + phase) + noise * 10);
        state.value(s, Slot::AmbientTemperature) = std::round(240.0 + 10.0 * std::sin(t / 50.0));
        state.value(s, Slot::StatusWord) = 0x001;
    }
    state.value(1, Slot::StatusWord) = 0x001 | 0x20 | 0x40;
    state.value(3, Slot::StatusWord) = 0x001 | 0x200;
    state.value(5, Slot::StatusWord) = 0x001 | 0x800 | 0x400;
}

QLabel* label(const QString& text, QWidget* parent, const QRect& where)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(where);
    return l;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("preview.png");

    StepClock clock;
    QWidget window;
    window.resize(1280, 760);
    window.setAutoFillBackground(true);
    MainControls c;

    auto* chart = new StripChartWidget(&window, &clock);
    chart->setGeometry(10, 10, 760, 480);
    c.iStripChartX1 = chart;

    auto* frame3 = new QGroupBox(QStringLiteral("Sensor Gauges"), &window);
    frame3->setGeometry(780, 10, 490, 480);
    c.Frame3 = frame3;
    const uint32_t pointerColours[6] = {0xFFFF00, 0x00FF00, 0x3E3EFF, 0xFF2E96, 0x00FFFF, 0x029983};
    for (int i = 0; i < 6; ++i) {
        auto* gauge = new LinearGauge(frame3);
        gauge->setGeometry(10 + i * 80, 25, 72, 380);
        gauge->SetPointerColor(pointerColours[i]);
        c.iLinearGaugeX1[i] = gauge;
        auto* text = new QLineEdit(frame3);
        text->setGeometry(10 + i * 80, 410, 72, 24);
        text->setAlignment(Qt::AlignRight);
        c.TextGauge[i] = text;
        label(QStringLiteral("Sensor%1").arg(i + 1), frame3, QRect(14 + i * 80, 440, 72, 20));
    }

    // Relay and sensor lamps.
    auto* relays = new QGroupBox(QStringLiteral("Relay Status"), &window);
    relays->setGeometry(10, 500, 300, 110);
    const char* relayNames[3] = {"Ready Relay", "Alarm Relay 1", "Alarm Relay 2"};
    ILamp** relayLamps[3] = {&c.LED_RDY, &c.LED_Alarm, &c.LED_Prealarm};
    for (int r = 0; r < 3; ++r) {
        auto* lamp = new LedRound(relays);
        lamp->setGeometry(20 + r * 95, 30, 28, 28);
        if (r == 1)
            lamp->SetActiveColor(Colours::Red);
        if (r == 2) {
            lamp->SetActiveColor(Colours::Red);
            lamp->SetInactiveColor(Colours::Maroon);
        }
        *relayLamps[r] = lamp;
        label(QLatin1String(relayNames[r]), relays, QRect(8 + r * 95, 64, 92, 20));
    }
    auto* leds = new QGroupBox(QStringLiteral("Sensor status"), &window);
    leds->setGeometry(320, 500, 450, 160);
    const char* rowNames[5] = {"Sensor Ready", "Oil Prealarm", "Oil Mainalarm", "Temp Prealarm", "Temp Mainalarm"};
    for (int row = 0; row < 5; ++row) {
        label(QLatin1String(rowNames[row]), leds, QRect(8, 24 + row * 26, 110, 20));
        for (int i = 0; i < 6; ++i) {
            auto* lamp = new LedRectangle(leds);
            lamp->setGeometry(125 + i * 52, 26 + row * 26, 30, 16);
            if (row == 1 || row == 3)
                lamp->SetActiveColor(Colours::Orange);
            if (row == 2 || row == 4)
                lamp->SetActiveColor(Colours::Red);
            ILamp** lamps[5] = {c.sled_rdy, c.oled_palm, c.oled_malm, c.tled_palm, c.tled_malm};
            lamps[row][i] = lamp;
        }
    }

    // The choices, as the main window offers them.
    auto* choices = new QWidget(&window);
    choices->setGeometry(780, 500, 490, 250);
    const char* valueNames[6] = {"", "Oil Quality", "Oil Temperature", "Loss factor %", "TDN number",
                                 "Ambient Temperature"};
    auto* displayGroup = new QGroupBox(QStringLiteral("Gauge value"), choices);
    displayGroup->setGeometry(0, 0, 160, 150);
    auto* chartGroup = new QGroupBox(QStringLiteral("XY graph displayed values"), choices);
    chartGroup->setGeometry(165, 0, 170, 150);
    auto* scaleGroup = new QGroupBox(QStringLiteral("Gauges scale"), choices);
    scaleGroup->setGeometry(340, 0, 150, 130);
    for (int k = 1; k <= 5; ++k) {
        c.OptionDisplayGauge[k] = new QRadioButton(QLatin1String(valueNames[k]), displayGroup);
        c.OptionDisplayGauge[k]->setGeometry(8, 20 + (k - 1) * 24, 150, 22);
        c.CheckChartDisplay[k] = new QCheckBox(QLatin1String(valueNames[k]), chartGroup);
        c.CheckChartDisplay[k]->setGeometry(8, 20 + (k - 1) * 24, 160, 22);
        c.CheckChartDisplay[k]->setChecked(k == 2 || k == 4);
    }
    const char* scaleNames[5] = {"", "end  ->     22", "end  ->   150", "end  ->   250", "end  -> 1200"};
    for (int i = 1; i <= 4; ++i) {
        c.OptionScaleGauge[i] = new QRadioButton(QLatin1String(scaleNames[i]), scaleGroup);
        c.OptionScaleGauge[i]->setGeometry(8, 20 + (i - 1) * 24, 140, 22);
    }
    auto* xGroup = new QWidget(choices);
    auto* yGroup = new QWidget(choices);
    for (int i = 1; i <= 3; ++i) {
        c.OptionScaleX[i] = new QRadioButton(xGroup);
        c.OptionScaleChart[i] = new QRadioButton(yGroup);
    }
    xGroup->hide();
    yGroup->hide();
    for (int s = 1; s <= 6; ++s) {
        c.CheckShow[s] = new QCheckBox(QStringLiteral("S%1").arg(s), choices);
        c.CheckShow[s]->setGeometry(8 + (s - 1) * 52, 160, 50, 22);
        c.CheckShow[s]->setChecked(true);
    }
    c.CmdShowNone = new QPushButton(QStringLiteral("Show none in chart"), choices);
    c.CmdShowNone->setGeometry(8, 190, 160, 28);
    c.cmd_zoom_xy = new QPushButton(QStringLiteral("Enlarge XY graph"), choices);
    c.cmd_zoom_xy->setGeometry(175, 190, 160, 28);

    MeasurementState state;
    state.sensorCount = 6;
    state.sensorCountKnown = true;
    state.evaluatorConnected = true;
    ConfigValues config;
    bool fileMode = false;
    PlaybackChannelMap playback;
    ChartHandlers handlers(c, state, config, fileMode, playback);
    handlers.connectControls();
    c.OptionScaleX[1]->setChecked(true);
    c.OptionScaleChart[3]->setChecked(true);
    c.OptionScaleGauge[4]->setChecked(true);
    handlers.RebuildLiveChart();
    c.OptionDisplayGauge[4]->setChecked(true);

    AlarmTracker tracker(c, state, nullptr, nullptr, nullptr);
    DisplayCycle cycle(c, state, &handlers, [&tracker] { tracker.track(); });
    for (int tick = 0; tick < 240; ++tick) {
        clock.advanceMs(500);
        simulate(state, tick);
        cycle.TimerDisplay_Timer();
    }

    window.show();
    QApplication::processEvents();
    if (!window.grab().save(output)) {
        std::fprintf(stderr, "render-preview: cannot write %s\n", qPrintable(output));
        return 1;
    }

    const QFileInfo info(output);
    const QString alertOutput = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-alert.png");
    FrmAlert alert(nullptr, nullptr, nullptr, std::make_unique<QtTimer>());
    alert.showRelay(1);
    alert.showRelay(2);
    alert.timer_alert_Timer(); // the alarm phase
    QApplication::processEvents();
    if (!alert.grab().save(alertOutput)) {
        std::fprintf(stderr, "render-preview: cannot write %s\n", qPrintable(alertOutput));
        return 1;
    }
    std::printf("%s\n%s\n", qPrintable(output), qPrintable(alertOutput));
    return 0;
}
