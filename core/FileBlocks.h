#pragma once
// A file handed out block after block, for reading straight through.
//
// Blocks are mapped into memory where the file allows it: the page cache is
// then read in place, where reading copies every byte once more, which for a
// gigabyte logfile costs half a second. Only one block is mapped at a time,
// so memory stays small whatever the file size. A file that cannot be mapped
// is read block by block into a buffer instead.
//
// A mapped file that is cut short while it is read (or whose medium is pulled
// out) reads zeros where pages went missing, and the reading ends with an
// error; see BusErrorGuard.
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class BusErrorGuard;
class QFile;

class FileBlocks {
public:
    // file must be open for reading; blockBytes is at least 1.
    FileBlocks(QFile& file, size_t blockBytes, bool mapIntoMemory);
    ~FileBlocks();
    FileBlocks(const FileBlocks&) = delete;
    FileBlocks& operator=(const FileBlocks&) = delete;

    // The next block; empty at the end of the file or after a read error.
    // The previous block is gone once this is called.
    QByteArrayView next();
    // Why reading stopped early; empty when it did not. The block handed out
    // last may then hold zeros instead of the file's bytes.
    QString error() const;

private:
    void release();

    QFile& file_;
    size_t blockBytes_;
    bool map_;
    int64_t size_;
    int64_t position_ = 0;
    uchar* mapped_ = nullptr;
    std::unique_ptr<BusErrorGuard> guard_; // while blocks are mapped
    std::vector<char> buffer_;
    QString error_;
};
