#include "HistoryGenerator.h"

#include "EvaluatorRecords.h"
#include "SimulatedAlarms.h"
#include "ValueModel.h"
#include "core/LogLine.h"
#include "history/NotesFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTimeZone>
#include <algorithm>
#include <string>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void putHex(std::string& out, unsigned value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out.push_back(HexDigits[(value >> shift) & 0xF]);
}

void putTwo(char* p, int v)
{
    p[0] = char('0' + v / 10);
    p[1] = char('0' + v % 10);
}

// The local time of instants in the system's zone, the offset looked up
// only when a transition passes.
class LocalTime {
public:
    LocalTime() : zone_(QTimeZone::systemTimeZone().isValid() ? QTimeZone::systemTimeZone() : QTimeZone::utc()) {}
    int64_t local(int64_t instant)
    {
        if (instant >= next_ || instant < from_) {
            const QDateTime at = QDateTime::fromSecsSinceEpoch(instant, QTimeZone::utc());
            offset_ = zone_.offsetFromUtc(at);
            const QTimeZone::OffsetData t = zone_.nextTransition(at);
            from_ = instant;
            next_ = t.atUtc.isValid() ? t.atUtc.toSecsSinceEpoch() : INT64_MAX;
        }
        return instant + offset_;
    }
    int64_t startOfDay(const QDate& day) { return QDateTime(day, QTime(0, 0), zone_).toSecsSinceEpoch(); }
    const QTimeZone& zone() const { return zone_; }

private:
    QTimeZone zone_;
    int32_t offset_ = 0;
    int64_t from_ = INT64_MAX;
    int64_t next_ = INT64_MIN;
};

// One day's logfile at a time, written in large blocks.
class DayWriter {
public:
    explicit DayWriter(const HistorySettings& s) : s_(s), place_(s.installation.toStdString())
    {
        out_.reserve(FlushBytes + 65536);
    }
    ~DayWriter() { close(nullptr); }

    bool open(const QDate& day, QString* error)
    {
        if (!close(error))
            return false;
        const QString fileDay = day.toString(QStringLiteral("yyyyMMdd"));
        file_.setFileName(LogLine::logfileName(s_.dir + QLatin1Char('/'), fileDay, s_.installation));
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *error = file_.fileName() + QStringLiteral(": ") + file_.errorString();
            return false;
        }
        const std::string date = day.toString(QStringLiteral("MM-dd-yyyy")).toStdString();
        std::copy(date.begin(), date.end(), stamp_ + 1);
        return true;
    }
    bool isOpen() const { return file_.isOpen(); }

    // "#MM-DD-YYYY HH:MM:SS " of a second of the open day.
    void stamp(int64_t secondOfDay)
    {
        stamp_[0] = '#';
        stamp_[11] = ' ';
        putTwo(stamp_ + 12, int(secondOfDay / 3600));
        stamp_[14] = ':';
        putTwo(stamp_ + 15, int(secondOfDay / 60 % 60));
        stamp_[17] = ':';
        putTwo(stamp_ + 18, int(secondOfDay % 60));
        stamp_[20] = ' ';
    }
    void line(const std::string& text)
    {
        out_.append(stamp_, sizeof stamp_);
        out_ += text;
        out_ += "\r\n";
    }
    void info(const char* what) { line(std::string(what) + " at " + place_ + " !"); }
    void header()
    {
        info("Measure Started");
        for (int s = 1; s <= 6; ++s)
            line("lbl_S" + std::to_string(s) + " Sensor" + std::to_string(s));
    }
    // Its status word: ready and the ready relay, and the alarm bits given.
    void record(int sensor, const int (&v)[5], unsigned alarmBits)
    {
        out_.append(stamp_, sizeof stamp_);
        out_ += ":0";
        out_.push_back(char('0' + sensor - 1));
        putHex(out_, unsigned(v[0]) & 0xFF, 2);
        for (int i = 1; i < 5; ++i)
            putHex(out_, unsigned(v[i]) & 0xFFFF, 4);
        putHex(out_, 0x0021 | alarmBits, 4);
        out_ += "000000000000\r\n"; // no errors
    }
    bool flushIfFull(QString* error) { return out_.size() < FlushBytes || flush(error); }
    bool close(QString* error)
    {
        const bool ok = !file_.isOpen() || flush(error);
        file_.close();
        return ok;
    }

private:
    static constexpr size_t FlushBytes = size_t(8) << 20;
    bool flush(QString* error)
    {
        if (file_.write(out_.data(), qint64(out_.size())) != qint64(out_.size())) {
            if (error)
                *error = file_.fileName() + QStringLiteral(": ") + file_.errorString();
            out_.clear();
            return false;
        }
        out_.clear();
        return true;
    }

    const HistorySettings& s_;
    std::string place_;
    QFile file_;
    std::string out_;
    char stamp_[21] = {};
};

} // namespace

namespace {

// The silent minutes of a day, placed by chance.
struct Loss {
    int64_t from = 0; // seconds of the local day
    int64_t to = 0;
};

// The drifting values in place of the typical ones, stuck on the bad day,
// and the oil change in the notes.
bool applyDrifts(const HistorySettings& s, LocalTime& clock, std::vector<SensorModels>& sensors, QString* error)
{
    if (s.drifts.empty())
        return true;
    const QDateTime changedAt(s.oilChange, QTime(10, 0), clock.zone());
    const NotesFile notes(s.dir);
    QSet<int> noted;
    for (const KnownDrift& d : s.drifts) {
        if (d.sensor > s.sensors) {
            *error = QStringLiteral("there is no sensor %1 to drift").arg(d.sensor);
            return false;
        }
        ValueModel& model = sensors[size_t(d.sensor - 1)][size_t(d.value)];
        model = driftingValue(d, changedAt.toSecsSinceEpoch(), s.seed);
        if (s.badDay.isValid())
            model.stick(clock.startOfDay(s.badDay), clock.startOfDay(s.badDay.addDays(1)), 0);
        if (noted.contains(d.sensor))
            continue;
        noted.insert(d.sensor);
        const Note note{changedAt.toSecsSinceEpoch(), s.installation, d.sensor, NotesFile::oilChanged()};
        if (!notes.append(note, error)) {
            *error = notes.path() + QStringLiteral(": ") + *error;
            return false;
        }
    }
    return true;
}

Loss lossOfDay(Noise& chance, int lostMinutes)
{
    if (lostMinutes <= 0)
        return {};
    const int64_t length = std::min<int64_t>(int64_t(lostMinutes) * 60, 86400 - 60);
    const int64_t from = int64_t((chance.next() + 1) / 2 * double(86400 - length));
    return {from, from + length};
}


// The logger's side of one measurement, tick by tick: the records of a
// tick, the connection lines, and the lines of the alarms.
class Measurement {
public:
    Measurement(const HistorySettings& s, DayWriter& w, LocalTime& clock, std::vector<SensorModels> sensors)
        : s_(s), w_(w), sensors_(std::move(sensors)), alarms_(plan(s, clock))
    {
    }

    // A new day's file; after a day without one the logger starts anew.
    void newDay(bool afterGap)
    {
        if (afterGap) {
            connected_ = false;
            alarms_.forget();
        }
    }

    void silent(int64_t second, const Loss& loss)
    {
        if (connected_ && second >= loss.from + 3) {
            w_.info("Evaluator not connected");
            for (const std::string& line : alarms_.lost())
                w_.line(line); // the tick after the values were cleared
            connected_ = false;
        }
    }

    void tick(int64_t t, int64_t second)
    {
        alarms_.advance(t);
        for (const auto& [at, text] : alarms_.confirmations()) {
            w_.stamp(std::max<int64_t>(0, second - (t - at)));
            w_.line(text);
            w_.stamp(second);
        }
        int values[5];
        for (int sensor = 1; sensor <= s_.sensors; ++sensor) {
            for (int v = 0; v < 5; ++v)
                values[v] = sensors_[size_t(sensor - 1)][size_t(v)].sample(t);
            alarms_.raise(sensor, values);
            w_.record(sensor, values, alarms_.statusBits(sensor));
        }
        if (!connected_) {
            w_.info("Evaluator connected");
            connected_ = true;
        }
        for (const std::string& line : alarms_.tick())
            w_.line(line);
    }

private:
    static std::vector<AlarmEpisode> plan(const HistorySettings& s, LocalTime& clock)
    {
        if (!s.alarms)
            return {};
        return planAlarms(
            s.days, s.sensors, s.seed, [&](int d) { return clock.startOfDay(s.from.addDays(d)); },
            [&](int d) { return s.gapDays.contains(s.from.addDays(d)); });
    }

    const HistorySettings& s_;
    DayWriter& w_;
    std::vector<SensorModels> sensors_;
    SimulatedAlarms alarms_;
    bool connected_ = false;
};

} // namespace

bool writeHistory(const HistorySettings& s, QString* error)
{
    if (!QDir().mkpath(s.dir)) {
        *error = QStringLiteral("cannot make the folder ") + s.dir;
        return false;
    }
    LocalTime clock;
    std::vector<SensorModels> sensors = typicalSensors(s.sensors, s.seed);
    if (!applyDrifts(s, clock, sensors, error))
        return false;
    const std::string parameters = parameterRecord(s.sensors, s.levels);
    Noise chance(s.seed * 31 + 7);
    DayWriter w(s);
    Measurement m(s, w, clock, std::move(sensors));
    const int64_t end = clock.startOfDay(s.from.addDays(s.days));
    int64_t currentDay = INT64_MIN;
    bool gap = false;
    Loss loss;
    for (int64_t t = clock.startOfDay(s.from); t < end; t += s.everySeconds) {
        const int64_t local = clock.local(t);
        const int64_t day = local / 86400 - (local % 86400 < 0 ? 1 : 0);
        const int64_t second = local - day * 86400;
        if (day != currentDay) {
            currentDay = day;
            const QDate date = QDate(1970, 1, 1).addDays(day);
            const bool afterGap = gap;
            gap = s.gapDays.contains(date);
            loss = lossOfDay(chance, s.lostMinutes);
            if (gap ? !w.close(error) : !w.open(date, error))
                return false;
            if (!gap) {
                m.newDay(afterGap);
                w.stamp(second);
                w.header();
                w.line(parameters);
            }
        }
        if (gap)
            continue;
        w.stamp(second);
        if (second >= loss.from && second < loss.to) {
            m.silent(second, loss);
            continue;
        }
        if (second % 3600 == 0 && second > 0)
            w.line(parameters);
        m.tick(t, second);
        if (!w.flushIfFull(error))
            return false;
    }
    return w.close(error);
}
