#include "core/FileBlocks.h"

#include "core/BusErrorGuard.h"

#include <QFile>
#include <algorithm>

namespace {
const QString CutShort = QStringLiteral("it was cut short, or its medium removed, while it was read");
} // namespace

FileBlocks::FileBlocks(QFile& file, size_t blockBytes, bool mapIntoMemory)
    : file_(file), blockBytes_(std::max<size_t>(blockBytes, 1)), map_(mapIntoMemory), size_(file.size())
{
    if (map_)
        guard_ = std::make_unique<BusErrorGuard>();
}

FileBlocks::~FileBlocks()
{
    release();
}

void FileBlocks::release()
{
    if (guard_)
        guard_->watch(nullptr, 0);
    if (mapped_)
        file_.unmap(mapped_);
    mapped_ = nullptr;
}

QString FileBlocks::error() const
{
    if (guard_ && guard_->tripped())
        return CutShort;
    return error_;
}

QByteArrayView FileBlocks::next()
{
    release();
    if (guard_ && guard_->tripped())
        return {};
    if (map_) {
        if (position_ >= size_)
            return {};
        const int64_t length = std::min<int64_t>(int64_t(blockBytes_), size_ - position_);
        mapped_ = file_.map(position_, length);
        if (mapped_) {
            guard_->watch(mapped_, size_t(length));
            position_ += length;
            return QByteArrayView(reinterpret_cast<const char*>(mapped_), qsizetype(length));
        }
        // Not a file that maps (a device, some network shares): read it.
        map_ = false;
        if (!file_.seek(position_)) {
            error_ = file_.errorString();
            return {};
        }
    }
    if (buffer_.empty())
        buffer_.resize(blockBytes_);
    const qint64 got = file_.read(buffer_.data(), qint64(buffer_.size()));
    if (got < 0)
        error_ = file_.errorString();
    if (got <= 0)
        return {};
    position_ += got;
    return QByteArrayView(buffer_.data(), qsizetype(got));
}
