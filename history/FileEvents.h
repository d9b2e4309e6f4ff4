#pragma once
// What the history keeps of a logfile's information lines: the events among
// them in file order, and the file's last parameter record (the evaluator's
// identity). Kept in the summary store beside the buckets, so a journal or a
// report of months reads no logfile.
#include "history/InfoEvent.h"

#include <QByteArray>
#include <vector>

struct FileEvents {
    std::vector<InfoEvent> events;
    QByteArray parameters;         // the last parameter record from its ":", as logged; empty: none
    int64_t parametersInstant = 0; // when it was logged
};

namespace FileEventsCodec {

QByteArray encode(const FileEvents& events);
// False for bytes that are not such an encoding (out is then empty).
bool decode(const QByteArray& stored, FileEvents& out);

} // namespace FileEventsCodec
