// The pieces every reading of the history stands on: whole lines out of any
// bytes, the checksum that tells a grown file from a rewritten one, and the
// stored form of buckets, which may come back damaged.
#include "HistoryTestFiles.h"
#include "history/BucketCodec.h"
#include "history/PrefixChecksum.h"
#include "history/WholeLines.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <random>

namespace {

uint64_t checksumOf(const QByteArray& bytes)
{
    PrefixChecksum c;
    c.add(bytes.constData(), size_t(bytes.size()));
    return c.digest();
}

struct Read {
    QList<QByteArray> lines;
    int64_t end = 0;
    int64_t overlong = 0;
    uint64_t checksum = 0;
};

Read readLines(const QString& path, int64_t from = 0)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    PrefixChecksum checksum;
    if (from > 0)
        checksum.add(file.read(from).constData(), size_t(from));
    WholeLines lines(file, from, file.size(), &checksum);
    Read r;
    QByteArrayView run;
    int64_t offset = 0;
    while (lines.next(run, offset))
        for (const QByteArray& l : run.toByteArray().split('\n'))
            if (!l.isEmpty())
                r.lines << l;
    r.end = lines.end();
    r.overlong = lines.overlongLines();
    r.checksum = checksum.digest();
    return r;
}

// Lines longer than a block are passed over, a last line without its end
// waits, and the checksum covers exactly what was read, wherever reading began.
TEST(ReadingPieces, WholeLinesOutOfAnyBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    const QByteArray junk(3 * int(WholeLines::DefaultBlockBytes), '\x80');
    const QByteArray whole = "first\r\n" + junk + "\r\nsecond\r\n" + QByteArray("\x00third\r\n", 8);
    ASSERT_TRUE(HistoryTest::writeFile(path, whole + junk.left(1500000)));
    for (const int64_t from : {int64_t(0), int64_t(7)}) {
        const Read r = readLines(path, from);
        EXPECT_EQ(r.lines.size(), from == 0 ? 3 : 2);
        EXPECT_EQ(r.lines.last(), QByteArray("\x00third\r", 7));
        EXPECT_EQ(r.end, whole.size());
        EXPECT_EQ(r.overlong, 1);
        EXPECT_EQ(r.checksum, checksumOf(whole));
    }
    ASSERT_TRUE(HistoryTest::writeFile(path, QByteArray()));
    EXPECT_EQ(readLines(path).end, 0);
}

TEST(ReadingPieces, ChecksumIsTheSameInAnyPiecesAndTellsChanges)
{
    std::mt19937 random(5);
    QByteArray bytes(100000, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random());
    for (int trial = 0; trial < 50; ++trial) {
        PrefixChecksum c;
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype n = std::min<qsizetype>(random() % 97, bytes.size() - at);
            c.add(bytes.constData() + at, size_t(n));
            at += n;
        }
        ASSERT_EQ(c.digest(), checksumOf(bytes));
    }
    QByteArray changed = bytes;
    changed[54321] = char(changed[54321] ^ 1);
    EXPECT_NE(checksumOf(changed), checksumOf(bytes));
    EXPECT_NE(checksumOf(bytes.left(99999)), checksumOf(bytes));
}

TEST(ReadingPieces, BucketsComeBackAsStoredAndDamagedOnesAreRefused)
{
    std::mt19937 random(9);
    std::vector<Bucket> buckets(300);
    int64_t start = 1767225600;
    for (Bucket& b : buckets) {
        b.start = start += 60 * (1 + random() % 3);
        b.end = b.start + 60;
        b.utcOffset = random() % 2 ? 3600 : 7200;
        for (SeriesSummary& s : b.series)
            for (int n = int(random() % 4); n > 0; --n)
                s.add(int16_t(random()));
    }
    std::vector<Bucket> back;
    const QByteArray stored = BucketCodec::encode(buckets);
    ASSERT_TRUE(BucketCodec::decode(stored, back));
    ASSERT_EQ(back.size(), buckets.size());
    for (size_t i = 0; i < back.size(); ++i) {
        ASSERT_EQ(back[i].start, buckets[i].start);
        ASSERT_EQ(back[i].end, buckets[i].end);
        ASSERT_EQ(back[i].utcOffset, buckets[i].utcOffset);
        for (int s = 0; s < Series::kCount; ++s)
            ASSERT_TRUE(back[i].series[s] == buckets[i].series[s]) << i << " " << s;
    }
    const QByteArray plain = qUncompress(stored);
    for (const QByteArray& damaged :
        { stored.left(stored.size() / 2), QByteArray(5000, '\x7f'), qCompress(plain.left(plain.size() - 3)),
            qCompress(plain + "x"), qCompress(QByteArray("\x01\xff\xff\xff\xff\x0f", 6)) })
        EXPECT_FALSE(BucketCodec::decode(damaged, back));
}

} // namespace
