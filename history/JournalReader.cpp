#include "history/JournalReader.h"

#include "history/AlarmJournal.h"
#include "history/LogfileClock.h"
#include "history/RangeFiles.h"

JournalReader::JournalReader(SummaryStore& store, const LogfileCatalog& catalog, bool swapDate)
    : store_(store), catalog_(catalog), swapDate_(swapDate)
{
}

// Every file up to the day after the range's last: a day's file can hold
// the first seconds of the next day, never the last of the day before.
QList<LogfileInfo> JournalReader::filesUpTo(const QString& installation, int64_t to)
{
    LogfileClock clock;
    return catalog_.files(installation, QDate(), RangeFiles::localDay(clock, to - 1).addDays(1));
}

const JournalReader::Loaded* JournalReader::load(EventFiles& source, const LogfileInfo& file)
{
    const auto found = loaded_.find(file.name);
    if (found != loaded_.end())
        return &found->second;
    Loaded l;
    if (!source.read(file, l.events, l.latestRecord)) {
        error_ = QStringLiteral("cannot read ") + source.error();
        return nullptr;
    }
    return &loaded_.emplace(file.name, std::move(l)).first->second;
}

bool JournalReader::read(const QString& installation, int64_t from, int64_t to, std::vector<JournalEntry>& out)
{
    out.clear();
    loaded_.clear();
    EventFiles source(store_, installation, swapDate_);
    const QList<LogfileInfo> files = filesUpTo(installation, to);
    LogfileClock clock;
    const QDate firstDay = RangeFiles::localDay(clock, from).addDays(-1);
    qsizetype begin = 0;
    while (begin < files.size() && files[begin].day < firstDay)
        ++begin;
    // Back to the last line after which nothing is on.
    size_t firstEvent = 0;
    for (qsizetype i = begin - 1; i >= 0; --i) {
        const Loaded* l = load(source, files[i]);
        if (!l)
            return false;
        begin = i;
        const std::vector<InfoEvent>& events = l->events.events;
        const auto known = std::find_if(events.rbegin(), events.rend(), AlarmJournal::knowsStateAfter);
        if (known != events.rend()) {
            firstEvent = size_t(events.rend() - known - 1);
            break;
        }
    }
    AlarmJournal journal;
    for (qsizetype i = begin; i < files.size(); ++i) {
        const Loaded* l = load(source, files[i]);
        if (!l)
            return false;
        const std::vector<InfoEvent>& events = l->events.events;
        for (size_t k = i == begin ? firstEvent : 0; k < events.size(); ++k)
            journal.feed(events[k]);
        journal.fileEnded(l->latestRecord);
    }
    bytesRead_ = source.bytesRead();
    out = journal.finish(from, to);
    return true;
}
