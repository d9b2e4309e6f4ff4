#include "history/WholeLines.h"

#include <QFile>
#include <algorithm>
#include <cstring>

WholeLines::WholeLines(QFile& file, int64_t from, int64_t to, PrefixChecksum* checksum, std::vector<char>* buffer)
    : file_(file), to_(to), checksum_(checksum), buffer_(buffer ? *buffer : ownBuffer_), position_(from), end_(from)
{
    if (buffer_.size() < DefaultBlockBytes)
        buffer_.resize(DefaultBlockBytes);
    if (!file_.seek(from))
        error_ = file_.errorString();
}

// Moves what is not handed out to the front and reads more behind it;
// false when nothing more comes. The buffer must not be full.
bool WholeLines::fill()
{
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, filled_ - begin_);
        position_ += int64_t(begin_);
        filled_ -= begin_;
        begin_ = 0;
    }
    const int64_t readTo = position_ + int64_t(filled_);
    const int64_t want = std::min<int64_t>(int64_t(buffer_.size() - filled_), to_ - readTo);
    if (want <= 0)
        return false;
    const qint64 got = file_.read(buffer_.data() + filled_, want);
    if (got < 0)
        error_ = file_.errorString();
    if (got <= 0)
        return false;
    filled_ += size_t(got);
    return true;
}

// The buffer holds nothing but part of one line: its bytes go (into the
// checksum only) until its line end comes.
void WholeLines::skipOverlong()
{
    if (!skipping_) {
        skipping_ = true;
        if (checksum_)
            beforeSkip_ = *checksum_;
    }
    if (checksum_)
        checksum_->add(buffer_.data() + begin_, filled_ - begin_);
    begin_ = filled_;
}

bool WholeLines::next(QByteArrayView& run, int64_t& offset)
{
    while (error_.isEmpty()) {
        if (begin_ == 0 && filled_ == buffer_.size())
            skipOverlong();
        if (!fill()) {
            if (skipping_ && checksum_)
                *checksum_ = beforeSkip_; // it never ended: it is read another time
            return false;
        }
        char* data = buffer_.data();
        if (skipping_) {
            const void* lineEnd = std::memchr(data, '\n', filled_);
            if (!lineEnd) {
                skipOverlong();
                continue;
            }
            begin_ = size_t(static_cast<const char*>(lineEnd) - data) + 1;
            if (checksum_)
                checksum_->add(data, begin_);
            skipping_ = false;
            ++overlong_;
            end_ = position_ + int64_t(begin_);
        }
        const void* lastEnd = memrchr(data + begin_, '\n', filled_ - begin_);
        if (!lastEnd)
            continue;
        const size_t runEnd = size_t(static_cast<const char*>(lastEnd) - data) + 1;
        run = QByteArrayView(data + begin_, qsizetype(runEnd - begin_));
        offset = position_ + int64_t(begin_);
        if (checksum_)
            checksum_->add(run.data(), size_t(run.size()));
        begin_ = runEnd;
        end_ = position_ + int64_t(runEnd);
        return true;
    }
    return false;
}
