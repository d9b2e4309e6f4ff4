// File > Export in the real program: during a live measurement from the
// chart's own menu (the File menu is locked while measuring) into a CSV
// named in the real save dialog, and after the stop from File > Export into
// a PNG of the chart's size and a PDF of its texts.
#include "window/RealWindowTest.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class ExportWindowTest : public RealWindowTest {
protected:
    // File › Export › `item`, into `path` typed into the save dialog.
    void exportFromFileMenu(const QString& item, const QString& path)
    {
        x.click(twin->menuTitle(QStringLiteral("MenueFile")).center());
        settle(300);
        x.click(twin->menuItem(QStringLiteral("MenuFileExportItem")).center());
        settle(500);
        x.click(twin->menuItem(item).center());
        saveAs(path);
    }

    // Answers the save dialog with `path`, typed over the offered name.
    void saveAs(const QString& path)
    {
        ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Save As")) != 0; }, 10000));
        settle();
        x.key(QStringLiteral("ctrl+a"));
        x.type(path);
        x.key(QStringLiteral("Return"));
    }
};

TEST_F(ExportWindowTest, LiveRowsIntoCsvFromTheChartMenuAndTheChartIntoPngAndPdfFromTheFileMenu)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(true));
    const QString logfile = home.logfile(QDate::currentDate());
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(logfile).count(" :00") >= 3; }, 15000));
    settle(1500);

    // The chart's menu: "Print xy diagram", "Export" > "Chart as PNG...",
    // "Chart as PDF...", "Data as CSV...".
    const QRect chart = twin->onScreen(QStringLiteral("iStripChartX1"));
    x.click(chart.center(), 3);
    settle(300);
    for (const char* key : {"Down", "Down", "Right", "Down", "Down", "Return"}) {
        x.key(QString::fromLatin1(key));
        settle(150);
    }
    const QString csv = home.filePath(QStringLiteral("live-data"));
    ASSERT_NO_FATAL_FAILURE(saveAs(csv));
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(csv + QStringLiteral(".csv")); }, 15000));
    const QList<QByteArray> lines = readFileBytes(csv + QStringLiteral(".csv")).split('\n');
    ASSERT_GE(lines.size(), 3) << lines.join('\n').toStdString();
    const QString header = QString::fromUtf8(lines[0]);
    EXPECT_TRUE(header.startsWith(QStringLiteral("Time,Sensor1 \u00B7 "))) << header.toStdString();
    EXPECT_TRUE(header.contains(QStringLiteral("Sensor2 \u00B7 Oil Temperature (\u00B0C)"))) << header.toStdString();
    EXPECT_TRUE(QString::fromLatin1(lines[1]).contains(
        QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3},[-0-9.]+"))))
        << lines[1].toStdString();

    // Stopped, the File menu is open again. The simulator's parameter
    // record has brought the Evaluator menu, left of Stop.
    twin->showMenu(QStringLiteral("MenueEva"));
    x.click(twin->menuTitle(QStringLiteral("MenueStartStop")).center());
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("stop data logging")) != 0; }, 10000));
    settle();
    x.type(QStringLiteral("kesmor"));
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(logfile).contains("Measure Stopped at Main_Engine !"); }, 10000));
    settle();
    const QString png = home.filePath(QStringLiteral("chart.png"));
    ASSERT_NO_FATAL_FAILURE(exportFromFileMenu(QStringLiteral("MenuFileExportPng"), png));
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(png); }, 15000));
    EXPECT_EQ(QImageReader(png).size(), chart.size());

    // The same view as a PDF, its texts readable.
    const QString pdf = home.filePath(QStringLiteral("chart.pdf"));
    ASSERT_NO_FATAL_FAILURE(exportFromFileMenu(QStringLiteral("MenuFileExportPdf"), pdf));
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(pdf); }, 15000));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("-30"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Sensor1 \u00B7 Oil Temperature"))) << page.toStdString();
}

TEST_F(ExportWindowTest, LongCsvExportShowsItsProgressAndStopLeavesNoFile)
{
    const QString logfile = home.filePath(QStringLiteral("long.vlg"));
    QProcess make;
    make.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
               {QStringLiteral("--logfile"), logfile, QStringLiteral("--bytes"), QStringLiteral("500M")});
    ASSERT_TRUE(make.waitForFinished(60000) && make.exitCode() == 0);
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    ASSERT_NO_FATAL_FAILURE(loadThroughTheOpenDialog(logfile));

    // The whole file, some 5 M rows, into a CSV: the progress window comes
    // (titled with the program's name alone), and Escape stops it.
    const QString csv = home.filePath(QStringLiteral("all-rows.csv"));
    ASSERT_NO_FATAL_FAILURE(exportFromFileMenu(QStringLiteral("MenuFileExportCsv"), csv));
    const auto progressWindow = [&] {
        return x.run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--name"), QStringLiteral("^VELTRA Data Logger$")})
            .trimmed()
            .toULong();
    };
    ASSERT_TRUE(waitUntil([&] { return progressWindow() != 0; }, 10000));
    // Its bar moves on.
    const QRect frame = x.frameRect(progressWindow());
    EXPECT_TRUE(waitUntil([&] { return countNear(x.screen(), frame, qRgb(48, 140, 198), 30) > 20; }, 10000));
    x.key(QStringLiteral("Escape"));
    ASSERT_TRUE(waitUntil([&] { return progressWindow() == 0; }, 10000));
    settle();
    EXPECT_FALSE(QFileInfo::exists(csv));
    const QStringList left = QDir(home.path()).entryList({QStringLiteral("all-rows*")}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(' ')).toStdString();
}

} // namespace
