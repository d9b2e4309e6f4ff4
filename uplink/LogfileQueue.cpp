#include "uplink/LogfileQueue.h"

#include "core/LogLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr qint64 ReadChunk = 256 * 1024;

qint64 fileSize(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

} // namespace

LogfileQueue::LogfileQueue(QString logDir, const QString& installation)
    : dir_(std::move(logDir)), namePart_(LogLine::fileNamePart(installation))
{
    if (!dir_.isEmpty() && !dir_.endsWith(QLatin1Char('/')))
        dir_ += QLatin1Char('/');
}

QString LogfileQueue::fileOfDay(const QString& day) const
{
    return LogLine::logfileName(QString(), day, namePart_);
}

bool LogfileQueue::isOurs(const QString& name) const
{
    if (name.size() != 8 + 3 + namePart_.size() + 4 || name.mid(8) != fileOfDay(QString()))
        return false;
    return std::all_of(name.begin(), name.begin() + 8, [](QChar c) { return c.isDigit(); });
}

void LogfileQueue::startAt(const QueuePosition& position)
{
    read_ = position;
    counted_.clear();
    unread_ = 0;
    refresh(true);
}

void LogfileQueue::listFiles()
{
    QStringList found;
    for (const QString& name : QDir(dir_).entryList({QStringLiteral("*.vlg")}, QDir::Files, QDir::Name))
        if (isOurs(name) && name >= read_.file)
            found << name;
    if (!found.contains(read_.file))
        found.prepend(read_.file);
    files_ = found;
    for (auto it = counted_.begin(); it != counted_.end();)
        it = it.key() < read_.file ? counted_.erase(it) : std::next(it);
}

void LogfileQueue::refresh(bool list)
{
    if (list || files_.isEmpty())
        listFiles();
    for (const QString& name : std::as_const(files_))
        countFile(name);
}

void LogfileQueue::countFile(const QString& name)
{
    qint64 at = counted_.value(name, name == read_.file ? read_.offset : 0);
    const qint64 size = fileSize(path(name));
    if (size <= at)
        return;
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (at < size && file.seek(at)) {
        const QByteArray chunk = file.read(std::min(ReadChunk, size - at));
        const qsizetype lastEnd = chunk.lastIndexOf('\n');
        if (lastEnd < 0 && chunk.size() < MaxLineBytes)
            break; // a line still being written
        // A damaged run without line ends is passed over uncounted.
        unread_ += lastEnd < 0 ? 0 : chunk.count('\n');
        at += lastEnd < 0 ? chunk.size() : lastEnd + 1;
    }
    counted_.insert(name, at);
}

QList<QueuedLine> LogfileQueue::take(int max)
{
    QList<QueuedLine> out;
    while (out.size() < max) {
        if (!readCurrent(max - int(out.size()), out) && !moveToNextFile())
            break;
    }
    return out;
}

bool LogfileQueue::readCurrent(int max, QList<QueuedLine>& out)
{
    QFile file(path(read_.file));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size < read_.offset) {
        // Shrunk under us: the file was replaced; read it again whole.
        read_.offset = 0;
        startAt(read_);
    }
    if (size <= read_.offset || !file.seek(read_.offset))
        return false;
    const QByteArray chunk = file.read(std::min(ReadChunk, size - read_.offset));
    if (!counted_.contains(read_.file))
        counted_.insert(read_.file, read_.offset);
    qint64& counted = counted_[read_.file];
    qsizetype at = 0;
    const qsizetype before = out.size();
    while (int(out.size() - before) < max) {
        qsizetype end = chunk.indexOf('\n', at);
        if (end < 0 && chunk.size() - at >= MaxLineBytes)
            end = at + MaxLineBytes - 1; // a damaged run, cut
        if (end < 0)
            break;
        const bool cut = chunk.at(end) != '\n';
        qsizetype textEnd = cut ? end + 1 : end;
        if (!cut && textEnd > at && chunk.at(textEnd - 1) == '\r')
            --textEnd;
        const qint64 lineEnd = read_.offset + end + 1;
        out.append(QueuedLine{read_.file, read_.offset + at, lineEnd, chunk.mid(at, textEnd - at)});
        at = end + 1;
        // A line the writer appended since the last count is counted as read,
        // so the next count starts behind it.
        if (lineEnd <= counted)
            unread_ = std::max<qint64>(0, unread_ - 1);
        else
            counted = lineEnd;
    }
    read_.offset += at;
    return out.size() > before;
}

bool LogfileQueue::moveToNextFile()
{
    const qsizetype here = files_.indexOf(read_.file);
    if (here < 0 || here + 1 >= files_.size())
        return false;
    // The later file was listed before the read that found nothing more
    // here, so everything written to this file before the next was begun
    // has been seen.
    read_ = {files_.at(here + 1), 0};
    return true;
}

void LogfileQueue::rewindTo(const QueuePosition& position)
{
    // Counted again from there: the lines in between were taken, and the
    // files before the old read position are no longer listed.
    startAt(position);
}
