#include "playback/HistoryChartSource.h"

#include "chart/ChartCsvExport.h"
#include "chart/StripChartTime.h"
#include "core/GaugeLooks.h"
#include "history/BucketCsv.h"
#include "playback/HistoryReader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kSecondsPerDay = 86400.0;
// The records' line breaks where a sensor has sent nothing for a minute, as
// the live chart's does.
constexpr double kRecordGapDays = 60.0 / kSecondsPerDay;
// A column's values go into rows at these places across it: a break first,
// then the first value, the two extremes and the last.
constexpr int kSlots = 5;

// The first, extremes and last of one channel's buckets in one column.
struct Cell {
    bool have = false;
    bool gapBefore = false;
    double first = 0, min = 0, max = 0, last = 0;
};
} // namespace

HistoryChartSource::HistoryChartSource(IHistoryReader& reader, std::vector<HistoryChannel> channels, int64_t from,
                                       int64_t to)
    : blocks_(reader), channels_(std::move(channels)), from_(from), to_(std::max(from, to)), shownTo_(to_)
{
    for (int v = 0; v < 5; ++v)
        divisor_[v] = GaugeLooks::forValue(v + 1)->chartDivisor;
    rows_.setCapacity(int64_t(1) << 32);
    rows_.setAutoDrop(false);
}

HistoryChartSource::Level HistoryChartSource::levelFor(double columnDays)
{
    const double seconds = columnDays * kSecondsPerDay;
    if (seconds >= kSecondsPerDay)
        return Level::Day;
    if (seconds >= 3600.0)
        return Level::Hour;
    if (seconds >= 600.0)
        return Level::TenMinutes;
    if (seconds * kMinuteColumnsMax >= 60.0)
        return Level::Minute;
    return Level::Records;
}

Tier HistoryChartSource::tierOf(Level level)
{
    switch (level) {
    case Level::Day: return Tier::Day;
    case Level::Hour: return Tier::Hour;
    case Level::TenMinutes: return Tier::TenMinutes;
    case Level::Minute:
    case Level::Records: break;
    }
    return Tier::Minute;
}

double HistoryChartSource::chartValue(const HistoryChannel& channel, double raw) const
{
    return raw / divisor_[channel.value];
}

const StripChartStore& HistoryChartSource::rows(double x0, double x1, double columnDays)
{
    level_ = levelFor(columnDays);
    const bool sameColumns = level_ == Level::Records || columnDays == filledColumnDays_;
    if (filled_ && filledLevel_ == level_ && sameColumns && x0 >= filledX0_ && x1 <= filledX1_)
        return rows_;
    // Beyond the view by a span (half of one for the records, which are many).
    const double margin = (x1 - x0) * (level_ == Level::Records ? 0.5 : 1.0);
    const double lowest = chartDaysFromInstant(from_);
    const double highest = chartDaysFromInstant(to_);
    filledX0_ = std::max(x0 - margin, lowest);
    filledX1_ = std::min(x1 + margin, highest);
    const int64_t from = std::max<int64_t>(chartInstantFromDays(filledX0_) - 1, from_);
    const int64_t to = std::min<int64_t>(chartInstantFromDays(filledX1_) + 1, to_);
    rows_.clear();
    if (level_ == Level::Records)
        fillRecords(from, to);
    else
        fillSummaries(tierOf(level_), from, to, columnDays);
    // A view outside the range keeps its (empty) rows until it moves.
    filledX0_ = std::min(filledX0_, x0);
    filledX1_ = std::max(filledX1_, x1);
    filled_ = true;
    filledLevel_ = level_;
    filledColumnDays_ = columnDays;
    return rows_;
}

void HistoryChartSource::fillSummaries(Tier tier, int64_t from, int64_t to, double columnDays)
{
    rows_.setGapDays(0.0);
    if (from >= to || !(columnDays > 0.0))
        return;
    const auto columnOf = [&](int64_t instant) {
        return int64_t(std::floor(chartDaysFromInstant(instant) / columnDays));
    };
    const int64_t firstColumn = columnOf(from);
    const size_t columns = size_t(columnOf(to) - firstColumn + 1);
    const size_t channels = channels_.size();
    std::vector<Cell> cells(columns * channels);
    std::vector<int64_t> previousEnd(channels, std::numeric_limits<int64_t>::min());
    blocks_.forBuckets(tier, from, to, [&](const Bucket& bucket) {
        const size_t column = size_t(std::clamp<int64_t>(columnOf(bucket.start) - firstColumn, 0, int64_t(columns) - 1));
        for (size_t c = 0; c < channels; ++c) {
            const SeriesSummary& s = bucket.of(channels_[c].sensor, channels_[c].value);
            if (s.count <= 0)
                continue;
            Cell& cell = cells[column * channels + c];
            const double first = chartValue(channels_[c], s.first);
            if (!cell.have) {
                cell = {true, bucket.start > previousEnd[c] && previousEnd[c] != std::numeric_limits<int64_t>::min(),
                        first, chartValue(channels_[c], s.min), chartValue(channels_[c], s.max), 0};
            }
            cell.min = std::min(cell.min, chartValue(channels_[c], s.min));
            cell.max = std::max(cell.max, chartValue(channels_[c], s.max));
            cell.last = chartValue(channels_[c], s.last);
            previousEnd[c] = bucket.end;
        }
    });
    for (size_t column = 0; column < columns; ++column) {
        const Cell* row = &cells[column * channels];
        for (int slot = 0; slot < kSlots; ++slot) {
            bool opened = false;
            for (size_t c = 0; c < channels; ++c) {
                const Cell& cell = row[c];
                if (!cell.have || (slot == 0 && !cell.gapBefore))
                    continue;
                // The extremes in the order the column most likely saw them.
                const bool rising = cell.last >= cell.first;
                const double values[kSlots] = {std::nan(""), cell.first, rising ? cell.min : cell.max,
                                               rising ? cell.max : cell.min, cell.last};
                if (!opened)
                    opened = rows_.addRow((double(firstColumn + int64_t(column)) + (slot + 0.5) / kSlots) * columnDays);
                rows_.setValue(int(c), values[slot]);
            }
            rows_.closeRow();
        }
    }
}

void HistoryChartSource::fillRecords(int64_t from, int64_t to)
{
    rows_.setGapDays(kRecordGapDays);
    // Each record becomes a row with the values of its sensor's channels.
    std::vector<std::vector<std::pair<int, int>>> targets(7); // [sensor]: (channel, value)
    int perRow = 1;
    for (size_t c = 0; c < channels_.size(); ++c) {
        const int sensor = std::clamp(channels_[c].sensor, 1, 6);
        targets[size_t(sensor)].emplace_back(int(c), channels_[c].value);
        perRow = std::max(perRow, int(targets[size_t(sensor)].size()));
    }
    std::vector<double> xs;
    std::vector<int> channels;
    std::vector<double> values;
    blocks_.forRecords(from, to, [&](const RawRecord& record) {
        if (record.sensor < 1 || record.sensor > 6 || targets[size_t(record.sensor)].empty())
            return;
        xs.push_back(chartDaysFromInstant(record.instant));
        const auto& mine = targets[size_t(record.sensor)];
        for (int k = 0; k < perRow; ++k) {
            const bool have = k < int(mine.size());
            channels.push_back(have ? mine[size_t(k)].first : -1);
            values.push_back(have ? record.value[mine[size_t(k)].second] / double(divisor_[mine[size_t(k)].second]) : 0.0);
        }
    });
    rows_.addRows(xs.data(), xs.size(), channels.data(), values.data(), perRow, int(channels_.size()));
}

bool HistoryChartSource::extent(double& oldest, double& newest) const
{
    oldest = chartDaysFromInstant(from_);
    newest = chartDaysFromInstant(shownTo_);
    return to_ > from_;
}

ChartSummaries HistoryChartSource::summaries(double x0, double x1) const
{
    if (level_ == Level::Records)
        return {};
    int64_t first = std::numeric_limits<int64_t>::max();
    int64_t last = std::numeric_limits<int64_t>::min();
    struct Sum {
        int64_t count = 0;
        int64_t sum = 0;
        int min = 0, max = 0;
    };
    std::vector<Sum> sums(channels_.size());
    blocks_.forKept(tierOf(level_), chartInstantFromDays(x0), chartInstantFromDays(x1), [&](const Bucket& bucket) {
        first = std::min(first, bucket.start);
        last = std::max(last, bucket.end);
        for (size_t c = 0; c < channels_.size(); ++c) {
            const SeriesSummary& s = bucket.of(channels_[c].sensor, channels_[c].value);
            if (s.count <= 0)
                continue;
            Sum& total = sums[c];
            total.min = total.count == 0 ? s.min : std::min<int>(total.min, s.min);
            total.max = total.count == 0 ? s.max : std::max<int>(total.max, s.max);
            total.count += s.count;
            total.sum += s.sum;
        }
    });
    ChartSummaries result;
    if (first > last)
        return result; // no bucket there: the readout says so per channel
    result.from = chartDaysFromInstant(first);
    result.to = chartDaysFromInstant(last);
    result.channels.resize(channels_.size());
    for (size_t c = 0; c < channels_.size(); ++c) {
        if (sums[c].count == 0)
            continue;
        result.channels[c] = {sums[c].count, chartValue(channels_[c], sums[c].min),
                              chartValue(channels_[c], double(sums[c].sum) / double(sums[c].count)),
                              chartValue(channels_[c], sums[c].max)};
    }
    return result;
}

std::vector<ChartMark> HistoryChartSource::marks(double x0, double x1) const
{
    std::vector<ChartMark> shown;
    for (const ChartMark& mark : marks_)
        if (mark.x >= x0 && mark.x <= x1)
            shown.push_back(mark);
    return shown;
}

double HistoryChartSource::fromReadout(const HistoryChannel& channel, double value) const
{
    return value * GaugeLooks::forValue(channel.value + 1)->gaugeDivisor / divisor_[channel.value];
}

void HistoryChartSource::setForecasts(const ForecastResult& result)
{
    overlays_.clear();
    shownTo_ = to_;
    const std::vector<LevelForecast> next = Forecast::next(result.levels);
    for (size_t c = 0; c < channels_.size(); ++c) {
        const HistoryChannel& channel = channels_[c];
        const LevelForecast* reached = nullptr;
        for (const LevelForecast& f : next)
            if (f.sensor == channel.sensor && f.value == channel.value && f.crossing)
                reached = &f;
        addForecast(int(c), result.fits[size_t(Series::index(channel.sensor, channel.value))], reached);
    }
    filled_ = false;
}

void HistoryChartSource::addForecast(int channel, const TrendFit& fit, const LevelForecast* next)
{
    // A trend within its own uncertainty of flat says nothing a line could.
    if (!fit.valid || fit.to <= fit.from || fit.flat())
        return;
    const HistoryChannel& c = channels_[size_t(channel)];
    const auto point = [&](int64_t t, double v) { return QPointF(chartDaysFromInstant(t), fromReadout(c, v)); };
    overlays_.push_back({ChartOverlay::Style::Solid, channel, {point(fit.from, fit.at(fit.from)), point(fit.to, fit.at(fit.to))}});
    if (!next)
        return;
    const int64_t end = next->crossingAt;
    overlays_.push_back({ChartOverlay::Style::Band, channel,
                         {point(fit.to, fit.at(fit.to, fit.slopeHigh)), point(end, fit.at(end, fit.slopeHigh)),
                          point(end, fit.at(end, fit.slopeLow)), point(fit.to, fit.at(fit.to, fit.slopeLow))}});
    overlays_.push_back({ChartOverlay::Style::Dashed, channel, {point(fit.to, fit.at(fit.to)), point(end, next->level.value)}});
    shownTo_ = std::clamp<int64_t>(end, shownTo_, to_ + (to_ - from_));
}

QString HistoryChartSource::noteText(const Note& note, const QStringList& sensorNames)
{
    const QString who = note.sensor >= 1 && note.sensor <= 6
        ? sensorNames.value(note.sensor - 1, QStringLiteral("Sensor%1").arg(note.sensor))
        : QStringLiteral("All sensors");
    return who + QStringLiteral(": ") + note.text;
}

void HistoryChartSource::setNotes(std::vector<Note> notes, const QStringList& sensorNames)
{
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.instant < b.instant; });
    notes_ = std::move(notes);
    marks_.clear();
    for (const Note& note : notes_)
        marks_.push_back({chartDaysFromInstant(note.instant), noteText(note, sensorNames)});
}

QByteArray HistoryChartSource::notesOf(const Bucket& bucket, int sensor) const
{
    QStringList texts;
    for (const Note& note : notes_)
        if (note.instant >= bucket.start && note.instant < bucket.end
            && (note.sensor == sensor || note.sensor == Note::AllSensors))
            texts << note.text;
    return texts.isEmpty() ? QByteArray() : ChartCsvExport::textField(texts.join(QStringLiteral("; ")));
}

std::optional<QByteArray> HistoryChartSource::table(double x0, double x1)
{
    QByteArray out = "start,sensor,value,count,min,mean,max,note\r\n";
    const Tier tier = tierOf(level_);
    blocks_.forBuckets(tier, chartInstantFromDays(x0), chartInstantFromDays(x1), [&](const Bucket& bucket) {
        const QByteArray start = BucketCsv::localTime(bucket.start, bucket.utcOffset);
        for (const HistoryChannel& channel : channels_) {
            const SeriesSummary& s = bucket.of(channel.sensor, channel.value);
            if (s.count <= 0)
                continue;
            out += start + ',' + QByteArray::number(channel.sensor) + ',' + Series::valueName(channel.value).toLatin1()
                + ',' + QByteArray::number(s.count) + ',' + BucketCsv::valueText(channel.value, s.min) + ','
                + BucketCsv::meanText(channel.value, s.sum, s.count) + ',' + BucketCsv::valueText(channel.value, s.max)
                + ',' + notesOf(bucket, channel.sensor) + "\r\n";
        }
    });
    return out;
}

void HistoryChartSource::invalidate(int64_t from, int64_t to)
{
    blocks_.forget(from, to);
    filled_ = false;
}
