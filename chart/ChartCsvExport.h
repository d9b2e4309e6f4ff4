#pragma once
#include "chart/StripChartSettings.h"
#include "chart/StripChartStore.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <cstdint>
#include <vector>

// The chart's rows in an x range as a CSV table, written in steps.
//
// Columns: "Time" (local, yyyy-MM-ddTHH:mm:ss.zzz), then one per shown
// channel, headed with its name and unit; each value with the channel's
// decimals and '.' as the decimal point, an empty cell where the channel
// has no point. Rows without any shown value are left out. Fields holding a
// comma, a quote or a line break are quoted (RFC 4180); lines end in CR LF.
//
// The rows taken are those in the range when the export is made; rows that
// arrive later are not. Between steps the store may drop its oldest rows:
// each step goes on by global row number (StripChartStore::firstRowNumber()),
// so no row is written twice, and rows dropped before their turn are counted
// in rowsLost(). The file is written through a temporary file beside it and
// appears only on commit(); until then a file of that name stays as it was.
class ChartCsvExport {
public:
    // The store must outlive the export; the channels' names, visibility and
    // decimals are taken now.
    ChartCsvExport(const StripChartStore& store, const std::vector<StripChartChannel>& channels, double fromX,
                   double toX);

    // Opens the temporary file and writes the header; false when it cannot
    // (errorString() tells why).
    bool open(const QString& path);
    // Writes up to `rows` more chart rows; false once every row is written or
    // the export failed.
    bool writeRows(int64_t rows);
    bool failed() const { return failed_; }
    // Puts the finished file in place; false (with errorString()) when the
    // export failed or the file could not be completed.
    bool commit();
    // Drops the temporary file.
    void cancel();
    QString errorString() const { return error_; }

    int percent() const;
    int64_t rowsWritten() const { return written_; }
    int64_t rowsLost() const { return lost_; }

    // One field as RFC 4180 wants it: quoted, its quotes doubled, when it
    // holds a comma, a quote or a line break.
    static QByteArray field(const QString& text);
    // A text typed by a person as a field: one that a spreadsheet would read
    // as a formula gets a leading "'" and stays text.
    static QByteArray textField(QString text);
    // UTF-8's byte-order mark, which tells a spreadsheet opening the file by
    // a double-click that "°C" is UTF-8.
    static constexpr const char* ByteOrderMark = "\xEF\xBB\xBF";
    // The table begins with the mark (before open()).
    void setByteOrderMark(bool on) { byteOrderMark_ = on; }

private:
    struct Column {
        int channel;
        int decimals;
    };

    // The "Time" field of a row's x: the text chartDateTimeFromDays gives,
    // with the date, and whether the day keeps one offset from UTC, looked
    // up once a day rather than once a row.
    struct Day {
        double whole = -1.0e300;
        QByteArray date;
        bool even = false;
    };

    QByteArray headerLine(const std::vector<StripChartChannel>& channels);
    void appendTime(double x, QByteArray& out) const;
    bool rowLine(int64_t row, QByteArray& out) const;
    bool writeAll(const QByteArray& bytes);
    bool storeWasCleared() const;
    void fail(const QString& reason);

    const StripChartStore& store_;
    QByteArray header_;
    bool byteOrderMark_ = false;
    std::vector<Column> columns_;
    int64_t begin_ = 0; // global row numbers of the rows to write, [begin_, end_)
    int64_t end_ = 0;
    int64_t next_ = 0;
    int64_t firstSeen_ = 0; // the store's firstRowNumber() at the last step
    int64_t written_ = 0;
    int64_t lost_ = 0;
    QSaveFile file_;
    mutable Day day_;
    bool failed_ = false;
    QString error_;
};
