#include "HistoryTestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace HistoryTest {

namespace {

const char* const ValueNames[5] = {"oil_quality", "oil_temperature", "loss_factor", "tdn", "ambient_temperature"};

int divisorOf(int value)
{
    return value == 0 || value == 3 ? 1 : 10;
}

QString unitText(int raw, int value)
{
    return divisorOf(value) == 1 ? QString::number(raw) : QString::number(raw / 10.0, 'f', 1);
}

QString localText(qint64 instant, const QTimeZone& zone)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(instant, zone);
    const int offset = t.offsetFromUtc();
    return t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QTime(0, 0).addSecs(std::abs(offset)).toString(QStringLiteral("HH:mm"));
}

// The instants a local time stands for, earliest first.
std::vector<qint64> instantsOf(const QDate& date, const QTime& time, const QTimeZone& zone)
{
    const qint64 naive = QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
    std::vector<qint64> out;
    for (const qint64 probe : {naive - 86400, naive + 86400}) {
        const qint64 candidate = naive - zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(probe, QTimeZone::utc()));
        const QDateTime back = QDateTime::fromSecsSinceEpoch(candidate, zone);
        if (back.date() == date && back.time() == time && std::find(out.begin(), out.end(), candidate) == out.end())
            out.push_back(candidate);
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool isHex(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

int signedHex(const QByteArray& digits)
{
    const int v = digits.toInt(nullptr, 16);
    const int half = digits.size() == 2 ? 0x80 : 0x8000;
    return v >= half ? v - 2 * half : v;
}

qint64 bucketStart(qint64 instant, const QString& every, const QTimeZone& zone)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(instant, zone);
    if (every == QLatin1String("1d"))
        return QDateTime(local.date(), QTime(0, 0), zone).toSecsSinceEpoch();
    const int width = every == QLatin1String("1m") ? 60 : every == QLatin1String("10m") ? 600 : 3600;
    return instant - local.time().msecsSinceStartOfDay() / 1000 % width;
}

} // namespace

QByteArray stamp(const QDateTime& local, bool swapDate)
{
    const QString form = swapDate ? QStringLiteral("#dd-MM-yyyy HH:mm:ss ") : QStringLiteral("#MM-dd-yyyy HH:mm:ss ");
    return local.toString(form).toLatin1();
}

QByteArray record(int sensor, const int (&v)[5])
{
    QByteArray r = ":0" + QByteArray::number(sensor - 1);
    r += QByteArray::number(v[0] & 0xFF, 16).rightJustified(2, '0').toUpper();
    for (int i = 1; i < 5; ++i)
        r += QByteArray::number(v[i] & 0xFFFF, 16).rightJustified(4, '0').toUpper();
    return r + "0021000000000000";
}

void valuesAt(qint64 instant, int sensor, int (&v)[5])
{
    quint64 h = quint64(instant) * 8 + quint64(sensor) + 0x9E3779B97F4A7C15ull;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    h ^= h >> 31;
    v[0] = int(h & 0xFF) - 128;
    v[1] = int((h >> 8) & 0x7FF) - 300;
    v[2] = int((h >> 19) & 0xFF);
    v[3] = int((h >> 27) & 0x3FF);
    v[4] = int((h >> 37) & 0x3FF) - 200;
    if (((h >> 50) & 0x3F) == 0)
        v[1] = (h >> 56) & 1 ? 32767 : -32768; // the ends of the range now and then
}

QByteArray day(const QDate& date, const QTimeZone& zone, int every, int sensors, bool swapDate)
{
    const qint64 begin = QDateTime(date, QTime(0, 0), zone).toSecsSinceEpoch();
    const qint64 end = QDateTime(date.addDays(1), QTime(0, 0), zone).toSecsSinceEpoch();
    const QByteArray first = stamp(QDateTime::fromSecsSinceEpoch(begin, zone), swapDate);
    QByteArray out = first + "Measure Started at Main_Engine !\r\n";
    for (int s = 1; s <= 6; ++s)
        out += first + "lbl_S" + QByteArray::number(s) + " Sensor" + QByteArray::number(s) + "\r\n";
    for (qint64 t = begin; t < end; t += every) {
        const QByteArray at = stamp(QDateTime::fromSecsSinceEpoch(t, zone), swapDate);
        for (int s = 1; s <= sensors; ++s) {
            int v[5];
            valuesAt(t, s, v);
            out += at + record(s, v) + "\r\n";
        }
    }
    return out;
}

QString fileName(const QDate& date, const QString& installation)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("VL_") + installation + QStringLiteral(".vlg");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool appendFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::Append) && f.write(bytes) == bytes.size();
}

QString toolPath()
{
    return QStringLiteral(VELTRA_BINARY_DIR "/tools/veltra-history");
}

ToolRun tool(const QStringList& arguments, const QString& zone, const QProcessEnvironment& extra)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), zone);
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    p.setProcessEnvironment(env);
    p.start(toolPath(), arguments);
    ToolRun run;
    if (!p.waitForFinished(120000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QStringList exportArguments(const QString& logDir, const QDate& from, const QDate& to, const QString& every,
                            const QString& cache)
{
    QStringList a{QStringLiteral("export"), QStringLiteral("--logdir"), logDir, QStringLiteral("--installation"),
                  QStringLiteral("Main_Engine"), QStringLiteral("--from"), from.toString(Qt::ISODate),
                  QStringLiteral("--to"), to.toString(Qt::ISODate), QStringLiteral("--every"), every};
    if (!cache.isEmpty())
        a << QStringLiteral("--cache") << cache;
    return a;
}

void Reference::addFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    qint64 latest = INT64_MIN;
    const QString name = QFileInfo(path).fileName();
    const QDate fileDay(name.left(4).toInt(), name.mid(4, 2).toInt(), name.mid(6, 2).toInt());
    for (QByteArray line : f.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() < 42 || line[21] != ':' || line[22] != '0' || line[23] < '0'
            || line[23] > '5' || !isHex(line.mid(24, 18)))
            continue;
        const int a = line.mid(1, 2).toInt(), b = line.mid(4, 2).toInt();
        const QDate date(line.mid(7, 4).toInt(), swapDate_ ? b : a, swapDate_ ? a : b);
        const QTime time(line.mid(12, 2).toInt(), line.mid(15, 2).toInt(), line.mid(18, 2).toInt());
        // A record dated more than a day away from its file's day is not the file's.
        if (!date.isValid() || !time.isValid() || std::abs(fileDay.daysTo(date)) > 1)
            continue;
        // Earliest instant not before the latest of the file; a clock set back stays at the latest.
        qint64 instant = latest;
        for (const qint64 candidate : instantsOf(date, time, zone_))
            if (candidate >= latest) {
                instant = candidate;
                break;
            }
        latest = instant;
        Row r{instant, line[23] - '0' + 1, {}};
        for (int v = 0; v < 5; ++v)
            r.values[v] = signedHex(line.mid(v == 0 ? 24 : 22 + 4 * v, v == 0 ? 2 : 4));
        records_.push_back(r);
    }
}

QStringList Reference::rows(const QString& every, const QDate& from, const QDate& to) const
{
    const qint64 begin = QDateTime(from, QTime(0, 0), zone_).toSecsSinceEpoch();
    const qint64 end = QDateTime(to.addDays(1), QTime(0, 0), zone_).toSecsSinceEpoch();
    struct Cell {
        qint64 count = 0, sum = 0;
        int min = 0, max = 0;
    };
    std::map<std::tuple<qint64, int, int>, Cell> cells;
    for (const Row& r : records_) {
        const qint64 start = bucketStart(r.instant, every, zone_);
        if (start < begin || start >= end)
            continue;
        for (int v = 0; v < 5; ++v) {
            Cell& c = cells[{start, r.sensor, v}];
            c.min = c.count ? std::min(c.min, r.values[v]) : r.values[v];
            c.max = c.count ? std::max(c.max, r.values[v]) : r.values[v];
            c.sum += r.values[v];
            ++c.count;
        }
    }
    QStringList out;
    for (const auto& [key, c] : cells) {
        const auto& [start, sensor, value] = key;
        out << QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                   .arg(localText(start, zone_))
                   .arg(sensor)
                   .arg(QLatin1String(ValueNames[value]))
                   .arg(c.count)
                   .arg(unitText(c.min, value))
                   .arg(double(c.sum) / double(c.count) / divisorOf(value), 0, 'f', 4)
                   .arg(unitText(c.max, value));
    }
    return out;
}

QString Reference::compare(const QByteArray& csv, const QString& every, const QDate& from, const QDate& to) const
{
    QStringList got = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    if (got.isEmpty() || got.takeFirst() != QLatin1String("start,sensor,value,count,min,mean,max"))
        return QStringLiteral("no header: ") + QString::fromUtf8(csv.left(80));
    if (!got.isEmpty() && got.last().isEmpty())
        got.removeLast();
    const QStringList expected = rows(every, from, to);
    for (int i = 0; i < std::max(got.size(), expected.size()); ++i) {
        const QStringList e = i < expected.size() ? expected[i].split(QLatin1Char(',')) : QStringList();
        const QStringList g = i < got.size() ? got[i].split(QLatin1Char(',')) : QStringList();
        const bool same = e.size() == 7 && g.size() == 7 && e.mid(0, 5) == g.mid(0, 5) && e[6] == g[6]
            && std::fabs(e[5].toDouble() - g[5].toDouble()) <= 0.0005 + 1e-9
            && g[5].split(QLatin1Char('.')).value(1).size() == 3;
        if (!same)
            return QStringLiteral("%1 row %2: expected \"%3\", got \"%4\"")
                .arg(every)
                .arg(i + 1)
                .arg(i < expected.size() ? expected[i] : QStringLiteral("nothing"),
                    i < got.size() ? got[i] : QStringLiteral("nothing"));
    }
    return QString();
}

} // namespace HistoryTest
