// A logfile written by the live path plays back to the values received, and
// the chart prints with its comment lines.
#include "LogfileTestSupport.h"
#include "PlaybackWindow.h"

#include "chart/StripChartWidget.h"
#include "support/DecodeChain.h"
#include "logging/LogWriter.h"
#include "playback/ChartPrint.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

TEST(PlaybackRoundTrip, LiveLoggedFilePlaysBackToTheReceivedValues)
{
    QTemporaryDir dir;
    ConfigValues config;
    config.LOGDIR = dir.path() + QLatin1Char('/');
    MeasurementState live;
    FakeClock clock(QDateTime(QDate(2026, 2, 11), QTime(10, 34, 25)));
    LogWriter writer(live.log, config, clock);
    std::vector<WriteFailure> failures;
    QObject::connect(&writer, &LogWriter::writeFailed, [&](const WriteFailure& f) { failures.push_back(f); });
    DecodeChain chain(live, &writer);
    writer.beginLogging();
    writer.writeStartHeader();

    // Two seconds of records of three sensors, each with its own values
    // (negative ones included); a record of the next second closes them.
    double received[4][6] = {};
    const char* fields[4] = {"", "F60226FFF600C8FF9C", "1E01F5001902BC00EB", "7F8001000A7FFF0000"};
    for (int second = 0; second < 2; ++second) {
        QByteArray parameters = ":8107K31Version 1.00 " + QByteArray(16, '-') + "SN12345603" + QByteArray(32, '0')
            + "051400000000\r\n";
        chain.decode(parameters);
        for (int s = 1; s <= 3; ++s) {
            QByteArray line = sensorRecord(s, fields[s]) + "\r\n";
            chain.decode(line);
            for (int v = 1; v <= 5; ++v)
                received[s][v] = live.value(s, v);
        }
        clock.advanceSeconds(1);
    }
    QByteArray closing = ":80,end\r\n";
    chain.decode(closing);
    ASSERT_TRUE(failures.empty());

    PlaybackWindow w;
    for (int v = 1; v <= 5; ++v)
        w.c.CheckChartDisplay[v]->setChecked(true);
    w.load(live.log.logfileName);
    ASSERT_EQ(w.chart.rows.size(), 6u);
    EXPECT_EQ(w.state.fileSensorCount, 3);
    for (int s = 1; s <= 3; ++s) {
        const int row = 3 + s - 1; // the second second's records
        ASSERT_EQ(w.chart.rows[size_t(row)].values.count(w.state.channelMap.sensorFirstChannel[s]), 1u);
        w.chart.cursorIndex = row;
        w.chart.onCursorChange();
        // Tenths come back in display units (the loss factor in percent, as
        // the live gauges show it), everything else as received.
        EXPECT_DOUBLE_EQ(w.state.cursorValues[s][1], received[s][1]) << s;
        EXPECT_DOUBLE_EQ(w.state.cursorValues[s][2], received[s][2] / 10) << s;
        EXPECT_DOUBLE_EQ(w.state.cursorValues[s][3], received[s][3] / 10) << s;
        EXPECT_DOUBLE_EQ(w.state.cursorValues[s][4], received[s][4]) << s;
        EXPECT_DOUBLE_EQ(w.state.cursorValues[s][5], received[s][5] / 10) << s;
    }
    EXPECT_DOUBLE_EQ(w.state.cursorValues[1][1], -10);
    EXPECT_DOUBLE_EQ(w.state.cursorValues[3][2], -3276.7);
}

TEST(ChartPrint, CommentLinesNeverAccumulateEvenAfterAFailedPrint)
{
    RecordingChart chart;
    chart.printSucceeds = false;
    EXPECT_FALSE(printplot(chart));
    chart.printSucceeds = true;
    EXPECT_TRUE(printplot(chart));
    ASSERT_EQ(chart.printed.size(), 2u);
    EXPECT_EQ(chart.printed[1], printCommentLines());
    EXPECT_EQ(chart.printed[1].size(), 6);
    EXPECT_EQ(chart.printed[1][1], QStringLiteral("PXM xy diagram"));
    EXPECT_EQ(chart.printed[1][4], QStringLiteral("Printed by VELTRA Data Logger Version 1.03_1"));
    EXPECT_TRUE(chart.printerComments.isEmpty());
    EXPECT_EQ(chart.orientation, 1);
    EXPECT_TRUE(chart.printShowDialog);
    EXPECT_EQ(chart.margins, (std::vector<double>{0.5, 0.5, 2.0, 2.0}));
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(ChartPrint, PdfPageHoldsTheSixCommentLinesAndTwoPrintsAgree)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    StripChartWidget chart;
    chart.resize(800, 300);
    chart.AddChannel(QStringLiteral("Value  12"), 0xFFFF00, 1, 1);
    for (int i = 0; i < 50; ++i) {
        chart.BeginRow();
        chart.AddRowAt(46064.0 + i / 86400.0);
        chart.SetChannelValue(0, -1, 40 + i % 7);
        chart.EndRow();
    }
    const QString first = dir.filePath(QStringLiteral("first.pdf"));
    const QString second = dir.filePath(QStringLiteral("second.pdf"));
    ASSERT_TRUE(printplotToPdf(chart, first));
    ASSERT_TRUE(printplotToPdf(chart, second));
    const QString text = pdfText(first);
    EXPECT_TRUE(text.contains(QStringLiteral("PXM xy diagram"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Printed by VELTRA Data Logger Version 1.03_1")));
    EXPECT_TRUE(text.contains(printCommentLines().last()));
    EXPECT_EQ(text.count(QStringLiteral("PXM xy diagram")), 1);
    EXPECT_EQ(pdfText(second), text);
}

} // namespace
