#pragma once
// A file handed out block after block, for reading straight through.
//
// Blocks are mapped into memory where the file allows it: the page cache is
// then read in place, where reading copies every byte once more, which for a
// gigabyte logfile costs half a second. Only one block is mapped at a time,
// so memory stays small whatever the file size. A file that cannot be mapped
// is read block by block into a buffer instead.
//
// A mapped file that another program cuts short while it is read would fault
// on the missing pages; logfiles are only ever appended to.
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

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
    // Why reading stopped early; empty when it did not.
    QString error() const { return error_; }

private:
    void release();

    QFile& file_;
    size_t blockBytes_;
    bool map_;
    int64_t size_;
    int64_t position_ = 0;
    uchar* mapped_ = nullptr;
    std::vector<char> buffer_;
    QString error_;
};
