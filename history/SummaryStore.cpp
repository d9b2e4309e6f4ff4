#include "history/SummaryStore.h"

#include "history/LogfileClock.h"
#include "history/SqliteStatement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace {

// The layout's number: a store of another one is made anew.
constexpr const char* Layout = "3";
constexpr int BusyMilliseconds = 10000;

const char* const Schema = R"(
CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS files(
  id INTEGER PRIMARY KEY, installation TEXT NOT NULL, name TEXT NOT NULL,
  size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL, read_offset INTEGER NOT NULL, checksum INTEGER NOT NULL,
  latest INTEGER NOT NULL, latest_offset INTEGER NOT NULL, first_instant INTEGER NOT NULL,
  end_instant INTEGER NOT NULL, records INTEGER NOT NULL, damaged INTEGER NOT NULL, set_backs INTEGER NOT NULL,
  parameter BLOB NOT NULL, parameter_instant INTEGER NOT NULL, parameter_high BLOB NOT NULL,
  UNIQUE(installation, name));
CREATE TABLE IF NOT EXISTS summaries(
  file_id INTEGER NOT NULL, tier INTEGER NOT NULL, first_start INTEGER NOT NULL, last_start INTEGER NOT NULL,
  data BLOB NOT NULL, PRIMARY KEY(file_id, tier));
CREATE TABLE IF NOT EXISTS offsets(file_id INTEGER PRIMARY KEY, data BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS events(file_id INTEGER PRIMARY KEY, data BLOB NOT NULL);
)";

bool isMemory(const QString& path)
{
    return path.startsWith(QLatin1String("file:")) && path.contains(QLatin1String("mode=memory"));
}

} // namespace

QString SummaryStore::defaultPath(const QString& logDir)
{
    const QString absolute = QDir(logDir).absolutePath();
    const QFileInfo folder(absolute);
    if (folder.isDir() && folder.isWritable())
        return absolute + QStringLiteral("/VELTRA-history.sqlite");
    const QByteArray hash = QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/veltra-logger/history-") + QString::fromLatin1(hash) + QStringLiteral(".sqlite");
}

QString SummaryStore::inMemoryPath(const QString& name)
{
    const QByteArray safe = name.toUtf8().toPercentEncoding();
    return QStringLiteral("file:veltra-history-") + QString::fromLatin1(safe)
        + QStringLiteral("?mode=memory&cache=shared");
}

SummaryStore::SummaryStore(const QString& path, const QString& logDir, bool swapDate) : path_(path)
{
    // A file that is no database (or a damaged one) goes, and the store is made anew.
    if (!open(logDir, swapDate) && corrupt_ && !isMemory(path_)) {
        remove(path_);
        open(logDir, swapDate);
    }
}

void SummaryStore::remove(const QString& path)
{
    if (isMemory(path))
        return;
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

SummaryStore::~SummaryStore()
{
    sqlite3_close_v2(db_);
}

bool SummaryStore::fail(const QString& what)
{
    QString reason = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
    const int code = db_ ? sqlite3_extended_errcode(db_) & 0xFF : SQLITE_NOMEM;
    corrupt_ = corrupt_ || code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
    const int system = db_ ? sqlite3_system_errno(db_) : 0;
    if (system != 0)
        reason += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(system)) + QLatin1Char(')');
    error_ = QStringLiteral("The summary store %1 cannot be used (%2): %3").arg(path_, what, reason);
    return false;
}

bool SummaryStore::execute(const char* sql)
{
    char* message = nullptr;
    const int result = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    return result == SQLITE_OK || fail(QStringLiteral("setting up"));
}

bool SummaryStore::openFile()
{
    sqlite3_close_v2(db_);
    db_ = nullptr;
    error_.clear();
    corrupt_ = false;
    // The cache folder is made when missing; a log folder never is (the
    // logger tells a missing log folder, and must still find it missing).
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!isMemory(path_) && !cache.isEmpty() && QFileInfo(path_).absolutePath().startsWith(cache))
        QDir().mkpath(QFileInfo(path_).absolutePath());
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    const int result = sqlite3_open_v2(path_.toUtf8().constData(), &db, flags, nullptr);
    db_ = db;
    if (result != SQLITE_OK)
        return fail(QStringLiteral("opening"));
    sqlite3_busy_timeout(db_, BusyMilliseconds);
    sqlite3_extended_result_codes(db_, 1);
    if (!isMemory(path_) && !execute("PRAGMA journal_mode=WAL"))
        return false;
    return execute("PRAGMA synchronous=NORMAL");
}

bool SummaryStore::open(const QString& logDir, bool swapDate)
{
    if (!openFile())
        return false;
    const QStringList wanted{QLatin1String(Layout), QString::fromUtf8(LogfileClock().rulesFingerprint()),
                             QDir(logDir).absolutePath(), swapDate ? QStringLiteral("1") : QStringLiteral("0")};
    if (matchesMeta(wanted) || remake(wanted))
        return true;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return false;
}

// Whether the store was made for this layout, zone, folder and date order.
bool SummaryStore::matchesMeta(const QStringList& wanted)
{
    SqliteStatement s(db_, "SELECT value FROM meta WHERE key IN ('layout', 'zone', 'folder', 'swapdate') ORDER BY "
                           "CASE key WHEN 'layout' THEN 0 WHEN 'zone' THEN 1 WHEN 'folder' THEN 2 ELSE 3 END");
    if (!s.prepared()) {
        fail(QStringLiteral("reading"));
        return false;
    }
    QStringList found;
    int result = SQLITE_ROW;
    while ((result = s.step()) == SQLITE_ROW)
        found << s.text(0);
    if (result != SQLITE_DONE)
        fail(QStringLiteral("reading"));
    return result == SQLITE_DONE && found == wanted;
}

// Empties the store for what it is wanted for now, in one transaction.
bool SummaryStore::remake(const QStringList& wanted)
{
    if (corrupt_)
        return false;
    error_.clear();
    return transaction([&] {
        if (matchesMeta(wanted))
            return true; // another program made it meanwhile
        if (!execute("DROP TABLE IF EXISTS summaries; DROP TABLE IF EXISTS offsets; DROP TABLE IF EXISTS events; "
                      "DROP TABLE IF EXISTS files; DROP TABLE IF EXISTS meta;")
            || !execute(Schema))
            return false;
        SqliteStatement s(db_, "INSERT INTO meta(key, value) VALUES (?1, ?2)");
        const char* keys[] = {"layout", "zone", "folder", "swapdate"};
        for (int i = 0; i < 4; ++i) {
            s.bind(1, QLatin1String(keys[i])).bind(2, wanted[i]);
            if (s.step() != SQLITE_DONE)
                return fail(QStringLiteral("setting up"));
            s.reset();
        }
        return true;
    });
}

bool SummaryStore::transaction(const std::function<bool()>& body)
{
    if (!db_) {
        error_ = error_.isEmpty() ? QStringLiteral("The summary store %1 is not open").arg(path_) : error_;
        return false;
    }
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(QStringLiteral("writing"));
    if (!body()) {
        const QString why = error_;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        error_ = why;
        return false;
    }
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("writing"));
        const QString why = error_;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        error_ = why;
        return false;
    }
    error_.clear();
    return true;
}
