#include "history/RowParser.h"

#include "core/LogTimeStamp.h"
#include "core/Record.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int64_t DaysFrom1899To1970 = 25569; // LogTimeStamp counts days from 30 December 1899
} // namespace

RowParser::RowParser(LogfileClock& clock, bool swapDate, const QDate& fileDay) : clock_(clock), swapDate_(swapDate)
{
    const int64_t day = QDate(1970, 1, 1).daysTo(fileDay);
    firstLocal_ = (day - 1) * 86400;
    endLocal_ = (day + 2) * 86400;
}

void RowParser::restart(int64_t latest, int32_t latestOffset)
{
    latest_ = latest;
    latestOffset_ = latestOffset;
    placedLocal_ = INT64_MIN;
}

RowParser::Line RowParser::read(const char* text, size_t length, Row& row)
{
    if (length > 0 && text[length - 1] == '\r')
        --length;
    if (length < 22 || text[21] != ':')
        return Line::Info;
    const QByteArrayView record(text + 21, qsizetype(length - 21));
    const Record::Kind kind = Record::kindOf(Record::typeOf(record));
    if (kind == Record::Kind::Parameter)
        return parameter(text, length, row);
    if (kind != Record::Kind::Sensor)
        return kind == Record::Kind::Other ? Line::Damaged : Line::Other;
    Record::Sensor sensor;
    constexpr qsizetype WholeValues = 21; // ":" + type + the five value fields
    if (record.size() < WholeValues || !Record::parseSensor(record, Record::Logfile, sensor))
        return Line::Damaged;
    int64_t local = 0;
    if (!localTime(text, length, local) || local < firstLocal_ || local >= endLocal_)
        return Line::Damaged;
    const LogfileClock::Stamp stamp = place(local);
    row.instant = stamp.instant;
    row.offset = stamp.offset;
    row.sensor = sensor.sensor;
    for (int v = 0; v < Series::kValues; ++v)
        row.value[v] = int16_t(sensor.value[v]);
    return Line::Record;
}

bool RowParser::infoInstant(const char* text, size_t length, int64_t& instant)
{
    int64_t local = 0;
    if (length < 21 || !localTime(text, length, local) || local < firstLocal_ || local >= endLocal_)
        return false;
    LogfileClock::Stamp found[2];
    const int count = stampsOf(local, found);
    for (int i = 0; i < count; ++i) {
        if (found[i].instant >= latest_) {
            instant = found[i].instant;
            return true;
        }
    }
    instant = latest_; // a clock set back: where a record would stand
    return true;
}

bool RowParser::namedInstant(const char* stamp, size_t length, int64_t notAfter, int64_t& instant)
{
    // Only the writer's own form: "MM-DD-YYYY HH:MM:SS".
    static constexpr char Form[] = "00-00-0000 00:00:00";
    if (length != sizeof Form - 1)
        return false;
    char line[sizeof Form + 1] = {'#'};
    for (size_t i = 0; i < length; ++i) {
        const bool wantDigit = Form[i] == '0';
        if (wantDigit ? (stamp[i] < '0' || stamp[i] > '9') : stamp[i] != Form[i])
            return false;
        line[i + 1] = stamp[i];
    }
    int64_t local = 0;
    if (!readLocal(line, length + 1, swapDate_, local))
        return false;
    LogfileClock::Stamp found[2];
    const int count = stampsOf(local, found);
    instant = found[0].instant;
    for (int i = 1; i < count; ++i)
        if (found[i].instant <= notAfter)
            instant = found[i].instant;
    return true;
}

int RowParser::stampsOf(int64_t local, LogfileClock::Stamp (&found)[2])
{
    const int count = clock_.instantsOf(local, found);
    if (count > 0)
        return count;
    found[0] = clock_.gapStamp(local); // in the hour the clock skipped
    return 1;
}

bool RowParser::readLocal(const char* text, size_t length, bool swapDate, int64_t& local)
{
    const LogTimeStamp::Fields f = LogTimeStamp::read(text, length);
    const int64_t day = LogTimeStamp::dayNumberOf(f, swapDate);
    local = (day - DaysFrom1899To1970) * 86400 + f.hour * 3600 + f.minute * 60 + f.sec;
    return day >= 0 && f.hour >= 0 && f.hour < 24 && f.minute >= 0 && f.minute < 60 && f.sec >= 0 && f.sec < 60;
}

RowParser::Line RowParser::parameter(const char* text, size_t length, Row& row)
{
    return infoInstant(text, length, row.instant) ? Line::Parameter : Line::Other;
}

bool RowParser::localTime(const char* text, size_t length, int64_t& local)
{
    if (stampValid_ && std::memcmp(text, stampText_, sizeof stampText_) == 0) {
        local = stampLocal_;
        return stampReadable_;
    }
    std::memcpy(stampText_, text, sizeof stampText_);
    stampValid_ = true;
    const LogTimeStamp::Fields f = LogTimeStamp::read(text, length);
    // A file holds one date for a day of lines.
    if (f.first != dateFields_[0] || f.second != dateFields_[1] || f.year != dateFields_[2]) {
        dateFields_[0] = f.first;
        dateFields_[1] = f.second;
        dateFields_[2] = f.year;
        dateDay_ = LogTimeStamp::dayNumberOf(f, swapDate_);
    }
    stampReadable_ = dateDay_ >= 0 && f.hour >= 0 && f.hour < 24 && f.minute >= 0 && f.minute < 60 && f.sec >= 0
        && f.sec < 60;
    stampLocal_ = (dateDay_ - DaysFrom1899To1970) * 86400 + f.hour * 3600 + f.minute * 60 + f.sec;
    local = stampLocal_;
    return stampReadable_;
}

LogfileClock::Stamp RowParser::place(int64_t local)
{
    if (local == placedLocal_) {
        setBacks_ += placedSetBack_ ? 1 : 0;
        return placed_; // the same second again: it is the latest instant
    }
    LogfileClock::Stamp found[2];
    const int count = stampsOf(local, found);
    int chosen = 0;
    while (chosen < count && found[chosen].instant < latest_)
        ++chosen;
    placedSetBack_ = chosen == count;
    if (placedSetBack_) {
        ++setBacks_;
        placed_ = {latest_, latestOffset_};
    } else {
        placed_ = found[chosen];
    }
    placedLocal_ = local;
    latest_ = placed_.instant;
    latestOffset_ = placed_.offset;
    return placed_;
}
