#include "history/FileEvents.h"

#include "history/Varint.h"

namespace FileEventsCodec {

namespace {
constexpr char Form = 1;
constexpr int KindCount = 4;
} // namespace

QByteArray encode(const FileEvents& in)
{
    QByteArray out;
    out.reserve(qsizetype(in.events.size()) * 8 + 16);
    out.append(Form);
    Varint::put(out, in.events.size());
    int64_t previous = 0;
    for (const InfoEvent& e : in.events) {
        Varint::put(out, uint64_t(e.kind) | uint64_t(e.sensor) << 2 | uint64_t(e.code) << 5);
        Varint::putSigned(out, e.instant - previous);
        previous = e.instant;
        Varint::put(out, e.lastRecord == InfoEvent::NoRecord ? 0 : 1 + Varint::zigzag(e.instant - e.lastRecord));
        if (e.kind == InfoEvent::Kind::LoggerEnded)
            Varint::putSigned(out, e.instant - e.endedAt);
    }
    return out;
}

bool decode(const QByteArray& stored, FileEvents& out)
{
    const auto damaged = [&out] {
        out = FileEvents();
        return false;
    };
    out = FileEvents();
    if (stored.isEmpty() || stored[0] != Form)
        return false;
    Varint::Reader in(stored.constData() + 1, size_t(stored.size() - 1));
    const uint64_t count = in.get();
    if (count > uint64_t(stored.size())) // at least a byte each
        return false;
    out.events.resize(size_t(count));
    int64_t previous = 0;
    for (InfoEvent& e : out.events) {
        const uint64_t what = in.get();
        if ((what & 3) >= KindCount || (what >> 2 & 7) > 6 || (what >> 5) > 0x7FFF)
            return damaged();
        e.kind = InfoEvent::Kind(what & 3);
        e.sensor = int8_t(what >> 2 & 7);
        e.code = int16_t(what >> 5);
        e.instant = previous += in.getSigned();
        const uint64_t last = in.get();
        e.lastRecord = last == 0 ? InfoEvent::NoRecord : e.instant - Varint::unzigzag(last - 1);
        if (e.kind == InfoEvent::Kind::LoggerEnded)
            e.endedAt = e.instant - in.getSigned();
    }
    if (in.failed() || !in.atEnd())
        return damaged();
    return true;
}

} // namespace FileEventsCodec
