#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>

// The lines both log files and the event list share, and the names of the
// files.
namespace LogLine {

// "#" + "MM-DD-YYYY HH:MM:SS" + " ": how every line of both files starts.
QByteArray lineStart(const QDateTime& when);

// "MM-DD-YYYY HH:MM:SS" in the given (local) time.
QString timeStamp(const QDateTime& when);

// Today's date as yyyymmdd, the form used in data logfile names.
QString fileDate(const QDateTime& when);

// Text as it goes into a log file. CR and LF become blanks: a name typed with
// a line break must not split one log line into two (or forge a line of its
// own). Every other control character except TAB becomes ControlSubstitute,
// so an escape sequence from a noisy line or a name cannot reach a terminal
// or an editor that shows the file. One character for one, so the fields of
// a record keep their positions; printable text, non-ASCII included, stays.
constexpr char ControlSubstitute = '?';
QString fileText(QString text);
QByteArray fileText(QByteArray text);

// A name as part of a file name: path separators, ".." and control
// characters become "_", so the file stays in its folder whatever was typed.
QString fileNamePart(QString name);

// The data logfile of a day (yyyymmdd) and installation in a log directory
// (ending in its separator): logDir + day + "VL_" + installation + ".vlg".
QString logfileName(const QString& logDir, const QString& day, const QString& installation);
// The name the installation setup's file dialog starts with: the same with
// "Ls_" for "VL_".
QString suggestedLogfileName(const QString& logDir, const QString& day, const QString& installation);
// The one event file of a log directory.
QString eventfileName(const QString& logDir);

} // namespace LogLine
