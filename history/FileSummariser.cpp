#include "history/FileSummariser.h"

#include "core/LineSplitter.h"
#include "core/Record.h"
#include "history/BucketCodec.h"
#include "history/EventCollector.h"
#include "history/MinuteBuckets.h"
#include "history/OffsetIndex.h"
#include "history/WholeLines.h"

#include <QFile>
#include <algorithm>
#include <vector>

namespace {

// One reading of one file, from the start or from an earlier reading's end.
struct Reading {
    Reading(LogfileClock& clock, bool swapDate, const QDate& day, const InfoLineTexts& texts)
        : parser(clock, swapDate, day), events(texts)
    {
    }

    RowParser parser;
    EventCollector events;
    MinuteBuckets buckets;
    OffsetIndex index;
    PrefixChecksum checksum;
    int64_t from = 0;
    int64_t records = 0;
    int64_t damaged = 0;
    int64_t setBacksBefore = 0;
    int64_t firstInstant = 0;
    bool hasRows = false;
    QByteArray parameter;
    int64_t parameterInstant = 0;
    QByteArray parameterWithHighLevels;
};

// No parameter field lies beyond this: a longer line is damaged, and what
// the store keeps of one stays small.
constexpr size_t ParameterBytes = 128;

void noteParameter(Reading& r, const char* line, size_t length, int64_t instant)
{
    if (length > 0 && line[length - 1] == '\r')
        --length;
    const QByteArrayView record(line + 21, qsizetype(std::min(length - 21, ParameterBytes)));
    Record::Parameter parsed;
    if (!Record::parseParameter(record, Record::Logfile, parsed))
        return;
    r.parameter = record.toByteArray();
    r.parameterInstant = instant;
    if (parsed.hasHighLevels)
        r.parameterWithHighLevels = r.parameter;
}

// The checksum of the file's first `length` bytes, read in blocks.
bool checksumOf(QFile& file, int64_t length, PrefixChecksum& checksum, const FileSummariser::Progress& progress,
                bool& stopped, std::vector<char>& block)
{
    block.resize(std::max(block.size(), WholeLines::DefaultBlockBytes));
    if (!file.seek(0))
        return false;
    for (int64_t done = 0; done < length;) {
        const qint64 got = file.read(block.data(), std::min<int64_t>(int64_t(block.size()), length - done));
        if (got <= 0)
            return false;
        checksum.add(block.data(), size_t(got));
        done += got;
        if (!progress(got)) {
            stopped = true;
            return false;
        }
    }
    return true;
}

// Takes up the earlier reading when the file still begins with the bytes it
// read; false leaves the reading at the file's start.
bool goOn(const FileSummariser::Job& job, QFile& file, Reading& r, const FileSummariser::Progress& progress,
          bool& stopped, std::vector<char>& buffer)
{
    const FileState& e = *job.earlier;
    std::vector<Bucket> minutes;
    FileEvents events;
    if (e.readOffset > job.file.size || !BucketCodec::decode(job.earlierMinutes, minutes)
        || !FileEventsCodec::decode(job.earlierEvents, events) || !r.index.decode(job.earlierIndex)) {
        r.index = OffsetIndex();
        return false;
    }
    if (!checksumOf(file, e.readOffset, r.checksum, progress, stopped, buffer) || r.checksum.digest() != e.checksum) {
        r.checksum = PrefixChecksum();
        r.index = OffsetIndex();
        return false;
    }
    r.buckets = MinuteBuckets(std::move(minutes));
    r.events.restart(std::move(events));
    r.parser.restart(e.latest, e.latestOffset);
    r.from = e.readOffset;
    r.records = e.records;
    r.damaged = e.damagedLines;
    r.setBacksBefore = e.setBacks;
    r.firstInstant = e.firstInstant;
    r.hasRows = e.records > 0;
    r.parameter = e.parameterRecord;
    r.parameterInstant = e.parameterInstant;
    r.parameterWithHighLevels = e.parameterRecordWithHighLevels;
    return true;
}

// The whole lines from r.from to the size the job saw; the end reached.
int64_t readLines(QFile& file, int64_t size, Reading& r, const FileSummariser::Progress& progress, bool& stopped,
                  QString& error, std::vector<char>& buffer)
{
    WholeLines lines(file, r.from, size, &r.checksum, &buffer);
    QByteArrayView run;
    int64_t offset = 0;
    Row row;
    while (lines.next(run, offset)) {
        const char* base = run.data();
        LineSplitter::split(base, base + run.size(), [&](const char* start, const char* newline) {
            const int64_t latest = r.parser.latest();
            const RowParser::Line kind = r.parser.read(start, size_t(newline - start), row);
            if (kind == RowParser::Line::Record) {
                r.index.note(LogfileClock::floorDiv(row.instant, 60), offset + (start - base), latest);
                r.buckets.add(row);
                if (!r.hasRows)
                    r.firstInstant = row.instant;
                r.hasRows = true;
                ++r.records;
            } else if (kind == RowParser::Line::Parameter) {
                noteParameter(r, start, size_t(newline - start), row.instant);
            } else if (kind == RowParser::Line::Damaged) {
                ++r.damaged;
            } else if (kind == RowParser::Line::Info) {
                r.events.info(r.parser, start, size_t(newline - start));
            }
            return true;
        });
        if (!progress(run.size())) {
            stopped = true;
            break;
        }
    }
    error = lines.error();
    r.damaged += lines.overlongLines();
    return lines.end();
}

} // namespace

FileSummariser::Outcome FileSummariser::run(const Job& job, const Progress& progress)
{
    Outcome outcome;
    QFile file(job.file.path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        outcome.error = file.errorString();
        return outcome;
    }
    Reading r(clock_, swapDate_, job.file.day, texts_);
    outcome.extended = job.earlier && goOn(job, file, r, progress, outcome.stopped, buffer_);
    if (outcome.stopped)
        return outcome;
    const int64_t end = readLines(file, job.file.size, r, progress, outcome.stopped, outcome.error, buffer_);
    if (outcome.stopped || !outcome.error.isEmpty())
        return outcome;

    FileState& s = outcome.summary.state;
    s.installation = job.installation;
    s.name = job.file.name;
    s.size = job.file.size;
    s.mtimeNs = job.file.mtimeNs;
    s.readOffset = end;
    s.checksum = r.checksum.digest();
    s.latest = r.parser.latest();
    s.latestOffset = r.parser.latestOffset();
    s.firstInstant = r.hasRows ? r.firstInstant : 0;
    s.endInstant = r.hasRows ? s.latest + 1 : s.firstInstant;
    s.records = r.records;
    s.damagedLines = r.damaged;
    s.setBacks = r.setBacksBefore + r.parser.setBacks();
    s.parameterRecord = r.parameter;
    s.parameterInstant = r.parameterInstant;
    s.parameterRecordWithHighLevels = r.parameterWithHighLevels;
    for (const Tier t : Tiers::all) {
        const std::vector<Bucket> buckets = r.buckets.tier(t, clock_);
        const int i = int(t);
        outcome.summary.tiers[i] = BucketCodec::encode(buckets);
        outcome.summary.firstStart[i] = buckets.empty() ? INT64_MAX : buckets.front().start;
        outcome.summary.lastStart[i] = buckets.empty() ? INT64_MIN : buckets.back().start;
    }
    outcome.summary.index = r.index.encode();
    outcome.summary.events = FileEventsCodec::encode(r.events.events());
    return outcome;
}
