#pragma once
// File › "History…": an installation's daily logfiles over a range of days
// as one timeline on the chart, the window in file mode as after "Load",
// with the maintenance notes marked and listed. Summaries the store lacks
// are built in the background meanwhile; the view fills in file by file and
// "Stop Loading" ends the building. "Unload" returns to the live look.
#include "history/BuildResult.h"
#include "history/NotesFile.h"
#include "playback/FrmHistory.h"

#include <QObject>
#include <memory>
#include <vector>

class FrmJournal;
class HistoryBuilder;
class HistoryChartSource;
class IClock;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class PlaybackController;
class QProgressBar;
class StoreHistoryReader;
class StripChartWidget;
struct ConfigValues;
struct HistoryChannel;
struct MainControls;
struct PlaybackState;

class HistoryController final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        MainControls& controls;
        PlaybackController& playback;
        PlaybackState& state;
        ConfigValues& config;
        IDialogRunner& dialogs;
        IFileDialog& fileDialog;
        IMessageBox& messageBox;
        const IClock& clock;
        StripChartWidget& chart;
    };

    explicit HistoryController(Parts parts, QObject* parent = nullptr);
    ~HistoryController() override;

    // Shown while summaries are built, with the button that stops it.
    void setProgressBar(QProgressBar* bar, QWidget* stopButton);

    void MenueFileHistory_Click();
    // Shows the history of `choice` at once, without the dialog.
    void open(const HistoryChoice& choice);
    // "Stop Loading": the building ends; what was built stays.
    void stopBuilding();
    // "Add note…": a note at the chart's cursor, asked for in a dialog.
    void addNoteAtCursor();
    // Writes a note and shows it; false (after a message) when it could not
    // be written.
    bool addNote(const Note& note);
    // The chart lets go of the history (at "Unload").
    void close();
    // "Journal…": the alarm journal of the range in a window beside.
    void showJournal();
    FrmJournal* journal() const { return journal_; }
    // The chart shows [start, end] (UTC seconds) with some room, its cursor
    // at start.
    void showMoment(qint64 start, qint64 end);

    bool active() const { return source_ != nullptr; }
    const HistoryChoice& shown() const { return shown_; }
    HistoryChartSource* source() const { return source_.get(); }
    // Whether summaries are being built.
    bool building() const;

signals:
    // A line for the status bar: the summaries' state, a failure.
    void statusMessage(const QString& text);
    // Shown or left; the window enables "Add note…" by it.
    void activeChanged(bool active);

private:
    HistoryChoice defaultChoice() const;
    void tickBoxes(const HistoryChoice& choice);
    std::vector<HistoryChannel> channels() const;
    QString openStore(const QString& folder);
    void startBuilding();
    void fileSummarised(const FileNotice& notice);
    void buildingFinished(const BuildResult& result);
    void showNotes();
    void showForecasts();
    void fillJournal();
    QStringList sensorNames() const;

    Parts p_;
    HistoryChoice shown_;
    int64_t from_ = 0;
    int64_t to_ = 0;
    QString storePath_;
    std::vector<Note> notes_;
    std::unique_ptr<StoreHistoryReader> reader_;
    std::unique_ptr<HistoryChartSource> source_;
    std::unique_ptr<HistoryBuilder> builder_;
    FrmJournal* journal_ = nullptr; // made at first use, owned by the window
    QProgressBar* progress_ = nullptr;
    QWidget* stopButton_ = nullptr;
};
