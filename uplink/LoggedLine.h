#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// One line of a data logfile as written: "#MM-DD-YYYY HH:MM:SS " + text,
// its CR LF taken off.
struct LoggedLine {
    QByteArrayView text;   // after the time stamp; the whole line when it has none
    QDateTime receivedAt;  // local time; invalid when the line has no readable stamp

    static LoggedLine split(QByteArrayView line);
};

// A local time in ISO 8601 with its offset from UTC: 2026-02-11T10:34:26+01:00.
QString isoTimeWithOffset(const QDateTime& local);
