#pragma once
// The whole lines of a byte range of a file, handed out as runs of lines in
// big blocks. A last line without its line end is not handed out: it is read
// once the file has grown past it. A line longer than a block cannot be any
// logfile line; it is passed over whole.
//
// Reads, never maps: a file being written or cut short meanwhile only reads
// short.
#include "history/PrefixChecksum.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

class QFile;

class WholeLines {
public:
    static constexpr size_t DefaultBlockBytes = size_t(1) << 20;

    // The range [from, to) of an open file; `from` must be a line start.
    // The checksum, when given, takes every byte up to end(). A reader of
    // many files passes the same buffer each time: a fresh one costs more
    // than the reading of a small file.
    WholeLines(QFile& file, int64_t from, int64_t to, PrefixChecksum* checksum = nullptr,
               std::vector<char>* buffer = nullptr);

    // The next run of whole lines (each ending in '\n') and its place in the
    // file; false at the end of the range, at the end of the file or after
    // a read error.
    bool next(QByteArrayView& run, int64_t& offset);
    // Where the first line not handed out begins.
    int64_t end() const { return end_; }
    int64_t overlongLines() const { return overlong_; }
    QString error() const { return error_; }

private:
    bool fill();
    void skipOverlong();

    QFile& file_;
    int64_t to_;
    PrefixChecksum* checksum_;
    std::vector<char> ownBuffer_;
    std::vector<char>& buffer_;
    size_t begin_ = 0;     // first byte not handed out
    size_t filled_ = 0;    // bytes read into the buffer
    int64_t position_ = 0; // the file offset of buffer_[0]
    int64_t end_ = 0;
    bool skipping_ = false;  // inside an overlong line
    PrefixChecksum beforeSkip_; // the checksum before it, should it never end
    int64_t overlong_ = 0;
    QString error_;
};
