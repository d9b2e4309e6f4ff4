#include "playback/LogfileReader.h"

#include "core/GaugeLooks.h"
#include "core/FileBlocks.h"
#include "core/LineSplitter.h"
#include "core/LogTimeStamp.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Every 16-bit number divided by ten, looked up: the divisions took a third
// of the decoding time. Built on first use, 512 KB.
struct TenthsTable {
    double value[65536];
    TenthsTable()
    {
        for (int raw = 0; raw < 65536; ++raw)
            value[raw] = double(raw >= 0x8000 ? raw - 0x10000 : raw) / 10.0;
    }
};

// The record's five numbers as the chart shows them: as sent, or in tenths.
void chartValues(const Record::Sensor& record, const bool (&inTenths)[5], double (&out)[5])
{
    static const TenthsTable tenths;
    const auto value = [&](int v) { return inTenths[v] ? tenths.value[record.value[v] & 0xFFFF] : double(record.value[v]); };
    // Written out: a loop of five costs as much as its body here.
    out[0] = value(0);
    out[1] = value(1);
    out[2] = value(2);
    out[3] = value(3);
    out[4] = value(4);
}

} // namespace

LogfileReader::LogfileReader() : LogfileReader(Settings()) {}

LogfileReader::LogfileReader(const Settings& settings) : settings_(settings)
{
    for (int v = 0; v < 5; ++v)
        inTenths_[v] = GaugeLooks::forValue(v + 1)->chartDivisor == 10;
}

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
    lastDay_ = -1;
    lastSeconds_ = 0;
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

// Parameter records are decoded as they enter the group, sensor records
// when they are plotted; only their place in the group and the time of the
// line that closes it are still to come.
void LogfileReader::enter(const char* text, size_t length)
{
    Entry& e = group_[size_t(n_++)];
    const QByteArrayView record(text + 21, qsizetype(length - 21)); // from its ":"
    e.type = Record::typeOf(record);
    e.kind = Record::kindOf(e.type);
    if (e.kind == Record::Kind::Sensor) {
        // Copies of a fixed size compile to a few moves; the common case.
        e.length = uint8_t(std::min<size_t>(size_t(record.size()), sizeof e.text));
        if (e.length == sizeof e.text)
            std::memcpy(e.text, record.data(), sizeof e.text);
        else
            std::memcpy(e.text, record.data(), e.length);
    }
    if (e.kind == Record::Kind::Parameter) {
        parameters_.emplace_back();
        if (Record::parseParameter(record, Record::Logfile, parameters_.back()))
            e.parameterIndex = int(parameters_.size() - 1);
        else
            e.kind = Record::Kind::Other;
    }
    lastStampLength_ = length < sizeof lastStamp_ ? length : sizeof lastStamp_;
    if (lastStampLength_ == sizeof lastStamp_)
        std::memcpy(lastStamp_, text, sizeof lastStamp_);
    else
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
            dispatch(group_[size_t(k - 1)], day, seconds, k, count);
    }
    parameters_.clear();
}

void LogfileReader::dispatch(const Entry& e, int64_t day, double seconds, int k, int count)
{
    if (e.kind == Record::Kind::Parameter) {
        sink_->parameterRecord(parameters_[size_t(e.parameterIndex)]);
        return;
    }
    if (e.kind != Record::Kind::Sensor)
        return;
    // The sensor number alone first (its type is known to be 0x00-0x05),
    // then the time, and only then the whole record.
    const int sensor = e.type + 1;
    if (!settings_.sensorShown[sensor])
        return;
    // Records whose time does not advance are dropped. The x is
    //   day + (seconds + (k - 1) / count) / 86400,
    // and every step of it keeps the order of its input, so a record of the
    // last plotted day at no later seconds cannot advance: it is dropped
    // before any division (the divisions cost more than the rest of the
    // record). The fraction stays below 1, so seconds + 1 bounds it.
    if (day == lastDay_ && (k == 1 ? seconds : seconds + 1) <= lastSeconds_)
        return;
    const double at = k == 1 ? seconds : seconds + double(k - 1) / count; // 0 / count adds nothing
    if (day == lastDay_ && at <= lastSeconds_)
        return;
    const double x = double(day) + at / 86400.0;
    if (!(x > lastX_))
        return;
    Record::Sensor record;
    if (!Record::parseSensor(QByteArrayView(e.text, e.length), Record::Logfile, record))
        return; // a field that is not hex: the record is skipped
    lastX_ = x;
    lastDay_ = day;
    lastSeconds_ = at;
    PlotRow row;
    row.x = x;
    row.sensor = sensor;
    chartValues(record, inTenths_, row.value);
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

namespace {

// A line that runs past the end of a block waits here for its end; of a line
// too long to keep, only the first bytes are kept (one more than
// MaxLineLength, so that a CR ending a line of exactly that length is still
// seen as the line end).
struct PartialLine {
    static constexpr size_t KeepBytes = LogfileReader::MaxLineLength + 1;
    std::string text;
    int64_t length = 0; // its whole length so far, kept or not

    void keep(const char* p, size_t bytes)
    {
        if (text.size() < KeepBytes)
            text.append(p, std::min(bytes, KeepBytes - text.size()));
        length += int64_t(bytes);
    }
    void clear()
    {
        text.clear();
        length = 0;
    }
};

} // namespace

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

    PartialLine partial;
    // Asked before every line, as the user may stop the reading at any line.
    auto consumeLine = [&](const char* p, size_t length, int64_t withEnd) {
        if (sink.stopRequested()) {
            result.stopped = true;
            return false;
        }
        consumed_ += withEnd;
        if (length > 0 && p[length - 1] == '\r')
            --length;
        line(p, std::min(length, MaxLineLength));
        ++result.lines;
        return true;
    };

    FileBlocks blocks(file, settings_.blockBytes, settings_.mapFile);
    for (QByteArrayView block = blocks.next(); !block.isEmpty(); block = blocks.next()) {
        const char* p = block.data();
        const char* end = p + block.size();
        if (partial.length > 0) {
            const char* newline = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            partial.keep(p, size_t((newline ? newline : end) - p));
            if (!newline)
                continue;
            if (!consumeLine(partial.text.data(), partial.text.size(), partial.length + 1))
                break;
            partial.clear();
            p = newline + 1;
        }
        const char* rest = LineSplitter::split(p, end, [&](const char* start, const char* newline) {
            return consumeLine(start, size_t(newline - start), int64_t(newline - start) + 1);
        });
        if (!rest)
            break; // stopped
        partial.keep(rest, size_t(end - rest));
    }
    // The last line of a file that does not end in a line end; after a read
    // error it is only the part of a line read before the error.
    if (result.error.isEmpty())
        result.error = blocks.error();
    if (!result.stopped && partial.length > 0 && result.error.isEmpty())
        consumeLine(partial.text.data(), partial.text.size(), partial.length);
    finish();
    result.bytesRead = consumed_;
    return result;
}
