#pragma once
// The data logfiles in a log folder: yyyymmddVL_<installation>.vlg, and
// former .log files named the same way.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct LogfileInfo {
    QString path; // absolute
    QString name; // in the folder
    QDate day;    // from the name
    int64_t size = 0;
    int64_t mtimeNs = 0; // modification time, nanoseconds since 1970

    // Size and modification time as they are now; false when the file is gone.
    bool refresh();
};

class LogfileCatalog {
public:
    explicit LogfileCatalog(const QString& logDir);

    // False when the folder cannot be listed; error() says why.
    bool readable() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    QString logDir() const { return logDir_; }

    // The installations that have logfiles here, as their names stand in the
    // file names, sorted.
    QStringList installations() const;
    // The logfiles of an installation whose day lies in [from, to] (an
    // invalid date leaves that end open), by day, .log before .vlg. The name
    // is taken as the logger puts it into file names, so it never leads
    // outside the folder.
    QList<LogfileInfo> files(const QString& installation, const QDate& from = {}, const QDate& to = {}) const;

    // The installation's part of logfile names: what the store keys it by.
    static QString installationKey(const QString& installation);

private:
    struct Entry {
        QString name;
        QString installation;
        QDate day;
    };
    QList<Entry> entries_;
    QString logDir_;
    QString error_;
};
