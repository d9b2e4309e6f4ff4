#include "app/StartUpSequence.h"

#include "display/ChartChannelNames.h"

#include "app/AppTexts.h"
#include "app/LayoutUnits.h"
#include "app/MainLayout.h"
#include "config/ConfigValues.h"
#include "config/ConfigurationLoader.h"
#include "core/GaugeLooks.h"
#include "display/GaugeSetup.h"
#include "display/LampColours.h"
#include "display/MainControls.h"
#include "display/ModeLabel.h"
#include "logging/MeasurementController.h"
#include "chart/Colour.h"
#include "core/IClock.h"
#include "platform/ILamp.h"
#include "platform/ILinearGauge.h"
#include "platform/IMessageBox.h"
#include "platform/IScreen.h"
#include "chart/IStripChart.h"
#include "platform/ITimer.h"
#include "core/NumberText.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>
#include <cmath>


StartUpSequence::StartUpSequence(StartUpContext context) : c_(std::move(context)) {}

QString StartUpSequence::screenWarning(int widthPx, int heightPx)
{
    return QStringLiteral("Current usable resolution is %1 x %2 dots\r\n"
                          "Screen does not fulfil the minimum requirements !\r\n\r\n"
                          "It must have at least 1280 x 800 dots !")
        .arg(widthPx)
        .arg(heightPx);
}

int StartUpSequence::displayInterval(int refresh)
{
    if (refresh == 1)
        return 250;
    if (refresh == 2)
        return 500;
    return 1000;
}

int64_t StartUpSequence::chartBufferSize(int refresh)
{
    const int64_t samplesPerSecond = 1000 / displayInterval(refresh);
    return std::min<int64_t>(samplesPerSecond * 86400, 692000);
}

bool StartUpSequence::run()
{
    if (!checkScreen())
        return false;

    MainControls& w = c_.controls;
    ConfigValues& cfg = c_.config;

    const QSize inner = c_.panels.size();
    c_.layout.InitialScaleWidth = c_.scale.toTwips(inner.width());
    c_.layout.InitialScaleHeight = c_.scale.toTwips(inner.height());
    c_.loader.LoadConfiguration();
    setCaptions();
    cfg.LogDate = c_.clock.now().date().toString(QStringLiteral("yyyyMMdd"));
    showMode(w.Lbl_mode, false);
    if (w.MenueFileSwap)
        w.MenueFileSwap->setChecked(cfg.SWAPDATE == 1);
    if (w.iStripChartX1) {
        w.iStripChartX1->ClearChannels();
        w.iStripChartX1->ClearData();
    }
    for (int i = 1; i <= 6; ++i) {
        if (!w.iLinearGaugeX1[i - 1])
            continue;
        c_.sensorColor[i] = w.iLinearGaugeX1[i - 1]->PointerColor(0);
        if (w.iLedRectangleXl[i - 1])
            w.iLedRectangleXl[i - 1]->SetActiveColor(c_.sensorColor[i]);
    }
    buildChannels();
    LampColours::apply(w);
    setOptionCaptions();
    if (w.iStripChartX1) {
        w.iStripChartX1->SetYAxisRange(-30.0, 150.0);
        w.iStripChartX1->SetYAxisTickMajorCount(19);
        w.iStripChartX1->SetYAxisTickMinorCount(3);
    }
    setGaugeScales();
    applyChannelVisibility();
    if (c_.beforeAutostart)
        c_.beforeAutostart();
    if (cfg.AUTOSTART == 1)
        c_.measurement.MenueStartStop_Click();
    if (w.TimerDisplay)
        w.TimerDisplay->setInterval(displayInterval(cfg.REFRESH));
    if (w.iStripChartX1)
        w.iStripChartX1->SetBufferSize(chartBufferSize(cfg.REFRESH));
    return true;
}

bool StartUpSequence::checkScreen()
{
    const QSize screen = c_.screen.availableSizePx();
    // Pixels to layout units and back, as the layout sees the screen.
    const double perPixel = std::round(c_.scale.twipsPerPixel());
    const double widthUnits = std::round(c_.scale.toTwips(screen.width()));
    const double heightUnits = std::round(c_.scale.toTwips(screen.height()));
    ScreenWidthPx = int16_t(std::clamp(std::trunc(widthUnits / perPixel), -32768.0, 32767.0));
    ScreenHeightPx = int16_t(std::clamp(std::trunc(heightUnits / perPixel), -32768.0, 32767.0));
    if (ScreenWidthPx >= MinimumWidthPx && ScreenHeightPx >= MinimumHeightPx)
        return true;
    c_.messageBox.show(QStringLiteral("WARNING !"), screenWarning(ScreenWidthPx, ScreenHeightPx), MessageIcon::None);
    return false;
}

void StartUpSequence::setCaptions()
{
    MainControls& w = c_.controls;
    if (w.window)
        w.window->setWindowTitle(QStringLiteral("VELTRA Data Logger ") + AppTexts::Version + QStringLiteral("  ")
                                 + c_.config.INSTALLATION);
    if (w.Frame1) {
        // The load step runs again after a playback; the installation name
        // is added to the design caption, not to the last one.
        if (frame1DesignCaption_.isNull())
            frame1DesignCaption_ = w.Frame1->title();
        w.Frame1->setTitle(frame1DesignCaption_ + QStringLiteral("   ") + c_.config.INSTALLATION);
    }
}

void StartUpSequence::buildChannels()
{
    MainControls& w = c_.controls;
    for (int i = 1; i <= 6; ++i) {
        if (w.iLinearGaugeX1[i - 1])
            c_.sensorColor[i] = w.iLinearGaugeX1[i - 1]->PointerColor(0);
        if (w.iStripChartX1) {
            for (int k = 1; k <= 5; ++k)
            {
                w.iStripChartX1->AddChannel(QStringLiteral("Value ") + NumberText::general(i) + QString::number(k),
                                            c_.sensorColor[i], k - 1, k == 1 ? 2 : 1);
                nameChartChannel(*w.iStripChartX1, w.iStripChartX1->ChannelCount() - 1, c_.config.sensorLabel(i), k);
            }
        }
        if (w.iLedRectangleXl[i - 1])
            w.iLedRectangleXl[i - 1]->SetActiveColor(c_.sensorColor[i]);
    }
}

void StartUpSequence::setOptionCaptions()
{
    MainControls& w = c_.controls;
    for (int k = 1; k <= 5; ++k) {
        if (w.CheckChartDisplay[k])
            w.CheckChartDisplay[k]->setText(QString::fromLatin1(GaugeLooks::forValue(k)->chartCaption));
        if (w.OptionDisplayGauge[k])
            w.OptionDisplayGauge[k]->setText(QString::fromLatin1(GaugeLooks::forValue(k)->gaugeCaption));
    }
    for (int i = 1; i <= 3; ++i)
        if (w.OptionScaleGauge[i])
            w.OptionScaleGauge[i]->setVisible(true);
    for (int k = 1; k <= 5; ++k) {
        if (w.OptionDisplayGauge[k])
            w.OptionDisplayGauge[k]->setVisible(true);
        if (w.CheckChartDisplay[k])
            w.CheckChartDisplay[k]->setEnabled(true);
    }
    for (int i = 1; i <= 6; ++i) {
        if (w.CheckShow[i])
            w.CheckShow[i]->setEnabled(true);
        if (QLabel* name = w.Lbl_sname[i - 1]) {
            const QString& label = c_.config.sensorLabel(i);
            name->setText(label.left(14));
            name->setToolTip(label);
        }
    }
}

void StartUpSequence::setGaugeScales()
{
    for (ILinearGauge* gauge : c_.controls.iLinearGaugeX1) {
        if (!gauge)
            continue;
        gauge->SetPointerStyle(0);
        GaugeSetup::applyScale(*gauge, GaugeLooks::startScale());
    }
}

void StartUpSequence::applyChannelVisibility()
{
    MainControls& w = c_.controls;
    if (!w.iStripChartX1)
        return;
    for (int k = 1; k <= 5; ++k) {
        const bool valueShown = w.CheckChartDisplay[k] && w.CheckChartDisplay[k]->isChecked();
        for (int s = 1; s <= 6; ++s) {
            const int channel = (s - 1) * 5 + (k - 1);
            if (!valueShown)
                w.iStripChartX1->SetChannelVisible(channel, false);
            else if (w.CheckShow[s] && w.CheckShow[s]->isChecked())
                w.iStripChartX1->SetChannelVisible(channel, true);
        }
    }
}
