#include "history/NotesFile.h"

#include "core/LineSplitter.h"
#include "core/LogLine.h"
#include "core/LogTimeStamp.h"
#include "history/LogfileClock.h"
#include "core/LineAppend.h"
#include "history/WholeLines.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace {

const QString Lead = QStringLiteral("Note \"");
const QString AllSensors = QStringLiteral(" all sensors: ");
const QString OneSensor = QStringLiteral(" Sensor ");

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return out + QLatin1Char('"');
}

// The instant of a line's time stamp; false when it has none.
bool instantOf(const char* line, size_t length, LogfileClock& clock, int64_t& instant)
{
    if (length < 21 || line[0] != '#' || line[20] != ' ')
        return false;
    const LogTimeStamp::Fields f = LogTimeStamp::read(line, length);
    const int64_t day = LogTimeStamp::dayNumberOf(f, false);
    if (day < 0 || f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 || f.sec < 0 || f.sec > 59)
        return false;
    constexpr int64_t DaysFrom1899To1970 = 25569;
    instant = clock.gapStamp((day - DaysFrom1899To1970) * 86400 + f.hour * 3600 + f.minute * 60 + f.sec).instant;
    return true;
}

} // namespace

NotesFile::NotesFile(const QString& logDir) : path_(QDir(logDir).filePath(QStringLiteral("notes_VELTRA.txt"))) {}

QString NotesFile::oilChanged()
{
    return QStringLiteral("Oil changed");
}

QString NotesFile::sensorReplaced()
{
    return QStringLiteral("Sensor replaced");
}

QStringList NotesFile::presetTexts()
{
    return {oilChanged(), QStringLiteral("Oil topped up"), QStringLiteral("Sample taken"), sensorReplaced()};
}

QByteArray NotesFile::lineText(const Note& note)
{
    const QString sensor = note.sensor == Note::AllSensors
        ? AllSensors
        : OneSensor + QString::number(note.sensor) + QStringLiteral(": ");
    return (Lead + quoted(LogLine::fileText(note.installation)) + sensor + LogLine::fileText(note.text)).toUtf8();
}

bool NotesFile::parseLineText(const QString& text, Note& note)
{
    if (!text.startsWith(Lead))
        return false;
    QString installation;
    qsizetype i = Lead.size();
    for (;; ++i) {
        if (i >= text.size())
            return false;
        if (text[i] == QLatin1Char('"')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                ++i;
            else
                break;
        }
        installation += text[i];
    }
    const QStringView rest = QStringView(text).mid(i + 1);
    int sensor = Note::AllSensors;
    qsizetype textStart = AllSensors.size();
    if (!rest.startsWith(AllSensors)) {
        const qsizetype n = OneSensor.size();
        if (!rest.startsWith(OneSensor) || rest.size() < n + 3 || rest[n] < QLatin1Char('1')
            || rest[n] > QLatin1Char('6') || rest.mid(n + 1, 2) != QLatin1String(": "))
            return false;
        sensor = rest[n].unicode() - '0';
        textStart = n + 3;
    }
    note.installation = installation;
    note.sensor = sensor;
    note.text = rest.mid(textStart).toString();
    return true;
}

bool NotesFile::append(const Note& note, QString* reason) const
{
    if (note.sensor < Note::AllSensors || note.sensor > 6) {
        if (reason)
            *reason = QStringLiteral("there is no sensor %1").arg(note.sensor);
        return false;
    }
    const QDateTime when = QDateTime::fromSecsSinceEpoch(note.instant, LogfileClock().zone());
    const AppendResult result = appendWholeLine(path_, LogLine::lineStart(when) + lineText(note) + "\r\n");
    if (!result.written() && reason)
        *reason = result.reason;
    return result.written();
}

std::vector<Note> NotesFile::read(const QString& installation) const
{
    std::vector<Note> notes;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return notes;
    const QString wanted = LogLine::fileText(installation);
    LogfileClock clock;
    WholeLines lines(file, 0, file.size());
    QByteArrayView run;
    int64_t offset = 0;
    while (lines.next(run, offset)) {
        LineSplitter::split(run.data(), run.data() + run.size(), [&](const char* start, const char* newline) {
            size_t length = size_t(newline - start);
            if (length > 0 && start[length - 1] == '\r')
                --length;
            Note note;
            if (instantOf(start, length, clock, note.instant)
                && parseLineText(QString::fromUtf8(start + 21, qsizetype(length - 21)), note)
                && note.installation == wanted)
                notes.push_back(note);
            return true;
        });
    }
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.instant < b.instant; });
    return notes;
}
