// The history's summary store on a disk that fills up while a measurement
// runs: the logfiles are written on, the summaries say why they are
// incomplete, and the history still shows (summarised in memory).
#include "ScratchFileSystem.h"

#include "config/ConfigValues.h"
#include "history/HistoryFollower.h"
#include "history/SummaryStore.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "support/Fakes.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QByteArray SensorLine = ":001E0226001900C800EB0021000000000000\r\n";
}

TEST(SummaryStoreFaults, AFullStoreDiskNeverStopsLoggingAndTheSummariesSayWhy)
{
    ScratchFileSystem disk(128 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << qPrintable(disk.error());
    QTemporaryDir logs;
    // The store beside the logfiles lives on the small disk, filled up.
    ASSERT_TRUE(QFile::link(disk.filePath(QStringLiteral("store.sqlite")),
                            logs.filePath(QStringLiteral("VELTRA-history.sqlite"))));
    QFile filler(disk.filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    filler.close();

    ConfigValues config;
    config.LOGDIR = logs.path() + QLatin1Char('/');
    LogState state;
    FakeClock clock(QDateTime(QDate(2026, 6, 10), QTime(12, 0)));
    LogWriter writer(state, config, clock);
    std::vector<WriteFailure> failures;
    QObject::connect(&writer, &LogWriter::writeFailed, [&](const WriteFailure& f) { failures.push_back(f); });
    writer.beginLogging();
    writer.writeStartHeader();
    HistoryFollower follower(clock);
    QSignalSpy updated(&follower, &HistoryFollower::updated);
    follower.follow(config.LOGDIR, config.INSTALLATION, false);
    for (int minute = 0; minute < 3; ++minute) {
        for (int second = 0; second < 60; ++second, clock.advanceSeconds(1))
            writer.writeDataLine(SensorLine, 0);
        follower.updateNow();
        ASSERT_TRUE(updated.wait(20000));
        EXPECT_FALSE(updated.last().at(0).value<BuildResult>().storeError.isEmpty());
    }
    EXPECT_TRUE(failures.empty());
    QFile logfile(state.logfileName);
    ASSERT_TRUE(logfile.open(QIODevice::ReadOnly));
    EXPECT_EQ(logfile.readAll().count(SensorLine.left(37)), 180);

    // Room again: the next reading brings the summaries up to date.
    ASSERT_TRUE(QFile::remove(disk.filePath(QStringLiteral("filler"))));
    follower.updateNow();
    ASSERT_TRUE(updated.wait(20000));
    EXPECT_TRUE(updated.last().at(0).value<BuildResult>().storeError.isEmpty());
    SummaryStore store(SummaryStore::defaultPath(logs.path()), logs.path(), false);
    std::vector<Bucket> days;
    const int64_t noon = clock.now().addSecs(-200).toSecsSinceEpoch();
    ASSERT_TRUE(store.buckets(config.INSTALLATION, Tier::Day, noon - 86400, noon + 86400, days));
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].of(1, 0).count, 180);
}
