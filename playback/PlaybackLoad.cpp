#include "config/ConfigValues.h"
#include "config/RdWrConfig.h"
#include "core/Version.h"
#include "display/ChartChannelNames.h"
#include "display/ChartHandlers.h"
#include "display/GaugeSetup.h"
#include "display/ModeLabel.h"
#include "link/MeasurementState.h"
#include "logging/EventList.h"
#include "chart/Colour.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"
#include "chart/IStripChart.h"
#include "playback/ControlAccess.h"
#include "playback/LogfileReader.h"
#include "playback/PlaybackController.h"
#include "playback/ReadAhead.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

using namespace Controls;

const QString PlaybackController::FileFilter =
    QStringLiteral("VELTRA logfile (*.vlg)|*.vlg|Former logfile (*.log)|*.log");

namespace {
const QString ProgramCaption = QStringLiteral("VELTRA Data Logger ") + QLatin1String(Version::Text);
constexpr int ProgressSteps = 1000;
constexpr qint64 EventListInterval = 250; // ms
// The progress bar moves at most this often (ms): each move repaints it.
constexpr qint64 ProgressInterval = 100;
} // namespace

// Feeds the reader's findings into the window; the event list text is
// collected and put into Txt_event at a yield at most every
// EventListInterval and at the end, which keeps files with many info lines
// fast. Like the live event list it keeps the newest
// EventList::MaxCharacters.
class PlaybackController::Sink {
public:
    Sink(PlaybackController& owner, ReadAhead& read, int64_t fileSize)
        : owner_(owner), read_(read), fileSize_(fileSize)
    {
    }

    // Channels follow the map made when the chart was built, so a value
    // box clicked while reading cannot shift values into another value's
    // channel. A sensor without channels (ticked only after the chart was
    // built) has nowhere to show its values.
    static ReadAhead::Targets targetsOf(const PlaybackChannelMap& map)
    {
        ReadAhead::Targets targets;
        for (int s = 1; s <= 6; ++s) {
            if (!map.sensorShown[s])
                continue;
            for (int v = 1; v <= 5; ++v) {
                const int channel = map.sensorFirstChannel[s] + map.valueSlot[v];
                if (map.valueOnChart[v] && channel < map.channelCount)
                    targets.target[s][targets.count[s]++] = {v - 1, map.valueSlot[v], channel};
            }
        }
        return targets;
    }

    // What the read handed over. At a yield the window runs its events and
    // lets the read go on before it stores the rows that came with it, so
    // the two overlap; meanwhile the chart shows what it had.
    void take(std::deque<ReadPiece>& pieces)
    {
        for (ReadPiece& piece : pieces) {
            for (const Record::Parameter& record : piece.parameters)
                parameterRecord(record);
            pending_ += piece.infoLines;
            ReadAhead::keepNewestLines(pending_, EventList::MaxCharacters);
            if (piece.yield)
                yieldNow(piece.bytesRead);
        }
        for (ReadPiece& piece : pieces) {
            if (!piece.rows)
                continue;
            piece.rows->flushTo(owner_.c_.iStripChartX1);
            read_.recycle(std::move(piece.rows));
        }
    }

    void flushEvents()
    {
        QPlainTextEdit* list = owner_.c_.Txt_event;
        if (pending_.isEmpty() || !list) {
            pending_.clear();
            return;
        }
        // The list keeps the newest EventList::MaxCharacters, as it does
        // while logging; a read-only list needs no undo history either.
        QTextDocument* text = list->document();
        text->setUndoRedoEnabled(false);
        const QString lines = QString::fromUtf8(pending_);
        if (lines.size() >= EventList::MaxCharacters) {
            list->setPlainText(lines.right(EventList::MaxCharacters));
        } else {
            list->moveCursor(QTextCursor::End);
            list->insertPlainText(lines);
            const int excess = text->characterCount() - 1 - EventList::MaxCharacters;
            if (excess > 0) {
                QTextCursor front(text);
                front.setPosition(excess, QTextCursor::KeepAnchor);
                front.removeSelectedText();
            }
        }
        list->moveCursor(QTextCursor::End);
        pending_.clear();
        eventsShown_.start();
    }

private:
    void parameterRecord(const Record::Parameter& record)
    {
        showMenu(owner_.c_.MenueEva, true);
        record.applyTo(owner_.measurement_.parameterInfo);
        owner_.measurement_.sensorCount = record.info.sensorCount;
        owner_.state_.fileSensorCount = record.info.sensorCount;
    }

    void yieldNow(int64_t bytesRead)
    {
        // Thousands of list lines take a while to lay out; the list is
        // brought up to date every EventListInterval, and at the end.
        if (!eventsShown_.isValid() || eventsShown_.hasExpired(EventListInterval))
            flushEvents();
        const bool progressDue = !progressShown_.isValid() || progressShown_.hasExpired(ProgressInterval);
        if (owner_.progress_ && fileSize_ > 0 && progressDue) {
            owner_.progress_->setValue(int(bytesRead * ProgressSteps / fileSize_));
            progressShown_.start();
        }
        QCoreApplication::processEvents();
        // A sensor box unticked meanwhile stops that sensor's records.
        bool shown[7] = {};
        for (int s = 1; s <= 6; ++s)
            shown[s] = Controls::ticked(owner_.c_.CheckShow[s]);
        read_.resume(owner_.state_.stopLoading, shown);
    }

    PlaybackController& owner_;
    ReadAhead& read_;
    int64_t fileSize_;
    QByteArray pending_; // UTF-8 lines, each with its LF
    QElapsedTimer eventsShown_;
    QElapsedTimer progressShown_;
};

PlaybackController::PlaybackController(MainControls& controls, MeasurementState& measurement,
                                       ConfigValues& config, PlaybackState& state, IFileDialog& fileDialog,
                                       IMessageBox& messageBox, ChartHandlers* handlers,
                                       RdWrConfig* configStore, QObject* parent)
    : QObject(parent), c_(controls), measurement_(measurement), config_(config), state_(state),
      fileDialog_(fileDialog), messageBox_(messageBox), handlers_(handlers), configStore_(configStore)
{
}

void PlaybackController::setCaption(const QString& text)
{
    if (c_.window)
        c_.window->setWindowTitle(text);
}

bool PlaybackController::valueTicked(int value) const
{
    return Controls::ticked(c_.CheckChartDisplay[value]);
}

void PlaybackController::selectOption(QRadioButton* option, const std::function<void()>& handler)
{
    if (!option)
        return;
    // The handlers run on a change of state; an option that is selected
    // already gets its handler run directly.
    if (option->isChecked()) {
        if (handler)
            handler();
    } else {
        option->setChecked(true);
    }
}

void PlaybackController::selectScaleGauge(int index)
{
    if (handlers_)
        handlers_->selectScaleGauge(index);
    else if (c_.OptionScaleGauge[index])
        c_.OptionScaleGauge[index]->setChecked(true);
}

void PlaybackController::MenueFileLoad_Click()
{
    state_.cursorReadout = 1;
    const QString path = fileDialog_.getOpenFileName(QString(), FileFilter);
    state_.loadedFileName = path;
    if (path.isEmpty())
        return;
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly)) {
        messageBox_.show(QString(),
                         QStringLiteral("The logfile %1 cannot be opened: %2").arg(path, probe.errorString()),
                         MessageIcon::Error);
        return;
    }
    probe.close();
    switchToFileMode(ProgramCaption + QStringLiteral(" *** Loaded File:") + path + QStringLiteral("  ***"));
    DisplayFileData();
    fileViewReady();
}

QString PlaybackController::programCaption()
{
    return ProgramCaption;
}

void PlaybackController::openFileView(const QString& caption)
{
    state_.cursorReadout = 1;
    switchToFileMode(caption);
}

void PlaybackController::fileViewReady()
{
    enable(c_.MenueFileUnload, true);
    enable(c_.MenueFileStop, false);
}

void PlaybackController::switchToFileMode(const QString& caption)
{
    state_.fileMode = true;
    setCaption(caption);

    enable(c_.MenueSetup, false);
    enable(c_.MenueFileStop, true);
    enable(c_.MenueFileLoad, false);
    enable(c_.MenueFileUnload, false);
    enable(c_.MenueStartStop, false);
    state_.stopLoading = false;

    selectOption(c_.OptionScaleX[3], [this] { if (handlers_) handlers_->OptionScaleX_Click(3); });
    selectOption(c_.OptionScaleChart[3], [this] { if (handlers_) handlers_->OptionScaleChart_Click(3); });
    disableLiveControls();
    hideLiveLamps();
    clear(c_.TextMessages);
    clear(c_.Txt_ComError);
    clear(c_.Txt_event);
    showMode(c_.Lbl_mode, true);
    setGaugesForFileMode();
    GaugeSetup::showNoValue(c_, QStringLiteral("Sensor Gauge"));
}

void PlaybackController::disableLiveControls()
{
    enable(c_.Frame_x, false);
    for (int i = 1; i <= 3; ++i)
        enable(c_.OptionScaleX[i], false);
    enable(c_.Frame_evames, false);
    enable(c_.cmd_ext, false);
    enable(c_.Frame_comerror, false);
}

void PlaybackController::hideLiveLamps()
{
    show(c_.Frame_relais, false);
    show(c_.LED_RDY, false);
    show(c_.LED_Prealarm, false);
    show(c_.LED_Alarm, false);
    for (int i = 0; i < 6; ++i) {
        show(c_.lbl_rdy[i], false);
        show(c_.Lbl_opa[i], false);
        show(c_.Lbl_temp[i], false);
        for (ILamp* lamp : {c_.sled_rdy[i], c_.oled_palm[i], c_.oled_malm[i], c_.tled_palm[i], c_.tled_malm[i]})
            show(lamp, false);
    }
    for (QLabel* label : {c_.Label2, c_.Label4, c_.Label5, c_.Label6, c_.Label7})
        show(label, false);
    show(c_.iLedRectangleX1, false);
    show(c_.iLedRectangleX2, false);
}

void PlaybackController::setGaugesForFileMode()
{
    for (int k = 1; k <= 6; ++k) {
        tick(c_.CheckShow[k], true);
        enable(c_.CheckShow[k], true);
        if (ILinearGauge* g = c_.iLinearGaugeX1[k - 1]) {
            g->SetPointerStyle(0);
            GaugeSetup::applyScale(*g, GaugeLooks::startScale());
            GaugeSetup::setTickColours(*g, Colours::Black);
            g->SetPositionMin(0);
            positionGauge(g, 0);
        }
        enable(c_.TextGauge[k - 1], true);
        clear(c_.TextGauge[k - 1]);
        enable(c_.Label3[k - 1], true);
    }
}

void PlaybackController::clearChartForFile(IStripChart& chart)
{
    chart.ClearChannels();
    chart.ClearData();
    chart.SetFileView(true);
    // Room for every row a logfile of any size yields; a chart that is
    // full drops its oldest rows in bulk rather than one per new row.
    chart.SetAutoRowDrop(true);
    chart.SetBufferSize(22500000);
    chart.SetRowDropTarget(21000000);
    // About one row per record line; lines are some 58 bytes long.
    const int64_t size = QFile(state_.loadedFileName).size();
    chart.ReserveRows(std::min<int64_t>(22000000, size / 58 + 1));
}

void PlaybackController::prepareChart()
{
    IStripChart* chart = c_.iStripChartX1;
    if (chart)
        clearChartForFile(*chart);

    PlaybackChannelMap& map = state_.channelMap;
    map = PlaybackChannelMap();
    bool gaugesSet = false;
    for (int v = 1; v <= 5; ++v) {
        if (!valueTicked(v))
            continue;
        if (!gaugesSet) {
            gaugesSet = true;
            if (c_.OptionDisplayGauge[v])
                c_.OptionDisplayGauge[v]->setChecked(true);
            SetupPlaybackGauges(v);
        }
        map.valueSlot[v] = map.chartValueCount++;
    }

    int channel = 0;
    for (int s = 1; s <= 6; ++s) {
        show(c_.Lbl_sname[s - 1], true);
        show(c_.gaugeUnit[s - 1], true);
        map.sensorFirstChannel[s] = 0;
        map.sensorShown[s] = false;
        if (!Controls::ticked(c_.CheckShow[s])) {
            enable(c_.CheckShow[s], false);
            continue;
        }
        map.sensorShown[s] = true;
        ++map.shownSensorCount;
        map.sensorFirstChannel[s] = channel;
        channel += map.chartValueCount;
        const uint32_t colour = handlers_ ? handlers_->sensorColor[s]
            : c_.iLinearGaugeX1[s - 1]   ? c_.iLinearGaugeX1[s - 1]->PointerColor(0)
                                         : Colours::White;
        for (int v = 1; v <= 5; ++v) {
            if (valueTicked(v)) {
                if (chart) {
                    chart->AddChannel(ChartHandlers::channelTitle(s, v), colour, v - 1, v == 1 ? 2 : 1);
                    nameChartChannel(*chart, chart->ChannelCount() - 1, config_.sensorLabel(s), v);
                }
                ++map.channelCount;
                map.valueOnChart[v] = true;
            } else {
                enable(c_.CheckChartDisplay[v], false);
                enable(c_.OptionDisplayGauge[v], false);
            }
        }
    }
}

void PlaybackController::DisplayFileData()
{
    prepareChart();

    LogfileReader::Settings settings;
    settings.swapDate = state_.swapDate;
    for (int s = 1; s <= 6; ++s)
        settings.sensorShown[s] = state_.channelMap.sensorShown[s];
    const int64_t size = QFile(state_.loadedFileName).size();
    ReadAhead read(settings, Sink::targetsOf(state_.channelMap), state_.channelMap.chartValueCount,
                   EventList::MaxCharacters);
    Sink sink(*this, read, size);
    if (progress_) {
        progress_->setRange(0, ProgressSteps);
        progress_->setValue(0);
        progress_->setVisible(true);
    }
    if (stopButton_) {
        stopButton_->setEnabled(true);
        stopButton_->setVisible(true);
    }
    read.start(state_.loadedFileName);
    for (std::deque<ReadPiece> pieces; read.take(pieces); pieces.clear())
        sink.take(pieces);
    const LogfileReader::Result result = read.result();
    // A load ends showing every row it read.
    if (c_.iStripChartX1) {
        c_.iStripChartX1->ShowAllRows();
        c_.iStripChartX1->EndRows();
    }
    sink.flushEvents();
    greyAbsentSensors();
    if (progress_)
        progress_->setVisible(false);
    show(stopButton_, false);
    if (!result.opened)
        messageBox_.show(QString(),
                         QStringLiteral("The logfile %1 cannot be opened: %2").arg(state_.loadedFileName,
                                                                                    result.error),
                         MessageIcon::Error);
    else if (!result.error.isEmpty())
        // What was read before the failure stays on the chart.
        messageBox_.show(QString(),
                         QStringLiteral("The logfile %1 could not be read to its end: %2")
                             .arg(state_.loadedFileName, result.error),
                         MessageIcon::Error);
}

void PlaybackController::greyAbsentSensors()
{
    for (int i = std::max<int>(state_.fileSensorCount, 0); i <= 5; ++i)
        GaugeSetup::greyOutSensor(c_, i, false);
}

void PlaybackController::MenueFileStop_Click()
{
    state_.stopLoading = true;
    enable(c_.MenueFileStop, false);
    enable(stopButton_, false);
}

void PlaybackController::MenueFileSwap_Click()
{
    // The check mark follows swapDate, whatever Qt did to it on the click.
    state_.swapDate = !state_.swapDate;
    if (c_.MenueFileSwap) {
        c_.MenueFileSwap->setCheckable(true);
        c_.MenueFileSwap->setChecked(state_.swapDate);
    }
    config_.SWAPDATE = state_.swapDate ? 1 : 0;
    if (configStore_
        && !configStore_->SetConfigValue(config_.ConfigFileName, QStringLiteral("SWAPDATE"),
                                         state_.swapDate ? QStringLiteral("1") : QStringLiteral("0"))
        && configStore_->lastFailure() != RdWrConfig::Failure::NoFile) {
        QString text = QStringLiteral("The Swap Month-Day setting could not be saved in VELTRA-logger1.ini !");
        if (!configStore_->lastError().isEmpty())
            text += QLatin1Char('\n') + configStore_->lastError();
        messageBox_.show(QString(), text, MessageIcon::Error);
    }
}
