#include "chart/StripChartRaster.h"

#include "chart/Colour.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr uint32_t kBackground = 0x535353;
constexpr uint32_t kGrid = 0x9A9A9A;
constexpr uint32_t kFrame = 0xA8A8A8;
constexpr int kDotPeriod = 3; // a dotted line: one pixel in three
constexpr int kBandColumns = 64;

uint32_t argbOf(uint32_t bgr) { return toQColor(bgr).rgb(); }

int atLeastTwo(int ticks) { return std::max(ticks, 2); }

int floorToInt(double v) { return int(std::floor(v)); }
} // namespace

// Writes one channel's strokes and joins into the image, inside the columns
// being painted and the plot's rows.
class StripChartRaster::Sink final : public StripChartCurveSink {
public:
    Sink(QImage& image, QPoint offset, int left, int x0, int x1, int y0, int y1)
        : bits_(image.bits()), stride_(image.bytesPerLine()), dx_(offset.x()), dy_(offset.y()), left_(left), x0_(x0), x1_(x1), y0_(y0), y1_(y1)
    {
    }

    void beginChannel(uint32_t colour, int lineWidth) override
    {
        argb_ = argbOf(colour);
        width_ = lineWidth;
    }
    void stroke(int column, double top, double bottom) override
    {
        const int from = std::max(floorToInt(top) + dy_, y0_);
        const int to = std::min(std::max(floorToInt(bottom), floorToInt(top)) + dy_, y1_);
        const int xa = std::max(left_ + column, x0_);
        const int xb = std::min(left_ + column + width_, x1_);
        if (xa >= xb || from > to)
            return;
        uchar* line = bits_ + qsizetype(from) * stride_ + qsizetype(xa) * 4;
        const int n = xb - xa;
        for (int y = from; y <= to; ++y, line += stride_) {
            uint32_t* pixel = reinterpret_cast<uint32_t*>(line);
            for (int x = 0; x < n; ++x)
                pixel[x] = argb_;
        }
    }
    void join(QPointF from, QPointF to) override
    {
        for (int pass = 0; pass < width_; ++pass)
            line(from.x() + dx_ + pass, from.y() + dy_ + pass, to.x() + dx_ + pass, to.y() + dy_ + pass);
    }
    void endChannel() override {}

private:
    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(bits_ + y * stride_); }
    void put(int x, int y)
    {
        if (x >= x0_ && x < x1_ && y >= y0_ && y <= y1_)
            row(y)[x] = argb_;
    }
    // The pixels whose centres the line passes nearest, one per column (or
    // per row, for steep lines), found from the line's equation alone: the
    // same pixels however the line is clipped.
    void line(double ax, double ay, double bx, double by)
    {
        if (std::fabs(bx - ax) >= std::fabs(by - ay)) {
            if (bx < ax) {
                std::swap(ax, bx);
                std::swap(ay, by);
            }
            const int from = std::max(int(std::ceil(ax - 0.5)), x0_);
            const int to = std::min(int(std::floor(bx - 0.5)), x1_ - 1);
            const double slope = bx > ax ? (by - ay) / (bx - ax) : 0.0;
            for (int x = from; x <= to; ++x)
                put(x, floorToInt(ay + (x + 0.5 - ax) * slope));
            if (from > to && floorToInt(ax) == floorToInt(bx))
                put(floorToInt(ax), floorToInt(ay));
        } else {
            if (by < ay) {
                std::swap(ax, bx);
                std::swap(ay, by);
            }
            const int from = std::max(int(std::ceil(ay - 0.5)), y0_);
            const int to = std::min(int(std::floor(by - 0.5)), y1_);
            const double slope = (bx - ax) / (by - ay);
            for (int y = from; y <= to; ++y)
                put(floorToInt(ax + (y + 0.5 - ay) * slope), y);
        }
    }

    uchar* bits_;
    qsizetype stride_;
    int dx_, dy_, left_;
    int x0_, x1_, y0_, y1_; // columns [x0, x1), rows [y0, y1]
    uint32_t argb_ = 0;
    int width_ = 1;
};

StripChartRaster::StripChartRaster(QImage& image, QPoint offset, const StripChartLayout& layout,
                                   const StripChartSettings& settings)
    : image_(image), bits_(image.bits()), stride_(image.bytesPerLine()), layout_(layout), settings_(settings)
{
    left_ = int(layout.plot.left()) + offset.x();
    top_ = int(layout.plot.top()) + offset.y();
    right_ = left_ + layout.columns;
    bottom_ = top_ + int(layout.plot.height());
}

bool StripChartRaster::canPaint(const QImage& image)
{
    const QImage::Format format = image.format();
    return (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
            || format == QImage::Format_ARGB32_Premultiplied)
        && image.devicePixelRatio() == 1.0;
}

QRect StripChartRaster::areaOfColumns(int begin, int end) const
{
    const int x0 = std::max(left_ + begin, left_);
    const int x1 = std::min(left_ + end, right_ + 1);
    return QRect(x0, top_, std::max(x1 - x0, 0), bottom_ - top_ + 1);
}

void StripChartRaster::fill(int x0, int x1, int y0, int y1, uint32_t argb)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_.width());
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image_.height() - 1);
    for (int y = y0; y <= y1 && x0 < x1; ++y)
        std::fill_n(row(y) + x0, x1 - x0, argb);
}

std::vector<int> StripChartRaster::verticalGridColumns() const
{
    std::vector<int> result;
    const int xMajor = atLeastTwo(settings_.xMajorTicks);
    for (int i = 1; i < xMajor - 1; ++i)
        result.push_back(floorToInt(layout_.plot.width() * i / (xMajor - 1)));
    return result;
}

void StripChartRaster::paintGrid(int x0, int x1)
{
    const uint32_t grid = argbOf(kGrid);
    const int yMajor = atLeastTwo(settings_.yMajorTicks);
    for (int i = 1; i < yMajor - 1; ++i) {
        const int y = top_ + floorToInt(layout_.plot.height() * i / (yMajor - 1));
        if (y < 0 || y >= image_.height())
            continue;
        uint32_t* line = row(y);
        for (int x = x0; x < x1; ++x) {
            const int64_t onGrid = layout_.firstColumn + (x - left_);
            if (((onGrid % kDotPeriod) + kDotPeriod) % kDotPeriod == 0)
                line[x] = grid;
        }
    }
    for (int column : verticalGridColumns()) {
        const int x = left_ + column;
        if (x < x0 || x >= x1)
            continue;
        for (int y = top_; y <= bottom_ && y < image_.height(); y += kDotPeriod)
            if (y >= 0)
                row(y)[x] = grid;
    }
}

void StripChartRaster::paintFrame(int x0, int x1)
{
    const uint32_t frame = argbOf(kFrame);
    fill(x0, x1, top_, top_, frame);
    fill(x0, x1, bottom_, bottom_, frame);
    for (int x : {left_, right_})
        if (x >= x0 && x < x1)
            fill(x, x + 1, top_, bottom_, frame);
}

void StripChartRaster::paintColumns(const StripChartColumns& columns, int begin, int end)
{
    // Band by band, so that the image lines a band touches stay in the cache
    // while every channel is written into them.
    for (int band = begin; band < end; band += kBandColumns)
        paintBand(columns, band, std::min(band + kBandColumns, end));
}

void StripChartRaster::paintBand(const StripChartColumns& columns, int begin, int end)
{
    const QRect area = areaOfColumns(begin, end).intersected(image_.rect());
    if (area.isEmpty())
        return;
    const int x0 = area.left(), x1 = area.right() + 1;
    fill(x0, x1, top_, bottom_, argbOf(kBackground));
    paintGrid(x0, x1);
    Sink sink(image_, QPoint(left_ - int(layout_.plot.left()), top_ - int(layout_.plot.top())), left_, x0, x1,
              std::max(top_, 0), std::min(bottom_, image_.height() - 1));
    columns.walk(sink, x0 - left_, x1 - left_);
    paintFrame(x0, x1);
}

void StripChartRaster::scrollLeft(int columns)
{
    const QRect area = areaOfColumns(0, layout_.columns + 1).intersected(image_.rect());
    if (columns <= 0 || area.isEmpty())
        return;
    const int keep = area.width() - columns;
    for (int y = area.top(); y <= area.bottom() && keep > 0; ++y) {
        uint32_t* line = reinterpret_cast<uint32_t*>(image_.scanLine(y)) + area.left();
        std::memmove(line, line + columns, size_t(keep) * sizeof(uint32_t));
    }
}
