#pragma once
// The hour export of a set of logfiles worked out straight from the files,
// the plain way (line by line, QDateTime for the local times, hex read by
// hand), to check what the history's store and the command-line tool give.
// Good for files as the simulator writes them: no damaged lines, no clock
// set back, no repeated hour.
#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTimeZone>
#include <cmath>
#include <cstdlib>

namespace HistoryReference {

struct Cell {
    long long count = 0, sum = 0;
    int min = 0, max = 0;
};
// Key: local hour start text, sensor, value.
using Hours = QMap<QString, QMap<int, Cell>>;

inline int hexAt(const QByteArray& line, int pos, int width)
{
    bool ok = false;
    const int v = line.mid(pos, width).toInt(&ok, 16);
    const int half = width == 2 ? 0x80 : 0x8000;
    return v >= half ? v - 2 * half : v;
}

inline QString hourText(qint64 instant)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(instant, QTimeZone::systemTimeZone());
    const int offset = local.offsetFromUtc();
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:00:00")) + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QTime(0, 0).addSecs(std::abs(offset)).toString(QStringLiteral("HH:mm"));
}

// The instant of the hour a line's time stamp lies in, as text.
inline void addFile(const QString& path, Hours& hours)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray lastStamp;
    QString lastHour;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.size() < 42 || line[21] != ':' || line[22] != '0' || line[23] < '0' || line[23] > '5')
            continue;
        if (line.left(20) != lastStamp) {
            lastStamp = line.left(20);
            const QDateTime t(QDate(line.mid(7, 4).toInt(), line.mid(1, 2).toInt(), line.mid(4, 2).toInt()),
                              QTime(line.mid(12, 2).toInt(), line.mid(15, 2).toInt(), line.mid(18, 2).toInt()),
                              QTimeZone::systemTimeZone());
            lastHour = hourText(t.toSecsSinceEpoch());
        }
        const int sensor = line[23] - '0' + 1;
        const int values[5] = {hexAt(line, 24, 2), hexAt(line, 26, 4), hexAt(line, 30, 4), hexAt(line, 34, 4),
                               hexAt(line, 38, 4)};
        for (int v = 0; v < 5; ++v) {
            Cell& c = hours[lastHour][sensor * 10 + v];
            c.min = c.count == 0 ? values[v] : std::min(c.min, values[v]);
            c.max = c.count == 0 ? values[v] : std::max(c.max, values[v]);
            c.sum += values[v];
            ++c.count;
        }
    }
}

inline QString number(int raw, int value)
{
    return value == 0 || value == 3 ? QString::number(raw) : QString::number(raw / 10.0, 'f', 1);
}

// Empty when the CSV holds exactly the hours of the files; else the first difference.
inline QString compare(const QString& logDir, const QByteArray& csv)
{
    Hours hours;
    for (const QString& name : QDir(logDir).entryList({QStringLiteral("*.vlg")}, QDir::Files, QDir::Name))
        addFile(logDir + QLatin1Char('/') + name, hours);
    static const char* const names[5] = {"oil_quality", "oil_temperature", "loss_factor", "tdn", "ambient_temperature"};
    QStringList rows = QString::fromUtf8(csv).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    if (rows.isEmpty() || rows.takeFirst() != QLatin1String("start,sensor,value,count,min,mean,max"))
        return QStringLiteral("no header");
    int row = 0;
    for (auto h = hours.cbegin(); h != hours.cend(); ++h) {
        for (auto c = h.value().cbegin(); c != h.value().cend(); ++c, ++row) {
            const int sensor = c.key() / 10, value = c.key() % 10;
            const Cell& cell = c.value();
            const QString expected = QStringLiteral("%1,%2,%3,%4,%5,")
                                         .arg(h.key())
                                         .arg(sensor)
                                         .arg(QLatin1String(names[value]))
                                         .arg(cell.count)
                                         .arg(number(cell.min, value));
            const QStringList got = row < rows.size() ? rows[row].split(QLatin1Char(',')) : QStringList();
            const double mean = double(cell.sum) / double(cell.count) / (value == 0 || value == 3 ? 1 : 10);
            if (got.size() != 7 || !rows[row].startsWith(expected) || got[6] != number(cell.max, value)
                || std::fabs(got[5].toDouble() - mean) > 0.00051)
                return QStringLiteral("row %1: expected %2...,%3,%4, got %5")
                    .arg(row + 1).arg(expected).arg(mean, 0, 'f', 4).arg(number(cell.max, value))
                    .arg(row < rows.size() ? rows[row] : QStringLiteral("nothing"));
        }
    }
    return row == rows.size() ? QString() : QStringLiteral("%1 rows more than expected").arg(rows.size() - row);
}

} // namespace HistoryReference
