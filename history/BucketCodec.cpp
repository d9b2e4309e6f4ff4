#include "history/BucketCodec.h"

#include "history/Varint.h"

namespace BucketCodec {

namespace {
constexpr char Form = 1;
// Level 1: on these columns it packs nearly as tight as the default and
// takes a third of the time, which the building pays for every file.
constexpr int CompressionLevel = 1;

constexpr size_t Columns = 3 + 6 * Series::kCount;

// One column of a field over all buckets, as steps.
template <typename Field>
char* putColumn(char* p, const std::vector<Bucket>& buckets, Field field)
{
    int64_t previous = 0;
    for (const Bucket& b : buckets) {
        const int64_t v = field(b);
        p = Varint::put(p, Varint::zigzag(v - previous));
        previous = v;
    }
    return p;
}

template <typename Store>
void getColumn(Varint::Reader& in, std::vector<Bucket>& buckets, Store store)
{
    int64_t previous = 0;
    for (Bucket& b : buckets) {
        previous += in.getSigned();
        store(b, previous);
    }
}
} // namespace

QByteArray encode(const std::vector<Bucket>& buckets)
{
    QByteArray out((buckets.size() * Columns + 2) * Varint::MaxBytes, Qt::Uninitialized);
    char* p = out.data();
    *p++ = Form;
    p = Varint::put(p, buckets.size());
    p = putColumn(p, buckets, [](const Bucket& b) { return b.start; });
    p = putColumn(p, buckets, [](const Bucket& b) { return b.end - b.start; });
    p = putColumn(p, buckets, [](const Bucket& b) { return int64_t(b.utcOffset); });
    for (int s = 0; s < Series::kCount; ++s) {
        p = putColumn(p, buckets, [s](const Bucket& b) { return int64_t(b.series[s].count); });
        p = putColumn(p, buckets, [s](const Bucket& b) { return b.series[s].sum; });
        p = putColumn(p, buckets, [s](const Bucket& b) { return int64_t(b.series[s].min); });
        p = putColumn(p, buckets, [s](const Bucket& b) { return int64_t(b.series[s].max); });
        p = putColumn(p, buckets, [s](const Bucket& b) { return int64_t(b.series[s].first); });
        p = putColumn(p, buckets, [s](const Bucket& b) { return int64_t(b.series[s].last); });
    }
    out.truncate(p - out.data());
    return qCompress(out, CompressionLevel);
}

bool decode(const QByteArray& stored, std::vector<Bucket>& out)
{
    out.clear();
    const QByteArray bytes = qUncompress(stored);
    if (bytes.isEmpty() || bytes[0] != Form)
        return false;
    Varint::Reader in(bytes.constData() + 1, size_t(bytes.size() - 1));
    const uint64_t count = in.get();
    // Every bucket takes at least one byte in each of its columns.
    if (in.failed() || count > uint64_t(bytes.size()) / Columns)
        return false;
    out.resize(size_t(count));
    getColumn(in, out, [](Bucket& b, int64_t v) { b.start = v; });
    getColumn(in, out, [](Bucket& b, int64_t v) { b.end = b.start + v; });
    getColumn(in, out, [](Bucket& b, int64_t v) { b.utcOffset = int32_t(v); });
    for (int s = 0; s < Series::kCount; ++s) {
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].count = int32_t(v); });
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].sum = v; });
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].min = int16_t(v); });
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].max = int16_t(v); });
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].first = int16_t(v); });
        getColumn(in, out, [s](Bucket& b, int64_t v) { b.series[s].last = int16_t(v); });
    }
    if (in.failed() || !in.atEnd()) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace BucketCodec
