// Raw records of a time range, read through the store's minute offsets (or
// whole files the store does not know), against the records worked out
// from the files line by line.
#include "HistoryTestFiles.h"
#include "history/HistoryBuilder.h"
#include "history/RawReader.h"
#include "history/SummaryStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <ctime>

using namespace HistoryTest;

namespace {

const QDate Autumn(2026, 10, 25);

// The history reads the system's zone, here Berlin, whose clocks go back
// an hour in the night of Autumn.
class RawRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedZone_ = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        for (const QDate& d : {Autumn.addDays(-1), Autumn, Autumn.addDays(1)})
            ASSERT_TRUE(writeFile(logs.filePath(fileName(d)), day(d, zone, 20, 3)));
        for (const QDate& d : {Autumn.addDays(-1), Autumn, Autumn.addDays(1)})
            reference.addFile(logs.filePath(fileName(d)));
    }
    void TearDown() override
    {
        qputenv("TZ", savedZone_);
        tzset();
    }
    QList<LogfileInfo> files() const { return LogfileCatalog(logs.path()).files(QStringLiteral("Main_Engine")); }
    BuildResult build() const
    {
        HistoryBuilder builder({store(), logs.path(), QStringLiteral("Main_Engine"), false, 2});
        return builder.buildAll(files());
    }
    QString store() const { return stores.filePath(QStringLiteral("store.sqlite")); }
    qint64 at(int hour, int minute, int offsetHours) const
    {
        return QDateTime(Autumn, QTime(hour, minute), QTimeZone(offsetHours * 3600)).toSecsSinceEpoch();
    }
    // What the reader gives for [from, to) against the reference.
    void expectRecords(qint64 from, qint64 to, int64_t* bytesRead = nullptr)
    {
        SummaryStore summaries(store(), logs.path(), false);
        const LogfileCatalog catalog(logs.path());
        RawReader reader(summaries, catalog, false);
        std::vector<RawRecord> got;
        ASSERT_TRUE(reader.read(QStringLiteral("Main_Engine"), from, to, got)) << qPrintable(reader.error());
        std::vector<Reference::Row> expected;
        for (const Reference::Row& r : reference.records())
            if (r.instant >= from && r.instant < to)
                expected.push_back(r);
        ASSERT_EQ(got.size(), expected.size());
        ASSERT_FALSE(got.empty());
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].instant, expected[i].instant) << i;
            ASSERT_EQ(got[i].sensor, expected[i].sensor) << i;
            for (int v = 0; v < 5; ++v)
                ASSERT_EQ(got[i].value[v], expected[i].values[v]) << i;
        }
        if (bytesRead)
            *bytesRead = reader.bytesRead();
    }

    QByteArray savedZone_;
    const QTimeZone zone{QByteArrayLiteral("Europe/Berlin")};
    QTemporaryDir logs;
    QTemporaryDir stores;
    Reference reference{zone};
};

TEST_F(RawRecords, AnHourReadsItsPartOfTheFileOnly)
{
    ASSERT_TRUE(build().complete());
    int64_t bytes = 0;
    expectRecords(at(13, 0, 1), at(14, 0, 1), &bytes);
    EXPECT_LT(bytes, QFile(logs.filePath(fileName(Autumn))).size() / 20);
    // The repeated hour: first its summer pass, then its winter one, read
    // from the middle of the file.
    expectRecords(at(2, 0, 2), at(3, 0, 2));
    expectRecords(at(2, 0, 1), at(2, 30, 1));
    expectRecords(at(0, 0, 2) - 7200, at(0, 0, 1) + 86400 + 3600); // over three files
}

TEST_F(RawRecords, FilesTheStoreDoesNotKnowAreReadWhole)
{
    expectRecords(at(2, 10, 1), at(2, 50, 1));
    ASSERT_TRUE(build().complete());
    ASSERT_TRUE(appendFile(logs.filePath(fileName(Autumn)), day(Autumn, zone, 600, 1).mid(500)));
    reference = Reference(zone);
    for (const QDate& d : {Autumn.addDays(-1), Autumn, Autumn.addDays(1)})
        reference.addFile(logs.filePath(fileName(d)));
    expectRecords(at(2, 10, 1), at(23, 50, 1));
}

// The window's way: in the background, told of every file as it is done.
class BackgroundBuild : public RawRecords {};

TEST_F(BackgroundBuild, TellsEachFileAndCanBeStopped)
{
    HistoryBuilder builder({store(), logs.path(), QStringLiteral("Main_Engine"), false, 2});
    QSignalSpy done(&builder, &HistoryBuilder::fileDone);
    QSignalSpy finished(&builder, &HistoryBuilder::finished);
    builder.start(files());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.first().first().value<BuildResult>().complete());
    ASSERT_EQ(done.size(), 3);
    for (const QList<QVariant>& notice : done) {
        const FileNotice n = notice.first().value<FileNotice>();
        Reference one(zone);
        one.addFile(logs.filePath(n.name));
        EXPECT_EQ(n.firstInstant, one.records().front().instant);
        EXPECT_EQ(n.endInstant, one.records().back().instant + 1);
    }

    // Stopped at once, nothing more is written; the next build finishes.
    for (const QDate& d : {Autumn.addDays(2), Autumn.addDays(3)})
        ASSERT_TRUE(writeFile(logs.filePath(fileName(d)), day(d, zone, 20, 3)));
    builder.stop();
    builder.start(files());
    builder.stop();
    ASSERT_TRUE(finished.wait(60000));
    const BuildResult stopped = finished.last().first().value<BuildResult>();
    EXPECT_TRUE(stopped.stopped || stopped.complete());
    const BuildResult again = build();
    EXPECT_TRUE(again.complete());
    EXPECT_EQ(again.built + again.kept, 5);
}

} // namespace
