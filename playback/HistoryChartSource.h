#pragma once
#include "chart/ChartSource.h"
#include "history/Forecast.h"
#include "history/NotesFile.h"
#include "history/Tier.h"
#include "playback/HistoryBlocks.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class IHistoryReader;

// Which sensor and value (0..4) a chart channel shows.
struct HistoryChannel {
    int sensor = 1;
    int value = 0;
};

// The history of an installation over a range of days as the chart's
// source: months of daily logfiles as one timeline, x counting instants.
//
// Zoomed out, each pixel column is drawn from the summaries of the coarsest
// tier whose buckets are no wider than the column: the column's first,
// minimum, maximum and last value, so the picture is the records' own min-max
// band and no spike is averaged away. Zoomed in past a minute for every few
// columns, the records themselves are read from the logfiles. A bucket
// missing between two (no logfile that day, the evaluator lost) breaks the
// line.
//
// The rows of a view reach beyond it on either side, so most pans and the
// readout need no reading; what was read is kept in blocks of a day
// (summaries) or an hour (records) up to a memory budget.
class HistoryChartSource final : public ChartSource {
public:
    // Summaries are drawn while a minute bucket spans at most this many
    // pixel columns; narrower columns show the records.
    static constexpr double kMinuteColumnsMax = 4.0;

    // Channel c of the chart shows channels[c], in the chart's units; the
    // range is [from, to) in UTC seconds.
    HistoryChartSource(IHistoryReader& reader, std::vector<HistoryChannel> channels, int64_t from, int64_t to);

    const StripChartStore& rows(double x0, double x1, double columnDays) override;
    bool extent(double& oldest, double& newest) const override;
    bool summarised() const override { return level_ != Level::Records; }
    ChartSummaries summaries(double x0, double x1) const override;
    bool instants() const override { return true; }
    std::vector<ChartMark> marks(double x0, double x1) const override;
    std::vector<ChartOverlay> overlays() const override { return overlays_; }
    // The buckets of the tier drawn (minutes while records are drawn) that
    // begin from x0 to x1, for the chart's channels, with the notes of each
    // bucket's sensor beside them:
    // start,sensor,value,count,min,mean,max,note
    std::optional<QByteArray> table(double x0, double x1) override;

    // The maintenance notes, marked with the name of their sensor
    // (sensorNames[0..5]) or "All sensors".
    void setNotes(std::vector<Note> notes, const QStringList& sensorNames);
    // Each channel's trend over its window (unless it is flat within its
    // uncertainty), and its continuation to the
    // level it reaches next (dashed) with the uncertainty as a band, until
    // the crossing; the range reaches on to the crossings, up to its own
    // length again.
    void setForecasts(const ForecastResult& result);
    // "Sensor2: Oil changed".
    static QString noteText(const Note& note, const QStringList& sensorNames);
    // The history of [from, to) changed (a logfile summarised): read again.
    void invalidate(int64_t from, int64_t to);

    // What the last rows were drawn from.
    bool showsRecords() const { return level_ == Level::Records; }
    Tier tierShown() const { return tierOf(level_); }
    // Why the last reading failed; empty when it did not.
    QString error() const { return blocks_.error(); }

private:
    enum class Level { Records, Minute, TenMinutes, Hour, Day };
    static Level levelFor(double columnDays);
    static Tier tierOf(Level level);

    void fillSummaries(Tier tier, int64_t from, int64_t to, double columnDays);
    void fillRecords(int64_t from, int64_t to);
    double chartValue(const HistoryChannel& channel, double raw) const;
    // A value in the readout's unit (the forecasts') in the chart's.
    double fromReadout(const HistoryChannel& channel, double value) const;
    void addForecast(int channel, const TrendFit& fit, const LevelForecast* next);
    QByteArray notesOf(const Bucket& bucket, int sensor) const;

    HistoryBlocks blocks_;
    std::vector<HistoryChannel> channels_;
    int divisor_[5] = {1, 1, 1, 1, 1}; // the chart's, by value
    int64_t from_;
    int64_t to_;
    std::vector<Note> notes_;
    std::vector<ChartMark> marks_;
    std::vector<ChartOverlay> overlays_;
    int64_t shownTo_; // to_, or the last crossing drawn

    StripChartStore rows_;
    Level level_ = Level::Day;
    // What rows_ holds: a level, a column width and a range of x.
    bool filled_ = false;
    Level filledLevel_ = Level::Day;
    double filledColumnDays_ = 0;
    double filledX0_ = 0;
    double filledX1_ = 0;
};
