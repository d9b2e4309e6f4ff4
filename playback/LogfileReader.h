#pragma once
// Reads a data logfile (or a former ".log" file of the same line form) and
// turns it into chart rows, event list lines and parameter records. Holds no
// widget and never the whole file: it reads in large blocks and keeps only
// the lines of the second being grouped.
//
// Record lines (":" at position 22) are grouped by their second and spread
// evenly over the second, stamped with the time of the line that closes
// the group. The last group of the file (or the lines read before a stop)
// has no closing line; it is stamped as if a line one second after its last
// line had closed it, which is how every earlier group of a regular file is
// stamped, so its rows follow on from the rest.
#include "core/Record.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// One chart row: the x (days since 30 December 1899) and the five values of
// one sensor's record as the chart shows them (the record's numbers over
// their chart divisors: oil quality as sent, the others in units).
struct PlotRow {
    double x = 0;
    int sensor = 0; // 1..6
    double value[5] = {};
};

// Receives what the reader finds, in file order.
class ILogfileSink {
public:
    virtual ~ILogfileSink() = default;
    // A line that is not an evaluator record, without its line end.
    virtual void infoLine(QByteArrayView line) = 0;
    virtual void parameterRecord(const Record::Parameter& record) = 0;
    virtual void plotRow(const PlotRow& row) = 0;
    // Asked before every line; true ends the reading as at the end of file.
    virtual bool stopRequested() = 0;
    // Called every YieldLines + 1 lines so that the user interface can run;
    // bytesRead counts the bytes of the file consumed so far.
    virtual void yieldNow(int64_t bytesRead) = 0;
};

class LogfileReader {
public:
    static constexpr int GroupCapacity = 500;
    static constexpr int YieldLines = 20000;
    static constexpr int64_t BigFileBytes = 50000000;
    // Longer lines keep only their first MaxLineLength bytes.
    static constexpr size_t MaxLineLength = 4096;

    struct Settings {
        bool swapDate = false;
        bool sensorShown[7] = {false, true, true, true, true, true, true}; // [1..6]
        // Files longer than this are grouped by the big-file rule.
        int64_t bigFileBytes = BigFileBytes;
        size_t blockBytes = size_t(4) << 20;
        // Read the file mapped into memory, a block at a time; a file that
        // cannot be mapped, or any file without this, is read into a buffer.
        bool mapFile = true;
    };

    struct Result {
        bool opened = false;
        QString error; // why the file could not be opened or read
        int64_t lines = 0;
        int64_t bytesRead = 0;
        int64_t fileSize = 0;
        bool stopped = false;
    };

    LogfileReader();
    explicit LogfileReader(const Settings& settings);

    // The sensor filter may change between yields (a sensor box unticked
    // while loading); records of hidden sensors are skipped.
    void setSensorShown(int sensor, bool shown);

    Result readFile(const QString& path, ILogfileSink& sink);

    // The reading of one line as readFile does it; for callers that have
    // lines in memory. finish() plots what is still grouped.
    void begin(ILogfileSink& sink, int64_t fileSize);
    void line(const char* text, size_t length);
    void finish();

private:
    // A record of the open group. A sensor record keeps its first 21
    // characters (its ":" and all its fields) and is decoded only when it is
    // plotted: many records of a large file are dropped for a time that does
    // not advance. Records of any other kind are not plotted.
    struct Entry {
        Record::Kind kind = Record::Kind::Other;
        int type = Record::UnreadableType;
        int parameterIndex = -1;
        uint8_t length = 0;
        char text[21] = {};
    };

    void recordLine(const char* text, size_t length);
    void enter(const char* text, size_t length);
    bool stampTime(const char* text, size_t length, int64_t& day, double& seconds);
    void closeGroup(const char* text, size_t length, int secondsLater);
    // Entry k (1-based) of a group of count entries, closed at `seconds` of
    // day `day`.
    void dispatch(const Entry& entry, int64_t day, double seconds, int k, int count);

    Settings settings_;
    bool inTenths_[5] = {}; // which values the chart shows in tenths
    ILogfileSink* sink_ = nullptr;
    int bigFileFlag_ = 0;
    int lineCounter_ = 0;
    int64_t consumed_ = 0;
    int groupState_ = 0;
    int groupSecond_ = 0;
    int n_ = 0;
    std::vector<Entry> group_ = std::vector<Entry>(GroupCapacity);
    std::vector<Record::Parameter> parameters_; // those of the open group
    char lastStamp_[21] = {}; // time stamp of the group's latest line
    size_t lastStampLength_ = 0;
    double lastX_ = 0;
    // The day and seconds (fraction included) that gave lastX_.
    int64_t lastDay_ = -1;
    double lastSeconds_ = 0;
    bool stampCacheValid_ = false;
    char cachedStamp_[20] = {};
    int64_t cachedDay_ = 0;
    double cachedSeconds_ = 0;
    bool dateCacheValid_ = false;
    int16_t cachedFirst_ = 0, cachedSecond_ = 0, cachedYear_ = 0;
    int64_t cachedDateDay_ = 0;
};
