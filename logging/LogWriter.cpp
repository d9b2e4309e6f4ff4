#include "logging/LogWriter.h"

#include "config/ConfigValues.h"
#include "core/LogLine.h"
#include "core/Record.h"
#include "logging/LogState.h"
#include "core/IClock.h"
#include "core/LineAppend.h"

#include <limits>

const QString LogWriter::LogfileFailedOnData =
    QStringLiteral("Directory for Logfile doesn't exist, start setup Installation ! 1");
const QString LogWriter::LogfileFailedOnInfo =
    QStringLiteral("Directory for Logfile doesn't exist, start setup Installation ! 2");
const QString LogWriter::EventfileFailed =
    QStringLiteral("Directory for Eventfile doesn't exist, start setup Installation ! 3");
const QString LogWriter::LogfileNameTooLong =
    QStringLiteral("The logfile name is too long for the file system, shorten the installation name or the "
                   "log directory in setup Installation !");

void LogWriter::beginLogging()
{
    state_.LogDate = LogLine::fileDate(clock_.now());
    nameLogfile();
    state_.eventfileName = LogLine::eventfileName(config_.LOGDIR);
}

void LogWriter::nameLogfile()
{
    state_.logfileName = LogLine::logfileName(config_.LOGDIR, state_.LogDate, config_.INSTALLATION);
}

QString LogWriter::startText() const
{
    return Events::logfileText(EventCode::MeasureStarted, 0, config_.INSTALLATION);
}

QString LogWriter::stopText() const
{
    return Events::logfileText(EventCode::MeasureStopped, 0, config_.INSTALLATION);
}

bool LogWriter::logWriteFailed() const
{
    return state_.LogWriteFailed;
}

void LogWriter::clearLogWriteFailed()
{
    state_.LogWriteFailed = false;
}

void LogWriter::clearWriteFailures()
{
    state_.LogWriteFailed = false;
    state_.EventWriteFailed = false;
}

AppendResult LogWriter::appendInfo(const QString& fileName, const QString& text)
{
    const QByteArray line = LogLine::lineStart(clock_.now()) + LogLine::fileText(text).toUtf8() + "\r\n";
    return appendWholeLine(fileName, line);
}

QString LogWriter::failureText(const QString& message, const AppendResult& result)
{
    return result.reason.isEmpty() ? message : message + QLatin1Char('\n') + result.reason;
}

void LogWriter::logfileFailed(const QString& message, const AppendResult& result)
{
    state_.LogWriteFailed = true;
    const bool tooLong = result.status == AppendResult::Status::NameTooLong;
    emit writeFailed({WriteFailure::File::Logfile, failureText(tooLong ? LogfileNameTooLong : message, result)});
}

void LogWriter::eventfileFailed(const AppendResult& result)
{
    state_.EventWriteFailed = true;
    emit writeFailed({WriteFailure::File::Eventfile, failureText(EventfileFailed, result)});
}

bool LogWriter::infoLine(const QString& text, const QString& failureMessage)
{
    if (state_.LogWriteFailed)
        return false;
    const AppendResult result = appendInfo(state_.logfileName, text);
    if (result.written())
        return true;
    logfileFailed(failureMessage, result);
    return false;
}

void LogWriter::SetInfotext(const QString& text)
{
    infoLine(text, LogfileFailedOnInfo);
}

void LogWriter::SetEvtInfotext(const QString& text)
{
    if (state_.EventWriteFailed)
        return;
    const AppendResult result = appendInfo(state_.eventfileName, text);
    if (!result.written())
        eventfileFailed(result);
}

void LogWriter::writeRunningAgain(const QDateTime& lastSignOfLife)
{
    beginLogging();
    for (const QString& text :
         {Events::loggerEndedText(lastSignOfLife), Events::loggerRunningAgainText(config_.INSTALLATION)}) {
        SetInfotext(text);
        SetEvtInfotext(text);
    }
}

void LogWriter::writeExitLine()
{
    appendInfo(state_.logfileName, QStringLiteral("Measure Stopped"));
}

void LogWriter::writeStartHeader()
{
    writeHeader(LogfileFailedOnInfo);
}

bool LogWriter::writeHeader(const QString& logfileFailureMessage)
{
    if (!infoLine(startText(), logfileFailureMessage))
        return false;
    SetEvtInfotext(startText());
    for (int sensor = 1; sensor <= 6; ++sensor) {
        if (!infoLine(QStringLiteral("lbl_S") + QString::number(sensor) + QLatin1Char(' ') + config_.sensorLabel(sensor),
                      logfileFailureMessage))
            return false;
    }
    return true;
}

bool LogWriter::isLoggedType(int recordType)
{
    return (recordType >= 0x00 && recordType <= 0x05) || recordType == 0x80 || recordType == 0x81;
}

int32_t LogWriter::secondsSinceEpoch(const QDateTime& when)
{
    // Elapsed seconds, so the hour repeated when daylight saving time ends
    // does not look like a clock set back.
    static const QDateTime epoch(QDate(2010, 1, 1), QTime(12, 0, 0));
    const qint64 seconds = epoch.secsTo(when);
    if (seconds > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (seconds < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(seconds);
}

void LogWriter::writeDataLine(const QByteArray& line, int recordType)
{
    if (state_.LogWriteFailed)
        return;

    const QDateTime now = clock_.now();
    const QString today = LogLine::fileDate(now);
    if (today != state_.LogDate) {
        state_.LogDate = today;
        nameLogfile();
        // A failure here belongs to the data line that caused the new file.
        if (!writeHeader(LogfileFailedOnData))
            return;
    }

    state_.secondsCounter = secondsSinceEpoch(now);
    emit secondsCounted(state_.secondsCounter, state_.highestSeconds);
    if (state_.secondsCounter < state_.highestSeconds)
        return;
    state_.highestSeconds = state_.secondsCounter;

    if (!isLoggedType(recordType))
        return;

    const QByteArray text = LogLine::lineStart(now) + LogLine::fileText(Record::beforeLineEnd(line).toByteArray()) + "\r\n";
    const AppendResult result = appendWholeLine(state_.logfileName, text);
    if (!result.written())
        logfileFailed(LogfileFailedOnData, result);
}
