#include "display/ChartHandlers.h"

#include "config/ConfigValues.h"
#include "core/GaugeLooks.h"
#include "display/ChartChannelNames.h"
#include "display/GaugeSetup.h"
#include "link/MeasurementState.h"
#include "chart/Colour.h"
#include "platform/ILinearGauge.h"
#include "chart/IStripChart.h"
#include "platform/ITimer.h"
#include "core/NumberText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {
const QString ShowNoneCaption = QStringLiteral("Show none in chart");
const QString ShowAllCaption = QStringLiteral("Show all in chart");
const QString EnlargeCaption = QStringLiteral("Enlarge XY graph");
const QString ReduceCaption = QStringLiteral("Reduce XY graph");
constexpr int ZoomStepTwips = 825;
constexpr int64_t MaxBufferRows = 692000;

struct AxisRange {
    double min;
    double max;
    int major;
    int minor;
};
const AxisRange ChartRanges[4] = {
    {},
    {-10.0, 10.0, 11, 4},
    {-20.0, 50.0, 15, 4},
    {-30.0, 150.0, 19, 3},
};

// X spans of "2 Min", "1 Hour" and "6 Hours", in days.
const double XSpans[4] = {0.0, 1.0 / 720.0, 1.0 / 24.0, 0.25};
} // namespace

ChartHandlers::ChartHandlers(MainControls& controls, const MeasurementState& state, const ConfigValues& config,
                             const bool& fileMode, const PlaybackChannelMap& playback)
    : c_(controls)
    , state_(state)
    , config_(config)
    , fileMode_(fileMode)
    , playback_(playback)
{
    twipsToPixels = [](int twips) { return twips / 15; };
}

void ChartHandlers::connectControls()
{
    if (connected_)
        return;
    connected_ = true;
    for (int s = 1; s <= 6; ++s) {
        if (QCheckBox* box = c_.CheckShow[s])
            QObject::connect(box, &QCheckBox::toggled, &connections_, [this, s] { CheckShow_Click(s); });
    }
    for (int k = 1; k <= 5; ++k) {
        if (QCheckBox* box = c_.CheckChartDisplay[k])
            QObject::connect(box, &QCheckBox::toggled, &connections_, [this, k] { CheckChartDisplay_Click(k); });
    }
    // An option button's handler runs when it becomes selected, not when
    // another one in its group takes its place.
    auto onSelect = [this](QRadioButton* option, void (ChartHandlers::*handler)(int), int index) {
        if (!option)
            return;
        QObject::connect(option, &QRadioButton::toggled, &connections_, [this, handler, index](bool on) {
            if (on)
                (this->*handler)(index);
        });
    };
    for (int i = 1; i <= 3; ++i) {
        onSelect(c_.OptionScaleChart[i], &ChartHandlers::OptionScaleChart_Click, i);
        onSelect(c_.OptionScaleX[i], &ChartHandlers::OptionScaleX_Click, i);
    }
    for (int i = 1; i <= 4; ++i)
        onSelect(c_.OptionScaleGauge[i], &ChartHandlers::OptionScaleGauge_Click, i);
    if (c_.CmdShowNone)
        QObject::connect(c_.CmdShowNone, &QPushButton::clicked, &connections_, [this] { CmdShowNone_Click(); });
    if (c_.cmd_zoom_xy)
        QObject::connect(c_.cmd_zoom_xy, &QPushButton::clicked, &connections_, [this] { cmd_zoom_xy_Click(); });
}

bool ChartHandlers::checked(QCheckBox* box) const
{
    return box && box->isChecked();
}

bool ChartHandlers::showNoneCaption() const
{
    return c_.CmdShowNone && c_.CmdShowNone->text() == ShowNoneCaption;
}

QString ChartHandlers::channelTitle(int sensor, int value)
{
    return QStringLiteral("Value ") + NumberText::general(sensor) + QString::number(value);
}

void ChartHandlers::setLiveSensorChannels(int sensor, bool visible)
{
    if (!c_.iStripChartX1)
        return;
    for (int k = 1; k <= 5; ++k)
        c_.iStripChartX1->SetChannelVisible(liveChannel(sensor, k), visible);
}

void ChartHandlers::showLiveTickedValues(int sensor)
{
    if (!c_.iStripChartX1)
        return;
    for (int k = 1; k <= 5; ++k) {
        if (checked(c_.CheckChartDisplay[k]))
            c_.iStripChartX1->SetChannelVisible(liveChannel(sensor, k), true);
    }
}

void ChartHandlers::setFileSensorChannels(int sensor, bool visible)
{
    // A sensor without channels in this playback has first channel 0, which
    // belongs to another sensor: leave the chart alone.
    if (!c_.iStripChartX1 || !playback_.sensorShown[sensor])
        return;
    const int first = playback_.sensorFirstChannel[sensor];
    for (int i = 0; i < playback_.chartValueCount; ++i)
        c_.iStripChartX1->SetChannelVisible(first + i, visible);
}

void ChartHandlers::CheckChartDisplay_Click(int value)
{
    if (value < 1 || value > 5 || !c_.CheckChartDisplay[value] || !c_.iStripChartX1)
        return;
    const bool on = c_.CheckChartDisplay[value]->isChecked();
    IStripChart& chart = *c_.iStripChartX1;
    if (fileMode_) {
        // Values without channels in this playback have no slot of their own.
        if (!playback_.valueOnChart[value])
            return;
        for (int s = 1; s <= 6; ++s) {
            if (checked(c_.CheckShow[s]) && playback_.sensorShown[s])
                chart.SetChannelVisible(playback_.sensorFirstChannel[s] + playback_.valueSlot[value], on);
        }
        return;
    }
    for (int s = 1; s <= 6; ++s) {
        if (!on)
            chart.SetChannelVisible(liveChannel(s, value), false);
        else if (checked(c_.CheckShow[s]))
            chart.SetChannelVisible(liveChannel(s, value), true);
    }
}

void ChartHandlers::CheckShow_Click(int sensor)
{
    if (sensor < 1 || sensor > 6 || !c_.CheckShow[sensor])
        return;
    const bool on = c_.CheckShow[sensor]->isChecked();
    if (!fileMode_) {
        if (on)
            showLiveTickedValues(sensor);
        else
            setLiveSensorChannels(sensor, false);
        return;
    }
    setFileSensorChannels(sensor, on);
    if (on)
        return;
    if (QLineEdit* text = c_.TextGauge[sensor - 1])
        text->clear();
    if (ILinearGauge* gauge = c_.iLinearGaugeX1[sensor - 1]) {
        gauge->BeginUpdate();
        gauge->SetPosition(0.0);
        gauge->EndUpdate();
    }
}

void ChartHandlers::CmdShowNone_Click()
{
    if (!c_.CmdShowNone)
        return;
    const bool showNone = showNoneCaption();
    if (fileMode_) {
        const int n = std::clamp<int>(state_.sensorCount, 0, 6);
        if (showNone) {
            for (int s = 1; s <= n; ++s) {
                if (c_.CheckShow[s])
                    c_.CheckShow[s]->setChecked(false);
            }
            if (c_.iStripChartX1) {
                for (int ch = 0; ch < playback_.channelCount; ++ch)
                    c_.iStripChartX1->SetChannelVisible(ch, false);
            }
            c_.CmdShowNone->setText(ShowAllCaption);
        } else {
            for (int s = 1; s <= n; ++s) {
                if (c_.CheckShow[s] && playback_.sensorShown[s])
                    c_.CheckShow[s]->setChecked(true);
            }
            for (int k = 1; k <= 5; ++k)
                CheckChartDisplay_Click(k);
            c_.CmdShowNone->setText(ShowNoneCaption);
        }
        return;
    }

    const int n = state_.sensorCountKnown ? std::clamp<int>(state_.sensorCount, 0, 6) : 6;
    for (int s = 1; s <= n; ++s) {
        if (c_.CheckShow[s])
            c_.CheckShow[s]->setChecked(!showNone);
        if (showNone)
            setLiveSensorChannels(s, false);
        else
            showLiveTickedValues(s);
    }
    c_.CmdShowNone->setText(showNone ? ShowAllCaption : ShowNoneCaption);
}

void ChartHandlers::OptionScaleChart_Click(int index)
{
    if (index < 1 || index > 3 || !c_.iStripChartX1)
        return;
    const AxisRange& r = ChartRanges[index];
    c_.iStripChartX1->SetYAxisRange(r.min, r.max);
    c_.iStripChartX1->SetYAxisTickMajorCount(r.major);
    c_.iStripChartX1->SetYAxisTickMinorCount(r.minor);
}

void ChartHandlers::OptionScaleX_Click(int)
{
    if (!c_.iStripChartX1)
        return;
    for (int i = 1; i <= 3; ++i) {
        if (c_.OptionScaleX[i] && c_.OptionScaleX[i]->isChecked()) {
            c_.iStripChartX1->SetXAxisSpan(XSpans[i]);
            c_.iStripChartX1->SetXAxisOffset(0.0);
            return;
        }
    }
}

void ChartHandlers::OptionScaleGauge_Click(int index)
{
    const GaugeLooks::Scale* scale = GaugeLooks::scaleOption(index);
    if (!scale)
        return;
    const int count = state_.sensorCount;
    for (int g = 0; g < 6; ++g) {
        // Gauges of sensors the evaluator does not have keep their grey look.
        if (ILinearGauge* gauge = c_.iLinearGaugeX1[g])
            GaugeSetup::applyScale(*gauge, *scale, count == 0 || g + 1 <= count);
    }
}

void ChartHandlers::selectScaleGauge(int index)
{
    if (index < 1 || index > 4)
        return;
    QRadioButton* option = c_.OptionScaleGauge[index];
    if (option && !option->isChecked()) {
        option->setChecked(true);
        if (connected_)
            return;
    }
    OptionScaleGauge_Click(index);
}

void ChartHandlers::cmd_zoom_xy_Click()
{
    QWidget* chart = chartWidget ? chartWidget : dynamic_cast<QWidget*>(c_.iStripChartX1);
    const int step = twipsToPixels ? twipsToPixels(ZoomStepTwips) : 0;
    chartEnlarged = !chartEnlarged;
    if (chart)
        chart->resize(chart->width(), std::max(0, chart->height() + (chartEnlarged ? step : -step)));
    if (c_.cmd_zoom_xy)
        c_.cmd_zoom_xy->setText(chartEnlarged ? ReduceCaption : EnlargeCaption);
}

void ChartHandlers::addLiveChannels()
{
    for (int s = 1; s <= 6; ++s) {
        if (ILinearGauge* gauge = c_.iLinearGaugeX1[s - 1])
            sensorColor[s] = gauge->PointerColor(0);
        if (!c_.iStripChartX1)
            continue;
        for (int k = 1; k <= 5; ++k) {
            c_.iStripChartX1->AddChannel(channelTitle(s, k), sensorColor[s], k - 1, k == 1 ? 2 : 1);
            nameChartChannel(*c_.iStripChartX1, c_.iStripChartX1->ChannelCount() - 1, config_.sensorLabel(s), k);
        }
    }
}

void ChartHandlers::renameSensor(int sensor, const QString& name)
{
    if (sensor < 1 || sensor > 6 || !c_.iStripChartX1)
        return;
    for (int k = 1; k <= 5; ++k) {
        if (!fileMode_)
            nameChartChannel(*c_.iStripChartX1, liveChannel(sensor, k), name, k);
        else if (playback_.sensorShown[sensor] && playback_.valueOnChart[k])
            nameChartChannel(*c_.iStripChartX1, playback_.sensorFirstChannel[sensor] + playback_.valueSlot[k], name, k);
    }
}

void ChartHandlers::RebuildLiveChart()
{
    OptionScaleX_Click(0);

    if (c_.iStripChartX1) {
        c_.iStripChartX1->ClearChannels();
        c_.iStripChartX1->ClearData();
    }
    addLiveChannels();

    int samplesPerSecond = 1;
    int interval = 0;
    switch (config_.REFRESH) {
    case 1: interval = 250; samplesPerSecond = 4; break;
    case 2: interval = 500; samplesPerSecond = 2; break;
    case 0:
    case 3: interval = 1000; break;
    default: break; // the interval stays as it is
    }
    if (interval > 0 && c_.TimerDisplay)
        c_.TimerDisplay->setInterval(interval);

    if (IStripChart* chart = c_.iStripChartX1) {
        chart->SetBufferSize(std::min<int64_t>(int64_t(samplesPerSecond) * 86400, MaxBufferRows));
        chart->SetAutoRowDrop(true);
        for (int ch = 0; ch < 30; ++ch)
            chart->SetChannelVisible(ch, false);
        // The oil quality is always back on the chart after a rebuild.
        for (int s = 1; s <= 6; ++s)
            chart->SetChannelVisible(liveChannel(s, 1), true);
    }

    for (int s = 1; s <= 6; ++s) {
        if (QCheckBox* box = c_.CheckShow[s]) {
            box->setEnabled(true);
            box->setChecked(true);
        }
        showLiveTickedValues(s);
    }
}
