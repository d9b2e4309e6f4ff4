#pragma once
// Reads a logfile on a thread of its own and hands what it finds to the
// window's thread in pieces, in file order: chart rows already mapped to
// their channels, event list lines and parameter records.
//
// Between yields, parsing the next lines and storing the rows found so far
// run side by side. At every yield the reading waits until the window has
// taken everything up to it, run its events and called resume(), so a stop
// or a sensor unticked then takes effect at the next line, exactly as in a
// read on the window's thread.
#include "playback/ChartRowBatch.h"
#include "core/Record.h"
#include "playback/LogfileReader.h"

#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// What the read found since the last piece.
struct ReadPiece {
    std::vector<Record::Parameter> parameters;
    QByteArray infoLines; // each with its LF; only the newest eventLimit bytes or so
    std::unique_ptr<ChartRowBatch> rows;
    bool yield = false;   // the read waits for resume() after this piece
    int64_t bytesRead = 0;
};

class ReadAhead {
public:
    // Where a sensor's values go: value index 0..4, its slot in the row,
    // its chart channel.
    struct Target {
        int value, slot, channel;
    };
    struct Targets {
        Target target[7][5] = {}; // [sensor 1..6]
        int count[7] = {};
    };

    // Info lines beyond the newest eventLimit bytes (about) are dropped
    // already here: however many a file holds, only so many can be shown.
    ReadAhead(const LogfileReader::Settings& settings, const Targets& targets, int valuesPerRow, int eventLimit);
    ~ReadAhead(); // waits for the read to end; stop() first to end it early

    void start(const QString& path);
    // Waits for pieces and appends them to `out`; false once the read has
    // ended and every piece was taken.
    bool take(std::deque<ReadPiece>& out);
    // A taken batch, emptied, for the read to fill again.
    void recycle(std::unique_ptr<ChartRowBatch> batch);
    // After a yield piece: what the window decided meanwhile, then on.
    void resume(bool stop, const bool sensorShown[7]);
    // Once take() returned false.
    const LogfileReader::Result& result() const { return result_; }

    // Drops the oldest of LF-ended lines once they are well over `limit`
    // characters (a character takes at most four bytes), keeping whole lines.
    static void keepNewestLines(QByteArray& lines, int limit);

private:
    class Sink;

    void hand(ReadPiece piece);
    std::unique_ptr<ChartRowBatch> spareBatch(int valuesPerRow);

    LogfileReader reader_;
    std::unique_ptr<Sink> sink_;
    std::thread thread_;
    LogfileReader::Result result_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ReadPiece> pieces_;
    std::vector<std::unique_ptr<ChartRowBatch>> spare_;
    bool ended_ = false;
    bool waiting_ = false; // the read waits at a yield
    std::atomic<bool> stop_{false};
    bool sensorShown_[7] = {};
};
