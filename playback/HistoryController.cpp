#include "playback/HistoryController.h"

#include "chart/StripChartTime.h"
#include "chart/StripChartWidget.h"
#include "config/ConfigValues.h"
#include "core/IClock.h"
#include "core/LogLine.h"
#include "display/MainControls.h"
#include "history/Forecast.h"
#include "history/HistoryBuilder.h"
#include "history/JournalReader.h"
#include "history/LastParameterRecord.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"
#include "platform/IDialogRunner.h"
#include "platform/IMessageBox.h"
#include "playback/ControlAccess.h"
#include "playback/FrmJournal.h"
#include "playback/FrmNote.h"
#include "playback/HistoryChartSource.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackState.h"
#include "playback/StoreHistoryReader.h"

#include <QDir>
#include <QProgressBar>

using namespace Controls;

namespace {
constexpr int ProgressSteps = 1000;

int64_t startOfDay(QDate day)
{
    return QDateTime(day, QTime(0, 0)).toSecsSinceEpoch();
}
} // namespace

HistoryController::HistoryController(Parts parts, QObject* parent) : QObject(parent), p_(parts)
{
    connect(&p_.playback, &PlaybackController::fileModeEnding, this, &HistoryController::close);
}

HistoryController::~HistoryController()
{
    // The chart may outlive this: it must not draw from a source gone.
    if (source_)
        p_.chart.setSource(nullptr);
}

void HistoryController::setProgressBar(QProgressBar* bar, QWidget* stopButton)
{
    progress_ = bar;
    stopButton_ = stopButton;
}

bool HistoryController::building() const
{
    return builder_ && builder_->isRunning();
}

QStringList HistoryController::sensorNames() const
{
    QStringList names;
    for (int s = 1; s <= 6; ++s)
        names << p_.config.sensorLabel(s).trimmed();
    return names;
}

HistoryChoice HistoryController::defaultChoice() const
{
    if (!shown_.installation.isEmpty())
        return shown_;
    HistoryChoice choice;
    choice.folder = QDir(p_.config.LOGDIR.isEmpty() ? QDir::currentPath() : p_.config.LOGDIR).absolutePath();
    choice.installation = p_.config.INSTALLATION;
    const QDate today = p_.clock.now().date();
    choice.days = HistoryRange::preset(HistoryRange::Preset::Last30Days, today, {}, {});
    for (int v = 1; v <= 5; ++v)
        choice.values[v] = ticked(p_.controls.CheckChartDisplay[v]);
    for (int s = 1; s <= 6; ++s)
        choice.sensors[s] = ticked(p_.controls.CheckShow[s]);
    return choice;
}

void HistoryController::MenueFileHistory_Click()
{
    FrmHistory dialog(p_.fileDialog, p_.controls.window);
    dialog.setChoice(defaultChoice(), sensorNames(), p_.clock.now().date());
    if (p_.dialogs.exec(dialog) != QDialog::Accepted)
        return;
    const HistoryChoice choice = dialog.choice();
    if (choice.installation.isEmpty() || !choice.days.isValid())
        return;
    open(choice);
}

void HistoryController::tickBoxes(const HistoryChoice& choice)
{
    for (int v = 1; v <= 5; ++v)
        tick(p_.controls.CheckChartDisplay[v], choice.values[v]);
    for (int s = 1; s <= 6; ++s)
        tick(p_.controls.CheckShow[s], choice.sensors[s]);
}

// One per chart channel, in the order the file view made them.
std::vector<HistoryChannel> HistoryController::channels() const
{
    const PlaybackChannelMap& map = p_.state.channelMap;
    std::vector<HistoryChannel> result(size_t(std::max(map.channelCount, 0)));
    for (int s = 1; s <= 6; ++s)
        for (int v = 1; v <= 5 && map.sensorShown[s]; ++v) {
            const int channel = map.sensorFirstChannel[s] + map.valueSlot[v];
            if (map.valueOnChart[v] && channel < int(result.size()))
                result[size_t(channel)] = {s, v - 1};
        }
    return result;
}

void HistoryController::open(const HistoryChoice& choice)
{
    close();
    shown_ = choice;
    from_ = startOfDay(choice.days.from);
    to_ = startOfDay(choice.days.to.addDays(1));
    const QString range = choice.days.from.toString(Qt::ISODate) + QStringLiteral(" \u2013 ")
        + choice.days.to.toString(Qt::ISODate);
    p_.playback.openFileView(PlaybackController::programCaption() + QStringLiteral(" *** History: ")
                             + choice.installation + QLatin1Char(' ') + range + QStringLiteral("  ***"));
    tickBoxes(choice);
    p_.playback.makeFileViewChannels();
    storePath_ = openStore(choice.folder);
    reader_ = std::make_unique<StoreHistoryReader>(storePath_, choice.folder, choice.installation,
                                                   p_.state.swapDate);
    source_ = std::make_unique<HistoryChartSource>(*reader_, channels(), from_, to_);
    p_.chart.setSource(source_.get());
    p_.chart.ShowAllRows();
    showNotes();
    emit activeChanged(true);
    startBuilding();
}

// The store beside the logfiles (or in the cache folder); one held in memory
// when neither can be written, so the history still shows.
QString HistoryController::openStore(const QString& folder)
{
    const QString path = SummaryStore::defaultPath(folder);
    SummaryStore probe(path, folder, p_.state.swapDate);
    if (probe.isOpen())
        return path;
    emit statusMessage(QStringLiteral("History summaries are kept in memory only: ") + probe.error());
    return SummaryStore::inMemoryPath(folder);
}

void HistoryController::startBuilding()
{
    const LogfileCatalog catalog(shown_.folder);
    // A day's file may begin with the last lines of the day before.
    const QList<LogfileInfo> files =
        catalog.files(shown_.installation, shown_.days.from.addDays(-1), shown_.days.to.addDays(1));
    builder_ = std::make_unique<HistoryBuilder>(
        HistoryBuilder::Settings{storePath_, shown_.folder, shown_.installation, p_.state.swapDate, 2});
    connect(builder_.get(), &HistoryBuilder::fileDone, this, &HistoryController::fileSummarised, Qt::QueuedConnection);
    connect(builder_.get(), &HistoryBuilder::finished, this, &HistoryController::buildingFinished,
            Qt::QueuedConnection);
    connect(builder_.get(), &HistoryBuilder::progressed, this,
            [this](qint64 done, qint64 total) {
                if (progress_ && total > 0)
                    progress_->setValue(int(done * ProgressSteps / total));
            },
            Qt::QueuedConnection);
    if (progress_) {
        progress_->setRange(0, ProgressSteps);
        progress_->setValue(0);
        progress_->setVisible(true);
    }
    enable(stopButton_, true);
    show(stopButton_, true);
    builder_->start(files);
}

void HistoryController::fileSummarised(const FileNotice& notice)
{
    if (!source_)
        return;
    source_->invalidate(notice.firstInstant, notice.endInstant);
    p_.chart.sourceChanged();
}

void HistoryController::buildingFinished(const BuildResult& result)
{
    // A store that failed while it was written (a full disk, a failing
    // medium): the history is summarised again, in memory, and still shows.
    const QString inMemory = SummaryStore::inMemoryPath(shown_.folder);
    if (source_ && !result.storeError.isEmpty() && storePath_ != inMemory) {
        emit statusMessage(QStringLiteral("History summaries are kept in memory only: ") + result.storeError);
        storePath_ = inMemory;
        reader_->useStore(storePath_);
        startBuilding();
        return;
    }
    if (progress_)
        progress_->setVisible(false);
    show(stopButton_, false);
    p_.playback.fileViewReady();
    if (!source_)
        return;
    QString state;
    if (!result.storeError.isEmpty())
        state = QStringLiteral("History summaries are incomplete: ") + result.storeError;
    else if (result.stopped)
        state = QStringLiteral("History summaries are incomplete: building was stopped.");
    else if (!result.fileErrors.isEmpty())
        state = QStringLiteral("Logfiles that could not be read: ") + result.fileErrors.join(QStringLiteral("; "));
    if (!state.isEmpty())
        emit statusMessage(state);
    // Everything built since is drawn from; a view not moved since it showed
    // the whole range shows it again, with the trends' way on.
    source_->invalidate(from_, to_);
    showForecasts();
    if (p_.chart.following())
        p_.chart.ShowAllRows();
    p_.chart.sourceChanged();
    fillJournal();
}

void HistoryController::showJournal()
{
    if (!source_)
        return;
    if (!journal_) {
        journal_ = new FrmJournal(p_.controls.window);
        connect(journal_, &FrmJournal::entryChosen, this, &HistoryController::showMoment);
    }
    fillJournal();
    journal_->show();
    journal_->raise();
    journal_->activateWindow();
}

void HistoryController::fillJournal()
{
    if (!journal_ || !source_)
        return;
    SummaryStore store(storePath_, shown_.folder, p_.state.swapDate);
    const LogfileCatalog catalog(shown_.folder);
    JournalReader reader(store, catalog, p_.state.swapDate);
    std::vector<JournalEntry> entries;
    const int64_t end = std::min<int64_t>(to_, p_.clock.now().toSecsSinceEpoch());
    if (!reader.read(shown_.installation, from_, std::max(end, from_ + 1), entries))
        emit statusMessage(QStringLiteral("The journal is incomplete: ") + reader.error());
    journal_->setEntries(std::move(entries), sensorNames(),
                         shown_.installation + QLatin1Char(' ') + shown_.days.from.toString(Qt::ISODate)
                             + QStringLiteral(" \u2013 ") + shown_.days.to.toString(Qt::ISODate));
}

void HistoryController::showMoment(qint64 start, qint64 end)
{
    if (!source_)
        return;
    const int64_t room = std::max<int64_t>((end - start) / 5, 300);
    p_.chart.showRange(chartDaysFromInstant(start - room), chartDaysFromInstant(std::max(end, start) + room));
    p_.chart.placeCursorAt(chartDaysFromInstant(start));
}

void HistoryController::stopBuilding()
{
    if (builder_)
        builder_->stop();
    enable(stopButton_, false);
}

void HistoryController::close()
{
    if (!source_ && !builder_)
        return;
    builder_.reset(); // waits for its threads
    if (progress_)
        progress_->setVisible(false);
    show(stopButton_, false);
    p_.chart.setSource(nullptr);
    if (journal_)
        journal_->hide();
    source_.reset();
    reader_.reset();
    notes_.clear();
    emit activeChanged(false);
}

void HistoryController::showNotes()
{
    notes_ = NotesFile(shown_.folder).read(shown_.installation);
    const QStringList names = sensorNames();
    QString list;
    for (const Note& note : notes_)
        if (note.instant >= from_ && note.instant < to_)
            list += LogLine::timeStamp(QDateTime::fromSecsSinceEpoch(note.instant)) + QLatin1Char(' ')
                + HistoryChartSource::noteText(note, names) + QLatin1Char('\n');
    if (source_)
        source_->setNotes(notes_, names);
    if (p_.controls.Txt_event)
        p_.controls.Txt_event->setPlainText(list);
    p_.chart.sourceChanged();
}

void HistoryController::addNoteAtCursor()
{
    if (!source_)
        return;
    const int64_t instant = chartInstantFromDays(p_.chart.cursorX());
    FrmNote dialog(QDateTime::fromSecsSinceEpoch(instant), sensorNames(), NotesFile::presetTexts(),
                   p_.controls.window);
    if (p_.dialogs.exec(dialog) != QDialog::Accepted || dialog.text().isEmpty())
        return;
    addNote(Note{instant, shown_.installation, dialog.sensor(), dialog.text()});
}

bool HistoryController::addNote(const Note& note)
{
    QString reason;
    const NotesFile file(shown_.folder);
    if (!file.append(note, &reason)) {
        p_.messageBox.show(QString(),
                           QStringLiteral("The note could not be written to %1:\n%2").arg(file.path(), reason),
                           MessageIcon::Error);
        return false;
    }
    showNotes();
    showForecasts(); // an oil change starts the trends anew
    return true;
}

// The trends as of the range's end (or now, when it runs on into the
// future), since each sensor's last oil change, with the evaluator's levels
// of that time.
void HistoryController::showForecasts()
{
    if (!source_ || building())
        return;
    SummaryStore store(storePath_, shown_.folder, p_.state.swapDate);
    ForecastRequest request;
    request.installation = shown_.installation;
    request.at = std::min<int64_t>(to_, p_.clock.now().toSecsSinceEpoch());
    request.notes = notes_;
    request.windowDays = p_.config.FORECASTDAYS;
    request.parameters = LastParameterRecord::asOf(store.files(LogfileCatalog::installationKey(shown_.installation)),
                                                   request.at);
    const ForecastResult result = Forecast::run(store, request);
    if (!result.ok)
        emit statusMessage(QStringLiteral("No forecast: ") + result.error);
    source_->setForecasts(result);
}
