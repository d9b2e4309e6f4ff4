#pragma once
// What the history keeps of one logfile: how far it was read and what it
// held, the buckets of every tier, the offsets of its minutes and its
// events.
#include "history/RowParser.h"
#include "history/Tier.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

struct FileState {
    QString installation; // as in the file's name
    QString name;         // the file's name in the log folder
    int64_t size = 0;     // size and modification time when it was read
    int64_t mtimeNs = 0;
    int64_t readOffset = 0; // its whole lines before this were read
    uint64_t checksum = 0;  // PrefixChecksum of the bytes before readOffset
    int64_t latest = RowParser::NothingSeen; // instant of the last row, and its offset
    int32_t latestOffset = 0;
    int64_t firstInstant = 0; // of its first row
    int64_t endInstant = 0;   // one second after its last row; equal to firstInstant without rows
    int64_t records = 0;
    int64_t damagedLines = 0;
    int64_t setBacks = 0; // rows stamped at the latest instant (a clock set back)
    // The file's last readable parameter record (from its ":", as logged)
    // and the instant of its time stamp; empty when it holds none. A record
    // without the high levels keeps those of the one before, so the last
    // record that carries them is kept too (empty when none did).
    QByteArray parameterRecord;
    int64_t parameterInstant = 0;
    QByteArray parameterRecordWithHighLevels;
};

struct FileSummary {
    FileState state;
    QByteArray tiers[Tiers::kCount]; // BucketCodec, by Tier
    int64_t firstStart[Tiers::kCount] = {}; // of the tier's first and last bucket
    int64_t lastStart[Tiers::kCount] = {};
    QByteArray index; // OffsetIndex
    QByteArray events; // FileEventsCodec
};
