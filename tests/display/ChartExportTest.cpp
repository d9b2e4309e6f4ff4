// File > Export: the CSV table read back and compared with the chart's rows,
// a stopped or failed export that leaves no file, the PNG at the chart's
// pixels and the PDF's texts as pdftotext reads them.
#include "chart/ChartCsvExport.h"
#include "display/ChartCsvExportJob.h"
#include "display/ChartExportCommands.h"
#include "chart/StripChartTime.h"
#include "chart/StripChartWidget.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
const QDateTime kStartTime(QDate(2026, 3, 14), QTime(9, 0, 0));
const double kStart = chartDaysFromDateTime(kStartTime);

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line breaks.
std::vector<QStringList> parseCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringList> records(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            records.back() << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            records.back() << field;
            field.clear();
            records.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    if (records.back().isEmpty() && field.isEmpty())
        records.pop_back();
    return records;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<StripChartChannel> threeChannels()
{
    std::vector<StripChartChannel> channels(3);
    channels[0].sensorName = QStringLiteral("Sensor1");
    channels[0].valueName = QStringLiteral("Oil Temperature");
    channels[0].unit = QStringLiteral("\u00B0C");
    channels[0].decimals = 1;
    channels[1].sensorName = QStringLiteral("Hidden");
    channels[1].visible = false;
    channels[2].sensorName = QStringLiteral("Tank \"A\", port");
    channels[2].valueName = QStringLiteral("TDN");
    channels[2].decimals = 2;
    return channels;
}

void addRow(StripChartStore& store, double x, std::initializer_list<std::pair<int, double>> values)
{
    store.addRow(x);
    for (const auto& [channel, value] : values)
        store.setValue(channel, value);
    store.closeRow();
}

TEST(ChartCsvExport, WritesTheShownChannelsOfTheRowsInTheRange)
{
    StripChartStore store;
    addRow(store, kStart, {{0, 1.0}});                                // before the range
    addRow(store, kStart + 1 * kSecond, {{0, 61.26}, {1, 5.0}, {2, -0.004}});
    addRow(store, kStart + 2 * kSecond, {{1, 7.0}});                  // only a hidden value: no line
    addRow(store, kStart + 3 * kSecond + 0.25 * kSecond, {{2, 12.5}}); // channel 0 missing: empty cell
    addRow(store, kStart + 4 * kSecond, {{0, -3.05}});
    addRow(store, kStart + 5 * kSecond, {{0, 9.0}});                  // after the range

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    ChartCsvExport csv(store, threeChannels(), kStart + 0.5 * kSecond, kStart + 4 * kSecond);
    ASSERT_TRUE(csv.open(path));
    while (csv.writeRows(1)) {
    }
    ASSERT_TRUE(csv.commit()) << csv.errorString().toStdString();

    const QByteArray bytes = readAll(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const std::vector<QStringList> rows = parseCsv(bytes);
    ASSERT_EQ(rows.size(), 4u) << bytes.toStdString();
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Time"), QStringLiteral("Sensor1 \u00B7 Oil Temperature (\u00B0C)"),
                                   QStringLiteral("Tank \"A\", port \u00B7 TDN")}));
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("2026-03-14T09:00:01.000"), QStringLiteral("61.3"),
                                   QStringLiteral("0.00")}));
    EXPECT_EQ(rows[2], (QStringList{QStringLiteral("2026-03-14T09:00:03.250"), QString(), QStringLiteral("12.50")}));
    EXPECT_EQ(rows[3], (QStringList{QStringLiteral("2026-03-14T09:00:04.000"), QStringLiteral("-3.0"), QString()}));
    EXPECT_EQ(csv.rowsWritten(), 3);
}

TEST(ChartCsvExport, SensorNameThatLooksLikeAFormulaStaysText)
{
    StripChartStore store;
    std::vector<StripChartChannel> channels(1);
    channels[0].sensorName = QStringLiteral("=HYPERLINK(\"x\")");
    QTemporaryDir dir;
    ChartCsvExport csv(store, channels, kStart, kStart + 1.0);
    ASSERT_TRUE(csv.open(dir.filePath(QStringLiteral("f.csv"))));
    EXPECT_FALSE(csv.writeRows(10));
    ASSERT_TRUE(csv.commit());
    EXPECT_EQ(parseCsv(readAll(dir.filePath(QStringLiteral("f.csv"))))[0].value(1),
              QStringLiteral("'=HYPERLINK(\"x\")"));
}

TEST(ChartCsvExport, RowsDroppedAndAddedBetweenStepsAreNeitherRepeatedNorSkipped)
{
    StripChartStore store;
    store.setCapacity(100);
    for (int i = 0; i < 100; ++i)
        addRow(store, kStart + i * kSecond, {{0, double(i)}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("live.csv"));
    ChartCsvExport csv(store, threeChannels(), kStart, kStart + 1.0);
    ASSERT_TRUE(csv.open(path));
    // A step, then 30 new rows push out the 30 oldest (20 not yet written),
    // then the rest; the rows that arrived after the start are not the view's.
    ASSERT_TRUE(csv.writeRows(10));
    for (int i = 100; i < 130; ++i)
        addRow(store, kStart + i * kSecond, {{0, double(i)}});
    while (csv.writeRows(7)) {
    }
    ASSERT_TRUE(csv.commit());

    const std::vector<QStringList> rows = parseCsv(readAll(path));
    ASSERT_EQ(rows.size(), 1u + 10u + 70u);
    for (size_t r = 1; r < rows.size(); ++r) {
        const int expected = r <= 10 ? int(r) - 1 : int(r) + 19;
        EXPECT_EQ(rows[r][1], QString::number(expected) + QStringLiteral(".0")) << r;
    }
    EXPECT_EQ(csv.rowsLost(), 20);
}

TEST(ChartCsvExportJob, StopOrFailureLeavesNoFileAndKeepsTheOldOne)
{
    StripChartStore store;
    store.setCapacity(400000);
    for (int i = 0; i < 300000; ++i)
        addRow(store, kStart + i * 0.001 * kSecond, {{0, double(i % 50)}, {2, 1.5}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents\n");
    }
    FakeProgressWindow progress;
    progress.stopAfter = 1;
    ChartCsvExportJob job(std::make_unique<ChartCsvExport>(store, threeChannels(), kStart, kStart + 1.0), progress);
    QSignalSpy finished(&job, &ChartCsvExportJob::finished);
    ASSERT_TRUE(job.start(path));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(0).at(0).value<ExportOutcome>(), ExportOutcome::Stopped);
    EXPECT_EQ(progress.percents.size(), 1u); // one step was written before the stop
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(readAll(path), QByteArray("old contents\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.csv")});

    // A folder that is a file cannot take the export: no job runs.
    ChartCsvExportJob blocked(std::make_unique<ChartCsvExport>(store, threeChannels(), kStart, kStart + 1.0),
                              progress);
    EXPECT_FALSE(blocked.start(path + QStringLiteral("/inside.csv")));
    EXPECT_FALSE(blocked.errorString().isEmpty());
}

class ChartExportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.resize(640, 320);
        chart.AddChannel(QStringLiteral("Value  11"), 0x00FFFF00, 0, 2);
        chart.AddChannel(QStringLiteral("Value  12"), 0x0000FF00, 1, 1);
        chart.SetChannelNames(0, QStringLiteral("Sensor1"), QStringLiteral("Oil Quality"), QString(), 0);
        chart.SetChannelNames(1, QStringLiteral("Sensor1"), QStringLiteral("Oil Temperature"),
                              QStringLiteral("\u00B0C"), 1);
        chart.SetChannelVisible(0, false);
        chart.SetXAxisSpan(60 * kSecond);
        for (int i = 0; i < 200; ++i) {
            chart.BeginRow();
            chart.AddRowAt(kStart + i * kSecond);
            chart.SetChannelValue(0, -1, 3.0);
            chart.SetChannelValue(1, -1, 20.0 + i % 7);
            chart.EndRow();
        }
    }

    QString runToFile(void (ChartExportCommands::*command)(), const QString& name)
    {
        files.answers.push_back(dir.filePath(name));
        (exports.*command)();
        return dir.filePath(name);
    }

    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(1, 41, 9))};
    StripChartWidget chart{nullptr, &clock};
    FakeFileDialog files;
    RecordingMessageBox messages;
    FakeProgressWindow progress;
    ChartExportCommands exports{{chart, files, messages, progress, clock}};
    QTemporaryDir dir;
};

TEST_F(ChartExportCommandsTest, CsvHoldsTheVisibleRangeOfTheShownChannels)
{
    QSignalSpy finished(&exports, &ChartExportCommands::csvFinished);
    const QString path = runToFile(&ChartExportCommands::exportCsv, QStringLiteral("table")) + QStringLiteral(".csv");
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(files.initialNames.value(0), QDir::home().filePath(QStringLiteral("chart-20261209-014109.csv")));

    const std::vector<QStringList> rows = parseCsv(readAll(path));
    ASSERT_GT(rows.size(), 50u);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Time"), QStringLiteral("Sensor1 \u00B7 Oil Temperature (\u00B0C)")}));
    // The view's first and last rows, as the chart holds them.
    const auto [x0, x1] = chart.visibleXRange();
    const StripChartStore& store = chart.store();
    const int64_t first = store.lowerBound(x0);
    EXPECT_EQ(rows.size() - 1, size_t(store.rowCount() - first));
    EXPECT_EQ(rows[1][0], chartDateTimeFromDays(store.x(first)).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
    EXPECT_EQ(rows.back()[1], QString::number(store.value(store.rowCount() - 1, 1), 'f', 1));
    EXPECT_LE(store.x(store.rowCount() - 1), x1);
    // For spreadsheets (the default) the table begins with UTF-8's mark, so
    // "°C" reads right when it is opened by a double-click; without, it
    // begins with its header.
    EXPECT_TRUE(readAll(path).startsWith("\xEF\xBB\xBFTime,"));
    exports.setForSpreadsheets(false);
    const QString plain = runToFile(&ChartExportCommands::exportCsv, QStringLiteral("plain.csv"));
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(readAll(plain).startsWith("Time,"));
}

TEST_F(ChartExportCommandsTest, PictureFilesShowTheChartAndItsReadout)
{
    const QString png = runToFile(&ChartExportCommands::exportPng, QStringLiteral("chart.PNG"));
    QImageReader reader(png);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), chart.size() * chart.devicePixelRatio());

    const QString pdf = runToFile(&ChartExportCommands::exportPdf, QStringLiteral("chart")) + QStringLiteral(".pdf");
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is missing";
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    // The y axis from -20 up, the time labels under the x axis and the
    // readout's time above its entry.
    EXPECT_TRUE(page.contains(QStringLiteral("-20"))) << page.toStdString();
    EXPECT_GE(page.count(QStringLiteral("3/14 09:0")), 3) << page.toStdString();
    const double cursorValue = chart.store().value(chart.CursorIndex(), 1);
    EXPECT_TRUE(page.contains(QStringLiteral("Sensor1 \u00B7 Oil Temperature %1 \u00B0C").arg(cursorValue, 0, 'f', 1)))
        << page.toStdString();
    EXPECT_TRUE(messages.shown.empty());

    // One page of the chart's shape, 1 pixel to 3/4 point.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("Page size:       480 x 240 pts")));
}

TEST_F(ChartExportCommandsTest, UnwritableFolderIsReportedWithThePathAndLeavesNothing)
{
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (auto command : {&ChartExportCommands::exportCsv, &ChartExportCommands::exportPng,
                         &ChartExportCommands::exportPdf}) {
        runToFile(command, QStringLiteral("not-a-folder/out"));
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().icon, MessageIcon::Error);
        EXPECT_TRUE(messages.shown.back().text.contains(dir.filePath(QStringLiteral("not-a-folder/out."))))
            << messages.shown.back().text.toStdString();
        messages.shown.clear();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("not-a-folder")});
}

} // namespace
