#pragma once
// A prepared SQLite statement that finalises itself. Values are bound by
// position (1-based) and read by column (0-based).
#include <QByteArray>
#include <QString>
#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool prepared() const { return statement_ != nullptr; }
    SqliteStatement& bind(int position, int64_t value);
    SqliteStatement& bind(int position, const QString& text);
    SqliteStatement& bindBlob(int position, const QByteArray& bytes);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Ready to run again, bindings kept.
    void reset();

    int64_t integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
    int prepareResult_ = 0;
};
