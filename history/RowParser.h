#pragma once
// Turns the lines of one logfile, in file order, into sensor rows stamped
// with instants.
//
// A line is read as playback reads it: a line without ":" at position 22 is
// an info line and carries no values; a record line whose time stamp or
// record cannot be read is skipped (so is a sensor record cut short of its
// five values: its last field would read as a different number).
//
// Instants keep the file's order. Where the local time repeats (the
// fall-back hour), a row takes the earliest of its instants that is not
// before the latest instant of the file so far: the first pass of the hour
// gets the summer offset, the rows after the clock stepped back the winter
// one. A row whose local time lies before the latest instant in any other
// way (a clock set back) is stamped at that latest instant and counted.
//
// A day's logfile holds the lines of its day, and of the days either side
// around midnight. A record dated further away cannot be told apart from a
// damaged one (its file name says one day, its line another), and skipping
// it keeps what one file can cost bounded whatever its lines say.
#include "history/LogfileClock.h"
#include "history/Series.h"

#include <QDate>
#include <cstddef>
#include <cstdint>

struct Row {
    int64_t instant = 0;
    int32_t offset = 0; // of local time at the instant
    int sensor = 0;     // 1..6
    int16_t value[Series::kValues] = {};
};

class RowParser {
public:
    enum class Line {
        Info,    // no record: carries no values
        Record,  // a sensor record: the row is filled
        // A parameter record: only row.instant is set, the instant of its
        // time stamp as a row would get it, but not taken as the latest (a
        // record that passes no row on). The record starts at position 22.
        Parameter,
        Other,   // a readable record of another kind (text), or a parameter
                 // record whose time stamp cannot be read
        Damaged, // skipped
    };
    static constexpr int64_t NothingSeen = INT64_MIN;

    // fileDay: the day in the file's name.
    RowParser(LogfileClock& clock, bool swapDate, const QDate& fileDay);

    // Goes on from a place in a file where the latest instant seen so far
    // was `latest` (NothingSeen at the start of a file).
    void restart(int64_t latest, int32_t latestOffset);
    // One line without its LF; a CR before the LF is allowed.
    Line read(const char* text, size_t length, Row& row);

    // The instant of an information line (no record), placed as a record's
    // would be but without moving the file's latest instant: info lines keep
    // being written while a clock set back holds the records up. False for
    // a time stamp that cannot be read or lies outside the file's days.
    bool infoInstant(const char* text, size_t length, int64_t& instant);
    // The instant of a time named inside a line's text, "MM-DD-YYYY
    // HH:MM:SS" (the date in the file's order), not after `notAfter`: the
    // latest of its instants that is not, else the earliest. False when the
    // text is no such time.
    bool namedInstant(const char* stamp, size_t length, int64_t notAfter, int64_t& instant);

    int64_t latest() const { return latest_; }
    int32_t latestOffset() const { return latestOffset_; }
    // Rows stamped at the latest instant because their time went back.
    int64_t setBacks() const { return setBacks_; }

private:
    bool localTime(const char* text, size_t length, int64_t& local);
    // The instants of a local time: two in the hour that comes twice, one
    // (read as before the jump) in the hour the clock skipped.
    int stampsOf(int64_t local, LogfileClock::Stamp (&found)[2]);
    static bool readLocal(const char* text, size_t length, bool swapDate, int64_t& local);
    LogfileClock::Stamp place(int64_t local);
    Line parameter(const char* text, size_t length, Row& row);

    LogfileClock& clock_;
    bool swapDate_;
    int64_t firstLocal_; // the local seconds a record may lie in
    int64_t endLocal_;
    int64_t latest_ = NothingSeen;
    int32_t latestOffset_ = 0;
    int64_t setBacks_ = 0;
    // The lines of one second share their time stamp.
    char stampText_[20] = {};
    bool stampValid_ = false; // stampText_ holds a stamp read before
    bool stampReadable_ = false;
    int64_t stampLocal_ = 0;
    int16_t dateFields_[3] = {-1, -1, -1};
    int64_t dateDay_ = -1;
    int64_t placedLocal_ = INT64_MIN;
    LogfileClock::Stamp placed_;
    bool placedSetBack_ = false;
};
