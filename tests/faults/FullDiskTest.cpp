// A disk that fills up while a measurement runs.
#include "LogLineChecks.h"
#include "ScratchFileSystem.h"

#include "config/ConfigValues.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "support/Fakes.h"
#include "support/ProgramProcess.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray SensorLine = ":001E0226001900C800EB0021000000000000\r\n";

struct Measurement {
    ConfigValues config;
    LogState state;
    FakeClock clock;
    LogWriter writer{state, config, clock};
    std::vector<WriteFailure> failures;
    bool stopped = false;

    // A failure stops the measurement, as the measurement control does.
    explicit Measurement(const QString& logDir)
    {
        config.LOGDIR = logDir + QLatin1Char('/');
        QObject::connect(&writer, &LogWriter::writeFailed, [this](const WriteFailure& failure) {
            failures.push_back(failure);
            stopped = true;
            writer.clearLogWriteFailed();
        });
    }
    // Starts, then writes data lines until the writer gives up (or the limit).
    int run(int limit)
    {
        stopped = false;
        writer.clearWriteFailures();
        writer.beginLogging();
        writer.writeStartHeader();
        int lines = 0;
        while (!stopped && lines < limit) {
            writer.writeDataLine(SensorLine, 0);
            ++lines;
        }
        return lines;
    }
};

} // namespace

TEST(FullDisk, LinesStayWholeAndTheMessageGivesTheSystemsReason)
{
    ScratchFileSystem disk(64 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << qPrintable(disk.error());
    // Room that can be given back once the disk is full.
    {
        QFile filler(disk.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(16 * 1024, 'x'));
    }
    Measurement m(disk.path());
    m.run(100000);
    ASSERT_TRUE(m.stopped);
    ASSERT_EQ(m.failures.size(), 1u);
    EXPECT_EQ(m.failures[0].message, LogWriter::LogfileFailedOnData + QStringLiteral("\nNo space left on device"));

    // The user makes room and measures again: the new header starts a line
    // of its own.
    ASSERT_TRUE(QFile::remove(disk.filePath(QStringLiteral("filler"))));
    m.clock.advanceSeconds(60);
    EXPECT_GT(m.run(50), 0);

    int damaged = 0;
    const QList<QByteArray> lines = wholeLines(readFileBytes(m.state.logfileName), &damaged);
    EXPECT_EQ(damaged, 0);
    EXPECT_GT(lines.size(), 500);
    EXPECT_EQ(lines.count(QByteArray("#02-11-2026 10:35:25 Measure Started at Main_Engine !")), 1);
}
