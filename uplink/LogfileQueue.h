#pragma once
#include "uplink/Payloads.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A place in an installation's data logfiles: a file's name in the log
// directory and a byte offset in it.
struct QueuePosition {
    QString file;
    qint64 offset = 0;
    bool operator==(const QueuePosition& o) const { return file == o.file && offset == o.offset; }
};

// An installation's data logfiles (yyyymmdd + "VL_" + name + ".vlg" in the
// log directory) read as one queue, day after day: whole lines from a
// position on, only what ends in a line end (a line still being written is
// left for later). Nothing is ever written to the files. A day's file is
// left once a later one exists and it holds no further whole line.
//
// A file that shrank under the read position is read again from its start:
// repeats, never a gap. A run of more than MaxLineBytes without a line end
// (a damaged file) goes out cut into pieces of that size.
class LogfileQueue {
public:
    static constexpr qint64 MaxLineBytes = 64 * 1024;

    LogfileQueue(QString logDir, const QString& installation);

    // The name of a day's file (yyyymmdd) of this installation.
    QString fileOfDay(const QString& day) const;

    // Starts reading at a position: the last one the broker acknowledged.
    void startAt(const QueuePosition& position);
    // Up to `max` whole lines from the read position on, in order; the read
    // position moves past them.
    QList<QueuedLine> take(int max);
    // Moves the read position back to an earlier one.
    void rewindTo(const QueuePosition& position);
    // Looks for new day files (when `listFiles`) and counts the lines the
    // writer appended since the last call.
    void refresh(bool listFiles);

    // Whole lines after the read position, as of the last refresh.
    qint64 unreadLines() const { return unread_; }
    const QueuePosition& readPosition() const { return read_; }

private:
    bool isOurs(const QString& name) const;
    void listFiles();
    void countFile(const QString& name);
    bool readCurrent(int max, QList<QueuedLine>& out);
    bool moveToNextFile();
    QString path(const QString& name) const { return dir_ + name; }

    QString dir_; // ends in '/'
    QString namePart_;
    QStringList files_; // the read file and every later one, oldest first
    QueuePosition read_;
    QHash<QString, qint64> counted_; // per file: lines counted up to here
    qint64 unread_ = 0;
};
