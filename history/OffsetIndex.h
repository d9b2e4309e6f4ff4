#pragma once
// Where each minute of a logfile begins: for every UTC minute with sensor
// records, the byte offset of its first record line and the latest instant
// before that line. The instants of a file never go back (see RowParser), so
// the entries are in file order and the rows of a time range lie between
// two entries; the latest instant is what a reading that starts there needs
// to stamp the rows as a reading from the file's start does.
#include <QByteArray>
#include <cstdint>
#include <vector>

struct OffsetIndex {
    std::vector<int64_t> minutes;      // UTC minutes since 1970 (instant / 60, rounded down)
    std::vector<int64_t> offsets;      // of the minute's first record line
    std::vector<int64_t> latestBefore; // RowParser::NothingSeen at the file's start

    size_t size() const { return minutes.size(); }
    // Notes a record row of `minute` at `offset`; only the first of a minute counts.
    void note(int64_t minute, int64_t offset, int64_t latest)
    {
        if (!minutes.empty() && minutes.back() == minute)
            return;
        minutes.push_back(minute);
        offsets.push_back(offset);
        latestBefore.push_back(latest);
    }
    // The first entry whose minute is not before `minute`; size() when none.
    size_t firstFrom(int64_t minute) const;

    QByteArray encode() const;
    // False for bytes that are not an encoded index (the index is then empty).
    bool decode(const QByteArray& stored);
};
