#pragma once
// Logfiles written for the history's tests, the real veltra-history run on
// them, and the figures worked out from the files the plain way (QDateTime
// for local times, hex read by hand): what the tool prints must match.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <functional>
#include <vector>

namespace HistoryTest {

// "#MM-DD-YYYY HH:MM:SS " of a local time; day first with swapDate.
QByteArray stamp(const QDateTime& local, bool swapDate = false);
// A full sensor record (37 characters) with these values.
QByteArray record(int sensor, const int (&values)[5]);
// The five values of a sensor at an instant: made up, negatives included.
void valuesAt(qint64 instant, int sensor, int (&values)[5]);

// A day's logfile as the logger writes it: header, then every `every`
// seconds one record per sensor of `sensors`, stamped in the zone.
QByteArray day(const QDate& date, const QTimeZone& zone, int every, int sensors = 6, bool swapDate = false);
QString fileName(const QDate& date, const QString& installation = QStringLiteral("Main_Engine"));
bool writeFile(const QString& path, const QByteArray& bytes);
bool appendFile(const QString& path, const QByteArray& bytes);

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
QString toolPath();
// veltra-history with these arguments, in the zone, other environment added.
ToolRun tool(const QStringList& arguments, const QString& zone,
         const QProcessEnvironment& extra = QProcessEnvironment());
// The export arguments of a folder and days.
QStringList exportArguments(const QString& logDir, const QDate& from, const QDate& to, const QString& every,
                            const QString& cache);

// The figures of the files worked out straight from their lines.
class Reference {
public:
    Reference(const QTimeZone& zone, bool swapDate = false) : zone_(zone), swapDate_(swapDate) {}
    // Files in day order, each read in its own order.
    void addFile(const QString& path);
    // The expected CSV rows (no header) of one tier over local days [from, to].
    QStringList rows(const QString& every, const QDate& from, const QDate& to) const;
    // Empty when the tool's CSV holds exactly the expected rows (means to
    // within their last decimal); else the first difference.
    QString compare(const QByteArray& csv, const QString& every, const QDate& from, const QDate& to) const;

    struct Row {
        qint64 instant;
        int sensor;
        int values[5];
    };
    const std::vector<Row>& records() const { return records_; }

private:
    QTimeZone zone_;
    bool swapDate_;
    std::vector<Row> records_;
};

} // namespace HistoryTest
