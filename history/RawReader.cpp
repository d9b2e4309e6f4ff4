#include "history/RawReader.h"

#include "core/LineSplitter.h"
#include "history/LogfileClock.h"
#include "history/OffsetIndex.h"
#include "history/RangeFiles.h"
#include "history/RowParser.h"
#include "history/SummaryStore.h"
#include "history/WholeLines.h"

#include <QFile>
#include <algorithm>
#include <thread>

namespace {

// Pieces of about this size let two threads share even a single file.
constexpr int64_t PieceBytes = int64_t(8) << 20;

// The records of one piece with instants in [from, to).
QString readPiece(const RawReader::Piece& piece, bool swapDate, int64_t from, int64_t to, std::vector<RawRecord>& out)
{
    QFile file(piece.path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return piece.path + QStringLiteral(": ") + file.errorString();
    LogfileClock clock;
    RowParser parser(clock, swapDate, piece.day);
    parser.restart(piece.latest, 0);
    WholeLines lines(file, piece.from, piece.to);
    QByteArrayView run;
    int64_t offset = 0;
    Row row;
    while (lines.next(run, offset)) {
        LineSplitter::split(run.data(), run.data() + run.size(), [&](const char* start, const char* newline) {
            if (parser.read(start, size_t(newline - start), row) == RowParser::Line::Record && row.instant >= from
                && row.instant < to) {
                RawRecord& r = out.emplace_back();
                r.instant = row.instant;
                r.sensor = row.sensor;
                std::copy(row.value, row.value + Series::kValues, r.value);
            }
            return true;
        });
    }
    return lines.error().isEmpty() ? QString() : piece.path + QStringLiteral(": ") + lines.error();
}

} // namespace

RawReader::RawReader(SummaryStore& store, const LogfileCatalog& catalog, bool swapDate)
    : store_(store), catalog_(catalog), swapDate_(swapDate)
{
}

void RawReader::planFile(const QString& key, const LogfileInfo& file, int64_t from, int64_t to,
                         std::vector<Piece>& pieces)
{
    const std::optional<FileState> stored = store_.file(key, file.name);
    OffsetIndex index;
    if (!stored || stored->size != file.size || stored->mtimeNs != file.mtimeNs
        || !index.decode(store_.index(key, file.name))) {
        pieces.push_back(Piece{file.path, file.day, 0, file.size, RowParser::NothingSeen});
        return;
    }
    if (stored->records == 0 || stored->endInstant <= from || stored->firstInstant >= to)
        return;
    const size_t first = index.firstFrom(LogfileClock::floorDiv(from, 60));
    const size_t last = index.firstFrom(LogfileClock::floorDiv(to + 59, 60));
    if (first >= last)
        return;
    const auto offsetOf = [&](size_t i) { return i < index.size() ? index.offsets[i] : stored->readOffset; };
    size_t begin = first;
    for (size_t i = first + 1; i <= last; ++i) {
        if (i == last || offsetOf(i) - offsetOf(begin) >= PieceBytes) {
            pieces.push_back(Piece{file.path, file.day, offsetOf(begin), offsetOf(i), index.latestBefore[begin]});
            begin = i;
        }
    }
}

bool RawReader::read(const QString& installation, int64_t from, int64_t to, std::vector<RawRecord>& out)
{
    out.clear();
    error_.clear();
    const QString key = LogfileCatalog::installationKey(installation);
    std::vector<Piece> pieces;
    for (const LogfileInfo& f : RangeFiles::of(catalog_, store_, installation, from, to))
        planFile(key, f, from, to, pieces);

    // Two runs of pieces of about the same size, one per core, each
    // straight into one vector: fresh memory costs more here than parsing.
    bytesRead_ = 0;
    for (const Piece& p : pieces)
        bytesRead_ += p.to - p.from;
    size_t split = 0;
    int64_t firstHalf = 0, indexed[2] = {0, 0};
    for (; split < pieces.size() && firstHalf * 2 < bytesRead_; ++split)
        firstHalf += pieces[split].to - pieces[split].from;
    for (size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].from > 0 || pieces[i].latest != RowParser::NothingSeen)
            indexed[i < split ? 0 : 1] += pieces[i].to - pieces[i].from;
    // A record line of a whole record is some 60 bytes.
    out.reserve(size_t(indexed[0] / 58 + indexed[1] / 58));
    std::vector<RawRecord> second;
    second.reserve(size_t(indexed[1] / 58));
    QString problems[2];
    const auto run = [&](size_t begin, size_t end, std::vector<RawRecord>& into, QString& problem) {
        for (size_t i = begin; i < end; ++i) {
            const QString trouble = readPiece(pieces[i], swapDate_, from, to, into);
            problem = problem.isEmpty() ? trouble : problem;
        }
    };
    std::thread helper([&] { run(split, pieces.size(), second, problems[1]); });
    run(0, split, out, problems[0]);
    helper.join();
    out.insert(out.end(), second.begin(), second.end());
    error_ = problems[0].isEmpty() ? problems[1] : problems[0];
    return error_.isEmpty();
}
