#pragma once
#include "display/MainControls.h"
#include "display/PlaybackChannelMap.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

struct ConfigValues;
struct MeasurementState;

// The chart and gauge choices of the main window: which sensors and values
// the chart shows, its X span and Y range, the gauge scale, the taller chart,
// and the rebuild of the live chart after the installation setup.
// Works on the controls of MainControls; a missing control is skipped.
// In file mode (fileMode true) channel numbers come from the playback map.
//
// After connectControls(), every check box and option button of these
// choices runs its handler when its state changes, whether the user clicked
// it or code called setChecked; nothing else may connect those handlers.
class ChartHandlers {
public:
    ChartHandlers(MainControls& controls, const MeasurementState& state, const ConfigValues& config,
                  const bool& fileMode, const PlaybackChannelMap& playback);

    // Connects CheckShow, CheckChartDisplay, OptionScaleChart, OptionScaleX,
    // OptionScaleGauge, CmdShowNone and cmd_zoom_xy to their handlers.
    // Call once, after the controls exist.
    void connectControls();

    void CheckChartDisplay_Click(int value);
    void CheckShow_Click(int sensor);
    void CmdShowNone_Click();
    void OptionScaleChart_Click(int index);
    void OptionScaleX_Click(int index);
    void OptionScaleGauge_Click(int index);
    void cmd_zoom_xy_Click();
    void RebuildLiveChart();

    // Selects gauge scale option index (1..4) and applies that scale to the
    // gauges, also when the option was selected already.
    void selectScaleGauge(int index);

    // Reads sensorColor from the gauges' pointer colours and appends the five
    // channels of each sensor 1..6: the live channel map.
    void addLiveChannels();
    // Gives the sensor's channels, live or of the loaded file, a new name.
    void renameSensor(int sensor, const QString& name);

    // "Value " + sensor in the general number form + the value digit.
    static QString channelTitle(int sensor, int value);

    // Live channel of sensor 1..6 and value 1..5.
    static int liveChannel(int sensor, int value) { return 5 * (sensor - 1) + (value - 1); }

    // True while the chart is in its taller form; the window layout resets it.
    bool chartEnlarged = false;
    // Colour of each sensor 1..6 (element 0 unused).
    uint32_t sensorColor[7] = {};

    // Converts the window's length unit (1/1440 inch) to pixels; the default
    // assumes 96 dots per inch.
    std::function<int(int twips)> twipsToPixels;
    // The widget whose height cmd_zoom_xy changes; when null, the chart
    // itself if it is a widget.
    QWidget* chartWidget = nullptr;

private:
    void setLiveSensorChannels(int sensor, bool visible);
    void showLiveTickedValues(int sensor);
    void setFileSensorChannels(int sensor, bool visible);
    bool checked(QCheckBox* box) const;
    bool showNoneCaption() const;

    MainControls& c_;
    const MeasurementState& state_;
    const ConfigValues& config_;
    const bool& fileMode_;
    const PlaybackChannelMap& playback_;
    bool connected_ = false;
    QObject connections_; // ends every connection when the handlers go away
};
