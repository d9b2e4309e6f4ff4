#pragma once
// What the history keeps of a logfile's information lines: the events among
// them, in file order. Kept in the summary store beside the buckets, so a
// journal of months reads no logfile.
#include "history/InfoEvent.h"

#include <QByteArray>
#include <vector>

struct FileEvents {
    std::vector<InfoEvent> events;
};

namespace FileEventsCodec {

QByteArray encode(const FileEvents& events);
// False for bytes that are not such an encoding (out is then empty).
bool decode(const QByteArray& stored, FileEvents& out);

} // namespace FileEventsCodec
