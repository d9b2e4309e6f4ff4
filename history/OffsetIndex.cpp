#include "history/OffsetIndex.h"

#include "history/RowParser.h"
#include "history/Varint.h"

#include <algorithm>

size_t OffsetIndex::firstFrom(int64_t minute) const
{
    return size_t(std::lower_bound(minutes.begin(), minutes.end(), minute) - minutes.begin());
}

QByteArray OffsetIndex::encode() const
{
    QByteArray out;
    Varint::put(out, size());
    int64_t minute = 0, offset = 0;
    for (size_t i = 0; i < size(); ++i) {
        Varint::putSigned(out, minutes[i] - minute);
        Varint::putSigned(out, offsets[i] - offset);
        // Mostly the second before the minute: a number near 1.
        Varint::put(
            out, latestBefore[i] == RowParser::NothingSeen ? 0 : 1 + Varint::zigzag(minutes[i] * 60 - latestBefore[i]));
        minute = minutes[i];
        offset = offsets[i];
    }
    return qCompress(out, 1);
}

bool OffsetIndex::decode(const QByteArray& stored)
{
    *this = OffsetIndex();
    const QByteArray bytes = qUncompress(stored);
    Varint::Reader in(bytes.constData(), size_t(bytes.size()));
    const uint64_t count = in.get();
    if (in.failed() || count > uint64_t(bytes.size()) / 3)
        return false;
    int64_t minute = 0, offset = 0;
    for (uint64_t i = 0; i < count; ++i) {
        minute += in.getSigned();
        offset += in.getSigned();
        const uint64_t latest = in.get();
        note(minute, offset, latest == 0 ? RowParser::NothingSeen : minute * 60 - Varint::unzigzag(latest - 1));
    }
    if (in.failed() || !in.atEnd() || size() != count) {
        *this = OffsetIndex();
        return false;
    }
    return true;
}
