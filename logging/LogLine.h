#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>

// Pieces of the lines both log files and the event list share.
namespace LogLine {

// "MM-DD-YYYY HH:MM:SS" in the given (local) time.
QString timeStamp(const QDateTime& when);

// Today's date as yyyymmdd, the form used in data logfile names.
QString fileDate(const QDateTime& when);

// The text before the first CR LF; the whole text when there is none.
QByteArray cutAtLineEnd(const QByteArray& text);

// Replaces every CR and LF by a blank: a name typed with a line break must
// not split one log line into two (or forge a line of its own).
QString singleLine(QString text);
QByteArray singleLine(QByteArray text);

// Appends bytes to a file, creating it when missing; the file is closed again
// before returning. False when the file could not be opened or written.
bool appendToFile(const QString& fileName, const QByteArray& bytes);

} // namespace LogLine
