#include "playback/ReadAhead.h"

#include <algorithm>

namespace {
// Pieces waiting at most; a read that gets this far ahead waits, so memory
// stays flat however slowly the window takes them.
constexpr size_t MaxPieces = 16;
} // namespace

// The reader's findings, on the reading thread.
class ReadAhead::Sink final : public ILogfileSink {
public:
    Sink(ReadAhead& owner, const Targets& targets, int valuesPerRow, int eventLimit)
        : owner_(owner), targets_(targets), valuesPerRow_(valuesPerRow), eventLimit_(eventLimit)
    {
    }

    void infoLine(QByteArrayView line) override
    {
        piece_.infoLines += line;
        piece_.infoLines += '\n';
        // Older lines go here already: memory stays flat whatever the file
        // holds.
        keepNewestLines(piece_.infoLines, eventLimit_);
    }
    void parameterRecord(const Record::Parameter& record) override { piece_.parameters.push_back(record); }
    void plotRow(const PlotRow& row) override
    {
        if (!piece_.rows)
            piece_.rows = owner_.spareBatch(valuesPerRow_);
        ChartRowBatch& rows = *piece_.rows;
        rows.addRow(row.x);
        const int sensor = row.sensor;
        for (int k = 0; k < targets_.count[sensor]; ++k) {
            const Target& t = targets_.target[sensor][k];
            rows.setValue(t.slot, t.channel, row.value[t.value]);
        }
        if (rows.full())
            handPiece(false, 0);
    }
    bool stopRequested() override { return owner_.stop_.load(std::memory_order_relaxed); }
    void yieldNow(int64_t bytesRead) override
    {
        handPiece(true, bytesRead);
        std::unique_lock<std::mutex> lock(owner_.mutex_);
        owner_.changed_.wait(lock, [this] { return !owner_.waiting_; });
        for (int s = 1; s <= 6; ++s)
            owner_.reader_.setSensorShown(s, owner_.sensorShown_[s]);
    }
    // What is left at the end.
    void handRest()
    {
        if (piece_.rows || !piece_.infoLines.isEmpty() || !piece_.parameters.empty())
            handPiece(false, 0);
    }

private:
    void handPiece(bool yield, int64_t bytesRead)
    {
        piece_.yield = yield;
        piece_.bytesRead = bytesRead;
        owner_.hand(std::move(piece_));
        piece_ = ReadPiece();
    }

    ReadAhead& owner_;
    const Targets targets_;
    const int valuesPerRow_;
    const int eventLimit_;
    ReadPiece piece_;
};

void ReadAhead::keepNewestLines(QByteArray& lines, int limit)
{
    if (lines.size() > 8 * qsizetype(limit)) {
        const qsizetype excess = lines.size() - 4 * qsizetype(limit);
        lines.remove(0, lines.indexOf('\n', excess - 1) + 1);
    }
}

ReadAhead::ReadAhead(const LogfileReader::Settings& settings, const Targets& targets, int valuesPerRow,
                     int eventLimit)
    : reader_(settings), sink_(std::make_unique<Sink>(*this, targets, valuesPerRow, eventLimit))
{
    std::copy(settings.sensorShown, settings.sensorShown + 7, sensorShown_);
}

ReadAhead::~ReadAhead()
{
    if (!thread_.joinable())
        return;
    stop_ = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_ = false;
        pieces_.clear();
    }
    changed_.notify_all();
    // Pieces handed meanwhile are dropped as they come.
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return ended_ || !pieces_.empty() || waiting_; });
        pieces_.clear();
        waiting_ = false;
        changed_.notify_all();
        if (ended_)
            break;
    }
    thread_.join();
}

void ReadAhead::start(const QString& path)
{
    thread_ = std::thread([this, path] {
        LogfileReader::Result result = reader_.readFile(path, *sink_);
        sink_->handRest();
        std::lock_guard<std::mutex> lock(mutex_);
        result_ = std::move(result);
        ended_ = true;
        changed_.notify_all();
    });
}

std::unique_ptr<ChartRowBatch> ReadAhead::spareBatch(int valuesPerRow)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!spare_.empty()) {
            std::unique_ptr<ChartRowBatch> batch = std::move(spare_.back());
            spare_.pop_back();
            return batch;
        }
    }
    return std::make_unique<ChartRowBatch>(valuesPerRow);
}

void ReadAhead::hand(ReadPiece piece)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pieces_.size() < MaxPieces || stop_; });
    waiting_ = piece.yield;
    pieces_.push_back(std::move(piece));
    changed_.notify_all();
}

bool ReadAhead::take(std::deque<ReadPiece>& out)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pieces_.empty() || ended_; });
    if (pieces_.empty())
        return false;
    for (ReadPiece& piece : pieces_)
        out.push_back(std::move(piece));
    pieces_.clear();
    changed_.notify_all();
    return true;
}

void ReadAhead::recycle(std::unique_ptr<ChartRowBatch> batch)
{
    std::lock_guard<std::mutex> lock(mutex_);
    spare_.push_back(std::move(batch));
}

void ReadAhead::resume(bool stop, const bool sensorShown[7])
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::copy(sensorShown, sensorShown + 7, sensorShown_);
        stop_ = stop;
        waiting_ = false;
    }
    changed_.notify_all();
}
