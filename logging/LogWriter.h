#pragma once
#include "logging/EventSinks.h"

#include <QObject>
#include <QString>
#include <cstdint>

class QDateTime;
struct AppendResult;
struct ConfigValues;
struct LogState;
class IClock;

// A write that failed: which file, and the message for the user (the fixed
// text, with the system's reason on a line of its own).
struct WriteFailure {
    enum class File { Logfile, Eventfile };
    File file = File::Logfile;
    QString message;
};

// Writes the daily data logfile and the event file. Every line is
// "#MM-DD-YYYY HH:MM:SS " + text + CR LF; each write opens the file for
// appending, writes the one line whole or not at all and closes it, so a
// crash, a full disk or a pulled disk never loses more than the line being
// written and never leaves half a line. Texts are written as UTF-8 with line
// breaks made blanks and control characters made visible (LogLine::fileText).
// The installation name goes into the data logfile name with its path
// separators and ".." made harmless, so the file stays in LOGDIR.
//
// A failed write sets LogWriteFailed (data logfile) or EventWriteFailed
// (event file) and emits writeFailed; while a flag is set nothing more goes
// to that file. The writer shows nothing and stops nothing itself: whoever
// connects to writeFailed does that once the write's caller has returned.
class LogWriter final : public QObject, public IInfoLog {
    Q_OBJECT
public:
    static const QString LogfileFailedOnData;  // "... ! 1"
    static const QString LogfileFailedOnInfo;  // "... ! 2"
    static const QString EventfileFailed;      // "... ! 3"
    // In place of "... ! 1" or "... ! 2" when the name is too long.
    static const QString LogfileNameTooLong;

    LogWriter(LogState& state, const ConfigValues& config, const IClock& clock, QObject* parent = nullptr)
        : QObject(parent), state_(state), config_(config), clock_(clock)
    {
    }

    // Names today's data logfile and the event file; call before any line.
    void beginLogging();

    // One decoded evaluator line (":" ... CR LF). Starts the next day's file
    // with a fresh header when the date has changed, drops the line when the
    // clock stands before the latest second already logged, and writes only
    // record types 0x00-0x05, 0x80 and 0x81.
    void writeDataLine(const QByteArray& line, int recordType);

    void SetInfotext(const QString& text) override;
    void SetEvtInfotext(const QString& text) override;

    // The start text to both files, then the six sensor name lines to the
    // data logfile; once the data logfile has failed the rest is left out.
    void writeStartHeader();

    // After an unexpected end of the last run: names today's files and writes
    // "Logger ended unexpectedly at <lastSignOfLife> !" and "Logger running
    // again at <installation> !" to both, in that order.
    void writeRunningAgain(const QDateTime& lastSignOfLife);

    // "Measure Stopped" to the data logfile, whatever LogWriteFailed says;
    // the program is ending, so a failure is not reported.
    void writeExitLine();

    QString startText() const; // "Measure Started at <installation> !"
    QString stopText() const;  // "Measure Stopped at <installation> !"

    bool logWriteFailed() const;
    void clearLogWriteFailed();
    // Both flags; the installation setup calls this after its dialog.
    void clearWriteFailures();

signals:
    void writeFailed(const WriteFailure& failure);
    // secondsCounter and highestSeconds of every data line, for the software
    // info window.
    void secondsCounted(int32_t secondsCounter, int32_t highestSeconds);

private:
    AppendResult appendInfo(const QString& fileName, const QString& text);
    static QString failureText(const QString& message, const AppendResult& result);
    bool writeHeader(const QString& logfileFailureMessage);
    bool infoLine(const QString& text, const QString& failureMessage);
    void logfileFailed(const QString& message, const AppendResult& result);
    void eventfileFailed(const AppendResult& result);
    void nameLogfile();
    static bool isLoggedType(int recordType);
    static int32_t secondsSinceEpoch(const QDateTime& when);

    LogState& state_;
    const ConfigValues& config_;
    const IClock& clock_;
};
