// The files, summaries, offsets and events of a SummaryStore: read, written,
// dropped.
#include "history/SummaryStore.h"

#include "history/BucketCodec.h"
#include "history/SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// Some 50 MB of address space at most.
constexpr int64_t MostBucketsReserved = 65536;

const char* const SelectFiles = "SELECT installation, name, size, mtime_ns, read_offset, checksum, latest, "
                                "latest_offset, first_instant, end_instant, records, damaged, set_backs, parameter, "
                                "parameter_instant, parameter_high FROM files ";

FileState fileFrom(const SqliteStatement& s)
{
    FileState f;
    f.installation = s.text(0);
    f.name = s.text(1);
    f.size = s.integer(2);
    f.mtimeNs = s.integer(3);
    f.readOffset = s.integer(4);
    f.checksum = uint64_t(s.integer(5));
    f.latest = s.integer(6);
    f.latestOffset = int32_t(s.integer(7));
    f.firstInstant = s.integer(8);
    f.endInstant = s.integer(9);
    f.records = s.integer(10);
    f.damagedLines = s.integer(11);
    f.setBacks = s.integer(12);
    f.parameterRecord = s.blob(13);
    f.parameterInstant = s.integer(14);
    f.parameterRecordWithHighLevels = s.blob(15);
    return f;
}

void bindFile(SqliteStatement& s, const FileState& f)
{
    s.bind(1, f.installation).bind(2, f.name).bind(3, f.size).bind(4, f.mtimeNs).bind(5, f.readOffset);
    s.bind(6, int64_t(f.checksum)).bind(7, f.latest).bind(8, int64_t(f.latestOffset)).bind(9, f.firstInstant);
    s.bind(10, f.endInstant).bind(11, f.records).bind(12, f.damagedLines).bind(13, f.setBacks);
    s.bindBlob(14, f.parameterRecord).bind(15, f.parameterInstant).bindBlob(16, f.parameterRecordWithHighLevels);
}

} // namespace

std::vector<FileState> SummaryStore::files(const QString& installation)
{
    std::vector<FileState> out;
    if (!db_)
        return out;
    error_.clear();
    SqliteStatement s(
        db_, (QByteArray(SelectFiles) + "WHERE installation = ?1 ORDER BY first_instant, name").constData());
    s.bind(1, installation);
    int result = SQLITE_ROW;
    while ((result = s.step()) == SQLITE_ROW)
        out.push_back(fileFrom(s));
    if (result != SQLITE_DONE)
        fail(QStringLiteral("reading"));
    return out;
}

std::optional<FileState> SummaryStore::file(const QString& installation, const QString& name)
{
    if (!db_)
        return std::nullopt;
    error_.clear();
    SqliteStatement s(db_, (QByteArray(SelectFiles) + "WHERE installation = ?1 AND name = ?2").constData());
    s.bind(1, installation).bind(2, name);
    const int result = s.step();
    if (result == SQLITE_ROW)
        return fileFrom(s);
    if (result != SQLITE_DONE)
        fail(QStringLiteral("reading"));
    return std::nullopt;
}

bool SummaryStore::minutesAndIndex(const QString& installation, const QString& name, QByteArray& minutes,
                                   QByteArray& index, QByteArray& events)
{
    if (!db_)
        return false;
    error_.clear();
    SqliteStatement s(db_,
        "SELECT s.data, o.data, e.data FROM files f JOIN summaries s ON s.file_id = f.id "
        "JOIN offsets o ON o.file_id = f.id JOIN events e ON e.file_id = f.id "
        "WHERE f.installation = ?1 AND f.name = ?2 AND s.tier = ?3");
    s.bind(1, installation).bind(2, name).bind(3, int64_t(Tier::Minute));
    const int result = s.step();
    if (result == SQLITE_ROW) {
        minutes = s.blob(0);
        index = s.blob(1);
        events = s.blob(2);
        return true;
    }
    if (result != SQLITE_DONE)
        fail(QStringLiteral("reading"));
    return false;
}

std::vector<SummaryStore::StoredEvents> SummaryStore::events(const QString& installation)
{
    std::vector<StoredEvents> out;
    if (!db_)
        return out;
    error_.clear();
    SqliteStatement s(db_, "SELECT f.installation, f.name, f.size, f.mtime_ns, f.read_offset, f.checksum, f.latest, "
                           "f.latest_offset, f.first_instant, f.end_instant, f.records, f.damaged, f.set_backs, "
                           "e.data FROM files f JOIN events e ON e.file_id = f.id WHERE f.installation = ?1 "
                           "ORDER BY f.first_instant, f.name");
    s.bind(1, installation);
    int result = SQLITE_ROW;
    while ((result = s.step()) == SQLITE_ROW)
        out.push_back({fileFrom(s), s.blob(13)});
    if (result != SQLITE_DONE)
        fail(QStringLiteral("reading"));
    return out;
}

QByteArray SummaryStore::index(const QString& installation, const QString& name)
{
    if (!db_)
        return {};
    error_.clear();
    SqliteStatement s(db_, "SELECT o.data FROM files f JOIN offsets o ON o.file_id = f.id "
                           "WHERE f.installation = ?1 AND f.name = ?2");
    s.bind(1, installation).bind(2, name);
    return s.step() == SQLITE_ROW ? s.blob(0) : QByteArray();
}

bool SummaryStore::write(const FileSummary& summary)
{
    return transaction([&] {
        SqliteStatement upsert(db_, "INSERT INTO files(installation, name, size, mtime_ns, read_offset, checksum, "
                                    "latest, latest_offset, first_instant, end_instant, records, damaged, set_backs, "
                                    "parameter, parameter_instant, parameter_high) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16) "
                                    "ON CONFLICT(installation, name) DO UPDATE SET size = ?3, mtime_ns = ?4, "
                                    "read_offset = ?5, checksum = ?6, latest = ?7, latest_offset = ?8, "
                                    "first_instant = ?9, end_instant = ?10, records = ?11, damaged = ?12, "
                                    "set_backs = ?13, parameter = ?14, parameter_instant = ?15, "
                                    "parameter_high = ?16 RETURNING id");
        bindFile(upsert, summary.state);
        if (upsert.step() != SQLITE_ROW)
            return fail(QStringLiteral("writing"));
        const int64_t id = upsert.integer(0);
        upsert.step();
        SqliteStatement tier(db_, "INSERT OR REPLACE INTO summaries(file_id, tier, first_start, last_start, data) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5)");
        for (const Tier t : Tiers::all) {
            const int i = int(t);
            tier.bind(1, id).bind(2, int64_t(i)).bind(3, summary.firstStart[i]).bind(4, summary.lastStart[i]);
            tier.bindBlob(5, summary.tiers[i]);
            if (tier.step() != SQLITE_DONE)
                return fail(QStringLiteral("writing"));
            tier.reset();
        }
        SqliteStatement offsets(db_, "INSERT OR REPLACE INTO offsets(file_id, data) VALUES (?1, ?2)");
        offsets.bind(1, id).bindBlob(2, summary.index);
        if (offsets.step() != SQLITE_DONE)
            return fail(QStringLiteral("writing"));
        SqliteStatement events(db_, "INSERT OR REPLACE INTO events(file_id, data) VALUES (?1, ?2)");
        events.bind(1, id).bindBlob(2, summary.events);
        return events.step() == SQLITE_DONE || fail(QStringLiteral("writing"));
    });
}

bool SummaryStore::drop(const QString& installation, const QString& name)
{
    return transaction([&] {
        SqliteStatement s(db_, "SELECT id FROM files WHERE installation = ?1 AND name = ?2");
        s.bind(1, installation).bind(2, name);
        if (s.step() != SQLITE_ROW)
            return true;
        const int64_t id = s.integer(0);
        for (const char* sql : {"DELETE FROM summaries WHERE file_id = ?1", "DELETE FROM offsets WHERE file_id = ?1",
                                "DELETE FROM events WHERE file_id = ?1", "DELETE FROM files WHERE id = ?1"}) {
            SqliteStatement d(db_, sql);
            d.bind(1, id);
            if (d.step() != SQLITE_DONE)
                return fail(QStringLiteral("writing"));
        }
        return true;
    });
}

bool SummaryStore::buckets(const QString& installation, Tier tier, int64_t from, int64_t to, std::vector<Bucket>& out)
{
    out.clear();
    if (!db_)
        return false;
    error_.clear();
    SqliteStatement s(db_,
        "SELECT s.data FROM summaries s JOIN files f ON f.id = s.file_id WHERE f.installation = ?1 "
        "AND s.tier = ?2 AND s.last_start >= ?3 AND s.first_start < ?4 ORDER BY f.first_instant, f.name");
    s.bind(1, installation).bind(2, int64_t(tier)).bind(3, from).bind(4, to);
    std::vector<Bucket> decoded;
    // A bucket is some 750 bytes: growing a year of hours step by step cost
    // more than reading them. Pages reserved beyond what gaps leave unused
    // are never touched.
    if (const int64_t length = Tiers::seconds(tier); length > 0 && to > from)
        out.reserve(size_t(std::min<int64_t>((to - from) / length + 2, MostBucketsReserved)));
    int result = SQLITE_ROW;
    while ((result = s.step()) == SQLITE_ROW) {
        if (!BucketCodec::decode(s.blob(0), decoded)) {
            corrupt_ = true;
            error_ = QStringLiteral("The summary store %1 holds damaged summaries").arg(path_);
            return false;
        }
        for (const Bucket& b : decoded)
            if (b.start >= from && b.start < to)
                out.push_back(b);
    }
    if (result != SQLITE_DONE)
        return fail(QStringLiteral("reading"));
    // Files come in order of their beginnings, and stable sorting keeps it
    // among buckets of one start.
    const auto earlier = [](const Bucket& a, const Bucket& b) { return a.start < b.start; };
    if (!std::is_sorted(out.begin(), out.end(), earlier))
        std::stable_sort(out.begin(), out.end(), earlier);
    size_t kept = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (kept > 0 && out[kept - 1].start == out[i].start) {
            for (int k = 0; k < Series::kCount; ++k)
                out[kept - 1].series[k].addLater(out[i].series[k]);
        } else {
            out[kept++] = out[i];
        }
    }
    out.resize(kept);
    return true;
}
