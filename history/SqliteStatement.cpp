#include "history/SqliteStatement.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql)
{
    prepareResult_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
    if (prepareResult_ != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int position, int64_t value)
{
    sqlite3_bind_int64(statement_, position, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int position, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement_, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int position, const QByteArray& bytes)
{
    sqlite3_bind_blob(statement_, position, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

int SqliteStatement::step()
{
    return statement_ ? sqlite3_step(statement_) : prepareResult_;
}

void SqliteStatement::reset()
{
    sqlite3_reset(statement_);
}

int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

QString SqliteStatement::text(int column) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(p, sqlite3_column_bytes(statement_, column));
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto* p = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return QByteArray(p, sqlite3_column_bytes(statement_, column));
}
