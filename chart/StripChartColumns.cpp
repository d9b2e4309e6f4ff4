#include "chart/StripChartColumns.h"

#include <algorithm>
#include <cmath>

namespace {
// Keeps far-away points within what the paint engine handles exactly; the
// clip removes everything outside the plot anyway.
constexpr double kPixelLimit = 1.0e6;

double valueRange(const StripChartSettings& settings)
{
    const double range = settings.yMax - settings.yMin;
    return std::fabs(range) > 0.0 && std::isfinite(range) ? range : 1.0;
}
} // namespace

double StripChartColumns::pixelOfX(const StripChartLayout& layout, double x)
{
    const double px = layout.plot.left() + (x - layout.x0) / (layout.x1 - layout.x0) * layout.plot.width();
    return std::clamp(px, -kPixelLimit, kPixelLimit);
}

StripChartColumns::StripChartColumns(const StripChartStore& store, const StripChartSettings& settings,
                                     const StripChartLayout& layout)
    : store_(store), settings_(settings), layout_(layout), bounds_(size_t(layout.columns) + 1),
      plotTop_(layout.plot.top()), valueScale_(layout.plot.height() / valueRange(settings))
{
    const int columns = layout.columns;
    bounds_[0] = store_.lowerBound(layout.xOfColumn(0));
    bounds_[size_t(columns)] = store_.lowerBound(layout.xOfColumn(columns));
    // With many rows per column the inner boundaries move forward to block
    // starts, by at most half a column, so every point stays within a pixel
    // of its place: the columns' extremes then come from a few summaries read
    // in order, not from points scattered over hundreds of megabytes. Every
    // row still falls into exactly one column, so no extreme is lost.
    const int64_t rows = bounds_[size_t(columns)] - bounds_[0];
    const bool snap = rows >= int64_t(columns) * 4 * StripChartStore::kFinestBlockRows;
    const bool blocks = rows >= int64_t(columns) * 4 * StripChartStore::kBlockRows;
    snapLevel_ = blocks ? 2 : snap ? 1 : 0;
    const double slack = layout.columnDays / 2.0;
    for (int c = 1; c < columns; ++c) {
        const int64_t step = c >= 2 ? bounds_[size_t(c) - 1] - bounds_[size_t(c) - 2] : 0;
        const int64_t guess = bounds_[size_t(c) - 1] + step;
        store_.prefetchRow(bounds_[size_t(c) - 1] + 8 * step, blocks);
        const double x = layout.xOfColumn(c);
        const int64_t bound = snap ? store_.blockBound(x, slack, guess) : store_.lowerBound(x, guess);
        bounds_[size_t(c)] = std::clamp(bound, bounds_[size_t(c) - 1], bounds_[size_t(columns)]);
    }
}

int StripChartColumns::columnOfRow(int64_t row) const
{
    if (row < bounds_.front())
        return -1;
    if (row >= bounds_.back())
        return layout_.columns;
    return int(std::upper_bound(bounds_.begin(), bounds_.end(), row) - bounds_.begin()) - 1;
}

void StripChartColumns::walk(StripChartCurveSink& sink, int begin, int end) const
{
    for (size_t ch = 0; ch < settings_.channels.size(); ++ch) {
        const StripChartChannel& channel = settings_.channels[ch];
        if (!channel.visible)
            continue;
        sink.beginChannel(channel.drawnColour(), std::clamp(channel.lineWidth, 1, kMaxLineWidth));
        walkChannel(sink, int(ch), begin, end);
        sink.endChannel();
    }
}

double StripChartColumns::yOf(double v) const
{
    return std::clamp(plotTop_ + (settings_.yMax - v) * valueScale_, -kPixelLimit, kPixelLimit);
}

StripChartColumns::Previous StripChartColumns::previousBefore(int index, int column) const
{
    // The last point before the column, at its column's centre when that
    // lies in the view.
    Previous previous;
    const auto before = store_.pointAtOrBefore(index, bounds_[size_t(column)] - 1);
    if (before.row < 0)
        return previous;
    previous.have = true;
    if (before.row >= bounds_.front()) {
        previous.column = columnOfRow(before.row);
        previous.point = QPointF(layout_.plot.left() + previous.column + 0.5, yOf(before.value));
        previous.from = bounds_[size_t(previous.column)];
    } else {
        previous.point = QPointF(pixelOfX(layout_, store_.x(before.row)), yOf(before.value));
        previous.from = before.row;
    }
    return previous;
}

void StripChartColumns::walkChannel(StripChartCurveSink& sink, int index, int begin, int end) const
{
    const int columns = layout_.columns;
    const double left = layout_.plot.left();
    // Strokes up to kMaxLineWidth - 1 columns left of `begin` reach into it.
    const int start = std::clamp(begin - (kMaxLineWidth - 1), 0, columns);
    Previous previous = previousBefore(index, start);
    const int last = std::min(end, columns);
    scratch_.resize(size_t(std::max(last - start, 0)));
    store_.extremesOfRanges(index, bounds_.data() + start, scratch_.size(), scratch_.data());
    for (int c = start; c < last; ++c) {
        const StripChartStore::Extremes& e = scratch_[size_t(c - start)];
        if (e.empty)
            continue;
        const double px = left + c + 0.5;
        double top = yOf(e.max);
        double bottom = yOf(e.min);
        const bool joined = previous.have && !store_.breaksIn(index, previous.from, bounds_[size_t(c) + 1]);
        if (joined && previous.column == c - 1) {
            top = std::min(top, previous.point.y());
            bottom = std::max(bottom, previous.point.y());
        } else if (joined) {
            sink.join(previous.point, QPointF(px, yOf(e.first)));
        }
        sink.stroke(c, top, bottom);
        previous = {true, c, bounds_[size_t(c)], QPointF(px, yOf(e.last))};
    }
    if (previous.have)
        joinPast(sink, index, last, previous);
}

void StripChartColumns::joinPast(StripChartCurveSink& sink, int index, int column, const Previous& previous) const
{
    // Past the columns walked only the join to the next point matters, in a
    // column further on or after the view.
    const auto next = store_.pointAtOrAfter(index, bounds_[size_t(column)]);
    if (next.row < 0 || store_.breaksIn(index, previous.from, next.row + 1))
        return;
    const int c = columnOfRow(next.row);
    if (c >= layout_.columns) {
        sink.join(previous.point, QPointF(pixelOfX(layout_, store_.x(next.row)), yOf(next.value)));
    } else if (previous.column != c - 1) {
        const auto e = store_.extremes(index, bounds_[size_t(c)], bounds_[size_t(c) + 1]);
        if (!store_.breaksIn(index, previous.from, bounds_[size_t(c) + 1]))
            sink.join(previous.point, QPointF(layout_.plot.left() + c + 0.5, yOf(e.first)));
    }
}

bool StripChartColumns::everyChannelHasPointsBefore() const
{
    for (size_t ch = 0; ch < settings_.channels.size(); ++ch)
        if (settings_.channels[ch].visible && store_.pointAtOrBefore(int(ch), bounds_.front() - 1).row < 0)
            return false;
    return true;
}

int StripChartColumns::firstColumnChangedFrom(int64_t firstNew) const
{
    int first = columnOfRow(firstNew);
    for (size_t ch = 0; ch < settings_.channels.size(); ++ch) {
        if (!settings_.channels[ch].visible)
            continue;
        const auto point = store_.pointAtOrBefore(int(ch), firstNew - 1);
        if (point.row < 0)
            continue;
        first = std::min(first, columnOfRow(point.row));
        // The join into that point may now be drawn to where the point
        // stands as a column's first value rather than past the view's end.
        const auto before = store_.pointAtOrBefore(int(ch), point.row - 1);
        if (before.row >= 0)
            first = std::min(first, columnOfRow(before.row) + 1);
    }
    // A new row can move the left bound of the column it lands in forward
    // (to a block start that did not exist before), into the column before.
    return std::clamp(first - 1, 0, layout_.columns);
}

int StripChartColumns::endOfColumnsChangedUpTo(int edge) const
{
    const int columns = layout_.columns;
    if (edge + 1 >= columns)
        return columns + 1;
    int last = edge;
    for (size_t ch = 0; ch < settings_.channels.size() && last < columns; ++ch) {
        if (!settings_.channels[ch].visible)
            continue;
        const auto point = store_.pointAtOrAfter(int(ch), bounds_[size_t(edge) + 1]);
        last = std::max(last, point.row >= 0 ? columnOfRow(point.row) : columns);
    }
    // That column's own stroke and joins reach kMaxLineWidth - 1 further.
    return std::min(last + kMaxLineWidth, columns + 1);
}
