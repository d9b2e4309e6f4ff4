#include "RawHistory.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>

namespace {

int signedHex(const QByteArray& digits)
{
    const int v = digits.toInt(nullptr, 16);
    const int half = digits.size() == 2 ? 0x80 : 0x8000;
    return v >= half ? v - 2 * half : v;
}

// "Sensor 2 Oil quality Mainalarm ON !" -> "Sensor 2 oil quality main alarm", true.
bool alarmLine(const QString& text, QString& what, bool& on)
{
    static const QRegularExpression sensor(
        QStringLiteral("^Sensor ([1-6]) (Oil quality|Temperature) (Prealarm|Mainalarm) (ON|OFF) !$"));
    static const QRegularExpression relay(QStringLiteral("^Alarm Relay ([12]) (ON|OFF) !$"));
    if (const auto m = sensor.match(text); m.hasMatch()) {
        what = QStringLiteral("Sensor %1 %2 %3")
                   .arg(m.captured(1), m.captured(2).toLower(),
                        m.captured(3) == QLatin1String("Prealarm") ? QStringLiteral("pre-alarm")
                                                                   : QStringLiteral("main alarm"));
        on = m.captured(4) == QLatin1String("ON");
        return true;
    }
    if (const auto m = relay.match(text); m.hasMatch()) {
        what = QStringLiteral("Alarm relay ") + m.captured(1);
        on = m.captured(2) == QLatin1String("ON");
        return true;
    }
    return false;
}

} // namespace

void RawHistory::addFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    bool first = true;
    for (QByteArray line : f.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() < 22 || line[0] != '#')
            continue;
        const QDateTime local(QDate(line.mid(7, 4).toInt(), line.mid(1, 2).toInt(), line.mid(4, 2).toInt()),
                              QTime(line.mid(12, 2).toInt(), line.mid(15, 2).toInt(), line.mid(18, 2).toInt()),
                              zone_);
        const qint64 instant = local.toSecsSinceEpoch();
        const QByteArray text = line.mid(21);
        if (text.size() == 37 && text.startsWith(":0") && text[2] >= '0' && text[2] <= '5') {
            Record r{instant, text[2] - '0' + 1, {}};
            for (int v = 0; v < 5; ++v)
                r.values[v] = signedHex(text.mid(v == 0 ? 3 : 1 + 4 * v, v == 0 ? 2 : 4));
            records_.push_back(r);
        } else if (!text.startsWith(':')) {
            infos_.push_back({instant, QString::fromUtf8(text), first});
        }
        first = false;
    }
}

RawHistory::Figures RawHistory::figures(int sensor, int value, qint64 from, qint64 to) const
{
    Figures f;
    for (const Record& r : records_) {
        if (r.sensor != sensor || r.instant < from || r.instant >= to)
            continue;
        const int v = r.values[value];
        f.min = f.count ? std::min(f.min, v) : v;
        f.max = f.count ? std::max(f.max, v) : v;
        f.sum += v;
        ++f.count;
    }
    return f;
}

qint64 RawHistory::coveredMinutes(int sensor, qint64 from, qint64 to) const
{
    std::set<qint64> minutes;
    for (const Record& r : records_)
        if (r.sensor == sensor && r.instant >= from && r.instant < to)
            minutes.insert(r.instant / 60);
    return qint64(minutes.size());
}

// Alarms from ON to OFF; a relay's confirmation is the first one after it
// came on, a sensor alarm's that of the relay that came on with it; the
// evaluator lost from "not connected" to "connected"; a file that begins
// a day after the last stops the measurement from the last line before.
std::vector<RawHistory::Entry> RawHistory::episodes() const
{
    std::vector<Entry> out;
    std::map<QString, size_t> open;
    qint64 lastLine = 0;
    for (const Info& i : infos_) {
        for (const Record& r : records_) // the latest line before this one
            if (r.instant > lastLine && r.instant < i.instant)
                lastLine = r.instant;
        QString what;
        bool on = false;
        if (alarmLine(i.text, what, on)) {
            if (on && !open.count(what)) {
                open[what] = out.size();
                out.push_back({what, i.instant, -1, -1});
            } else if (!on && open.count(what)) {
                out[open[what]].end = i.instant;
                open.erase(what);
            }
        } else if (i.text.startsWith(QLatin1String("Evaluator not connected"))) {
            open[QStringLiteral("Evaluator lost")] = out.size();
            out.push_back({QStringLiteral("Evaluator lost"), i.instant, -1, -1});
        } else if (i.text.startsWith(QLatin1String("Evaluator connected"))
                   && open.count(QStringLiteral("Evaluator lost"))) {
            out[open[QStringLiteral("Evaluator lost")]].end = i.instant;
            open.erase(QStringLiteral("Evaluator lost"));
        } else if (i.fileStart && lastLine > 0 && i.instant - lastLine > 86400 / 2) {
            out.push_back({QStringLiteral("Measurement stopped"), lastLine, i.instant, -1});
        }
        lastLine = std::max(lastLine, i.instant);
    }
    for (Entry& e : out) {
        for (const Info& i : infos_) {
            if (e.what.startsWith(QLatin1String("Alarm relay")) && i.instant >= e.start
                && i.text.endsWith(QLatin1String("confirmed by user!"))) {
                e.confirmed = i.instant;
                break;
            }
        }
    }
    for (Entry& e : out) {
        const QString relay = e.what.endsWith(QLatin1String("main alarm")) ? QStringLiteral("Alarm relay 1")
                                                                            : QStringLiteral("Alarm relay 2");
        for (const Entry& r : out)
            if (e.what.startsWith(QLatin1String("Sensor")) && r.what == relay && r.start == e.start)
                e.confirmed = r.confirmed;
    }
    return out;
}

std::vector<RawHistory::Entry> RawHistory::entries(qint64 from, qint64 to) const
{
    std::vector<Entry> out;
    for (Entry e : episodes()) {
        if (e.start >= to || (e.end >= 0 && e.end <= from))
            continue;
        e.start = std::max(e.start, from);
        if (e.end < 0 || e.end > to)
            e.end = -1;
        if (e.confirmed >= to)
            e.confirmed = -1;
        out.push_back(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.start < b.start; });
    return out;
}
