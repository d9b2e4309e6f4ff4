// A CSV export onto a disk that fills up: the message names the file and the
// system's reason, and neither a part of the table nor its temporary file is
// left; a file of that name keeps what it held.
#include "faults/ScratchFileSystem.h"

#include "display/ChartExportCommands.h"
#include "chart/StripChartWidget.h"
#include "support/Fakes.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ExportFullDisk, TheMessageGivesPathAndReasonAndTheOldFileStays)
{
    ScratchFileSystem disk(256 * 1024);
    if (!disk.mounted())
        GTEST_SKIP() << qPrintable(disk.error());
    const QString path = disk.filePath(QStringLiteral("table.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept\n");
    }
    FakeClock clock;
    StripChartWidget chart(nullptr, &clock);
    chart.resize(640, 320);
    chart.AddChannel(QStringLiteral("Value  12"), 0x0000FF00, 1, 1);
    chart.SetXAxisSpan(1.0);
    chart.SetBufferSize(100000);
    for (int i = 0; i < 50000; ++i) {
        chart.BeginRow();
        chart.AddRowAt(46000.0 + i / 86400.0);
        chart.SetChannelValue(0, -1, i * 0.5);
        chart.EndRow();
    }
    FakeFileDialog files;
    files.answers.push_back(path);
    RecordingMessageBox messages;
    FakeProgressWindow progress;
    ChartExportCommands exports({chart, files, messages, progress, clock});
    QSignalSpy finished(&exports, &ChartExportCommands::csvFinished);
    exports.exportCsv();
    ASSERT_TRUE(finished.wait(30000));

    EXPECT_EQ(finished.at(0).at(0).value<ExportOutcome>(), ExportOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(path)) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("No space left on device")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(readFileBytes(path), QByteArray("kept\n"));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files), QStringList{QStringLiteral("table.csv")});

    // The pictures, on a disk filled to the last byte.
    {
        QFile filler(disk.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    for (auto command : {&ChartExportCommands::exportPng, &ChartExportCommands::exportPdf}) {
        messages.shown.clear();
        files.answers.push_back(path);
        (exports.*command)();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("No space left on device")))
            << messages.shown[0].text.toStdString();
    }
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("filler"), QStringLiteral("table.csv")}));
}
