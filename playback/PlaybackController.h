#pragma once
// The main window's playback commands: File › "Load", "Stop Loading",
// "Swap Month-Day", "Unload", the playback gauges and the chart cursor
// readout. Works on the window's controls and the playback fields; the
// reading itself is LogfileReader's.
//
// Runs on the user-interface thread only. While a file is read the window's
// events are processed every 20,001 lines, so "Stop Loading" and cursor
// moves are handled in the middle of MenueFileLoad_Click.
#include "display/MainControls.h"
#include "playback/PlaybackState.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

class ChartHandlers;
class IFileDialog;
class IMessageBox;
class QProgressBar;
class QRadioButton;
class RdWrConfig;
struct ConfigValues;
struct MeasurementState;


class PlaybackController final : public QObject {
    Q_OBJECT
public:
    static const QString FileFilter;

    // handlers and configStore may be null (the option handlers then run only
    // through the buttons' own signals; SWAPDATE is then not stored).
    PlaybackController(MainControls& controls, MeasurementState& measurement, ConfigValues& config,
                       PlaybackState& state, IFileDialog& fileDialog, IMessageBox& messageBox,
                       ChartHandlers* handlers, RdWrConfig* configStore, QObject* parent = nullptr);

    // Shown while a file is read: bytes read against the file size, and a
    // button that stops the reading (it is wired to MenueFileStop_Click by
    // the window).
    void setProgressBar(QProgressBar* bar, QWidget* stopButton = nullptr)
    {
        progress_ = bar;
        stopButton_ = stopButton;
    }

    void MenueFileLoad_Click();
    void DisplayFileData();
    void MenueFileStop_Click();
    void MenueFileSwap_Click();
    void MenueFileUnload_Click();

    void SetupPlaybackGauges(int value);

    // The window in file mode with `caption`, for a view of stored data
    // other than one logfile: the history. Then, once the sensor and value
    // boxes are ticked as wanted, makeFileViewChannels() makes the chart's
    // channels of them (channelMap); fileViewReady() offers "Unload" once
    // the view is shown.
    void openFileView(const QString& caption);
    void makeFileViewChannels() { prepareChart(); }
    void fileViewReady();
    // "VELTRA Data Logger Version …".
    static QString programCaption();

    // The chart's cursor-change and toggle events.
    void iStripChartX1_CursorChange();
    void iStripChartX1_Toggle();
    void ShowCursorValues(int64_t index);

    // A chart x (days since 30 December 1899) as a date-time; day 0 when x
    // is not a number or out of range.
    static QDateTime get_time(double x);

    // Connects the chart's cursor and toggle events to this controller.
    void connectChart();

signals:
    // "Unload" runs the main window's start-up sequence again, in its
    // middle; the connection must be a direct one.
    void startUpNeeded();
    // "Unload" begins: whatever shows its data in file mode lets go of the
    // chart.
    void fileModeEnding();

private:
    class Sink;
    friend class Sink;

    void switchToFileMode(const QString& caption);
    void disableLiveControls();
    void hideLiveLamps();
    void setGaugesForFileMode();
    void restoreSensorColours();
    void enableLiveControls();
    void showLiveLamps();
    void resetGaugesForLive();
    void prepareChart();
    void clearChartForFile(IStripChart& chart);
    void greyAbsentSensors();
    void selectOption(QRadioButton* option, const std::function<void()>& handler);
    void selectScaleGauge(int index);
    void setCaption(const QString& text);
    bool valueTicked(int value) const;

    MainControls& c_;
    MeasurementState& measurement_;
    ConfigValues& config_;
    PlaybackState& state_;
    IFileDialog& fileDialog_;
    IMessageBox& messageBox_;
    ChartHandlers* handlers_;
    RdWrConfig* configStore_;
    QProgressBar* progress_ = nullptr;
    QWidget* stopButton_ = nullptr;
};
