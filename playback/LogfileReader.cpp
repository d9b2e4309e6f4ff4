#include "playback/LogfileReader.h"

#include "playback/LogTimeStamp.h"

#include <QFile>
#include <cstring>

LogfileReader::LogfileReader() = default;

void LogfileReader::setSensorShown(int sensor, bool shown)
{
    if (sensor >= 1 && sensor <= 6)
        settings_.sensorShown[sensor] = shown;
}

void LogfileReader::begin(ILogfileSink& sink, int64_t fileSize)
{
    sink_ = &sink;
    bigFileFlag_ = fileSize > settings_.bigFileBytes ? 1 : 0;
    lineCounter_ = 0;
    consumed_ = 0;
    groupState_ = 0;
    groupSecond_ = 0;
    n_ = 0;
    lastX_ = 0;
    parameters_.clear();
    stampCacheValid_ = false;
    dateCacheValid_ = false;
    lastStampLength_ = 0;
}

void LogfileReader::line(const char* text, size_t length)
{
    ++lineCounter_;
    if (length >= 22 && text[21] == ':')
        recordLine(text, length);
    else
        sink_->infoLine(QByteArrayView(text, qsizetype(length)));
    if (lineCounter_ > YieldLines) {
        sink_->yieldNow(consumed_);
        lineCounter_ = 0;
    }
}

void LogfileReader::recordLine(const char* text, size_t length)
{
    const int second = LogTimeStamp::secondOf(text, length);
    if (groupState_ == 1 && second == groupSecond_ + bigFileFlag_) {
        if (n_ < GroupCapacity)
            enter(text, length);
        return;
    }
    if (groupState_ == 1)
        closeGroup(text, length, 0);
    groupState_ = 1;
    groupSecond_ = second;
    enter(text, length);
}

// Records are decoded as they enter the group; only their place in the group
// and the time of the line that closes it are still to come.
void LogfileReader::enter(const char* text, size_t length)
{
    Entry& e = group_[size_t(n_++)];
    const char* r = text + 22;
    const size_t rLength = length - 22;
    e.kind = LogRecord::kindOf(r, rLength);
    if (e.kind == LogRecord::Kind::Sensor && !LogRecord::decodeSensor(r, rLength, e.values))
        e.kind = LogRecord::Kind::Unreadable;
    if (e.kind == LogRecord::Kind::Parameter) {
        parameters_.emplace_back();
        if (LogRecord::decodeParameters(r, rLength, parameters_.back()))
            e.parameterIndex = int(parameters_.size() - 1);
        else
            e.kind = LogRecord::Kind::Unreadable;
    }
    lastStampLength_ = length < sizeof lastStamp_ ? length : sizeof lastStamp_;
    std::memcpy(lastStamp_, text, lastStampLength_);
}

bool LogfileReader::stampTime(const char* text, size_t length, int64_t& day, double& seconds)
{
    // Lines of one second share their stamp; most groups close on a stamp
    // seen just before.
    if (stampCacheValid_ && length >= 20 && std::memcmp(text, cachedStamp_, 20) == 0) {
        day = cachedDay_;
        seconds = cachedSeconds_;
        return day >= 0;
    }
    const LogTimeStamp::Fields f = LogTimeStamp::read(text, length);
    // A file holds one date for a whole day of lines.
    if (dateCacheValid_ && f.first == cachedFirst_ && f.second == cachedSecond_ && f.year == cachedYear_) {
        day = cachedDateDay_;
    } else {
        day = LogTimeStamp::dayNumberOf(f, settings_.swapDate);
        dateCacheValid_ = true;
        cachedFirst_ = f.first;
        cachedSecond_ = f.second;
        cachedYear_ = f.year;
        cachedDateDay_ = day;
    }
    seconds = double(f.minute) * 60 + double(f.hour) * 3600 + double(f.sec);
    stampCacheValid_ = length >= 20;
    if (stampCacheValid_) {
        std::memcpy(cachedStamp_, text, 20);
        cachedDay_ = day;
        cachedSeconds_ = seconds;
    }
    return day >= 0;
}

void LogfileReader::closeGroup(const char* text, size_t length, int secondsLater)
{
    const int count = n_;
    n_ = 0;
    int64_t day = 0;
    double seconds = 0;
    // A date that does not exist: every line of the group is skipped.
    if (stampTime(text, length, day, seconds)) {
        seconds += secondsLater;
        for (int k = 1; k <= count; ++k)
            dispatch(group_[size_t(k - 1)], double(day) + (seconds + double(k - 1) / count) / 86400.0);
    }
    parameters_.clear();
}

void LogfileReader::dispatch(const Entry& e, double x)
{
    if (e.kind == LogRecord::Kind::Parameter) {
        sink_->parameterRecord(parameters_[size_t(e.parameterIndex)]);
        return;
    }
    if (e.kind != LogRecord::Kind::Sensor)
        return;
    const int sensor = e.values.sensor;
    if (sensor > 6 || !settings_.sensorShown[sensor])
        return;
    if (!(x > lastX_))
        return; // records whose time does not advance are dropped
    lastX_ = x;
    PlotRow row;
    row.x = x;
    row.sensor = sensor;
    std::memcpy(row.value, e.values.value, sizeof row.value);
    sink_->plotRow(row);
}

void LogfileReader::finish()
{
    if (groupState_ == 1 && n_ > 0) {
        char last[sizeof lastStamp_];
        std::memcpy(last, lastStamp_, lastStampLength_);
        closeGroup(last, lastStampLength_, 1);
    }
    groupState_ = 0;
}

LogfileReader::Result LogfileReader::readFile(const QString& path, ILogfileSink& sink)
{
    Result result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.error = file.errorString();
        return result;
    }
    result.opened = true;
    result.fileSize = file.size();
    begin(sink, result.fileSize);

    std::vector<char> buffer(settings_.blockBytes + MaxLineLength);
    size_t start = 0; // first byte of the current line in buffer
    size_t end = 0;   // bytes held in buffer
    bool skipping = false; // inside the unkept rest of an over-long line
    bool atEnd = false;

    // Asked before every line, as the user may stop the reading at any line.
    auto consumeLine = [&](const char* p, size_t length, size_t withEnd) {
        if (sink.stopRequested()) {
            result.stopped = true;
            return false;
        }
        consumed_ += int64_t(withEnd);
        if (length > 0 && p[length - 1] == '\r')
            --length;
        line(p, length < MaxLineLength ? length : MaxLineLength);
        ++result.lines;
        return true;
    };

    for (;;) {
        const char* base = buffer.data();
        const void* nl = std::memchr(base + start, '\n', end - start);
        if (nl) {
            const size_t at = size_t(static_cast<const char*>(nl) - base);
            if (skipping) {
                consumed_ += int64_t(at + 1 - start);
                skipping = false;
            } else if (!consumeLine(base + start, at - start, at + 1 - start)) {
                break;
            }
            start = at + 1;
            continue;
        }
        if (atEnd) {
            if (end > start && !skipping)
                consumeLine(base + start, end - start, end - start);
            else if (skipping)
                consumed_ += int64_t(end - start);
            break;
        }
        // No complete line left: keep the partial line, or, when it is
        // already too long to keep, hand on its first part and drop the rest.
        if (!skipping && end - start >= MaxLineLength) {
            if (!consumeLine(base + start, MaxLineLength, end - start))
                break;
            skipping = true;
            start = end;
        }
        if (skipping) {
            consumed_ += int64_t(end - start);
            start = end;
        }
        const size_t kept = end - start;
        std::memmove(buffer.data(), base + start, kept);
        start = 0;
        end = kept;
        const qint64 got = file.read(buffer.data() + end, qint64(buffer.size() - end));
        if (got < 0)
            result.error = file.errorString();
        if (got <= 0)
            atEnd = true;
        else
            end += size_t(got);
    }
    finish();
    result.bytesRead = consumed_;
    return result;
}
