// File > History in the real window: 30 generated days ending today, one day
// without a logfile and an oil change noted on another, seen whole from the
// pixels, zoomed by the wheel into an hour of one day (the records
// themselves), read with the cursor, and left again with Unload.
#include "window/RealWindowTest.h"

#include "history/NotesFile.h"

#include <QDateTime>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

constexpr int Days = 30;
constexpr int GapDay = 11;  // without a logfile
constexpr int NoteDay = 19; // an oil change at noon

class HistoryWindowTest : public RealWindowTest {
protected:
    QDate first = QDate::currentDate().addDays(1 - Days);

    bool makeHistory(const QStringList& extra = {}) const
    {
        QProcess make;
        make.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
                   QStringList{QStringLiteral("--history"), home.logDir(), QStringLiteral("--from"),
                               first.toString(Qt::ISODate), QStringLiteral("--days"), QString::number(Days),
                               QStringLiteral("--every-seconds"), QStringLiteral("10"), QStringLiteral("--gap-days"),
                               QString::number(GapDay)}
                       + extra);
        if (!make.waitForFinished(60000) || make.exitCode() != 0)
            return false;
        const int64_t noon = QDateTime(first.addDays(NoteDay), QTime(12, 0)).toSecsSinceEpoch();
        return NotesFile(home.logDir()).append(Note{noon, QStringLiteral("Main_Engine"), 2, QStringLiteral("Oil changed")},
                                               nullptr);
    }

    // Where a moment of the range is on the plot when the whole range shows
    // (the view leaves a fiftieth of the range before its first day).
    static int columnOfDay(const QRect& plot, double day)
    {
        const double shown = Days * 1.02;
        return plot.left() + int(std::lround((day + Days * 0.02) / shown * plot.width()));
    }

    // The width of the cursor's readout box: its red frame along its top.
    static int readoutWidth(const QImage& screen, const QRect& plot)
    {
        int widest = 0;
        for (int y = plot.top(); y < plot.top() + 12; ++y) {
            int run = 0;
            for (int x = plot.left(); x <= plot.right(); ++x) {
                run = colourDistance(screen.pixel(x, y), qRgb(255, 0, 0)) <= 30 ? run + 1 : 0;
                widest = std::max(widest, run);
            }
        }
        return widest;
    }

    void openTheLast30Days()
    {
        clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenuFileHistory"));
        ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("History")) != 0; }, 10000));
        settle();
        x.key(QStringLiteral("Return")); // the last 30 days, the chart's values and sensors
        ASSERT_NO_FATAL_FAILURE(waitUntilLoaded());
    }
};

TEST_F(HistoryWindowTest, ThirtyDaysWholeWithTheirGapAndNoteThenAnHourOfRecordsThenUnload)
{
    ASSERT_TRUE(makeHistory());
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    ASSERT_NO_FATAL_FAILURE(openTheLast30Days());
    EXPECT_TRUE(x.run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(main)})
                    .contains(QStringLiteral("History: Main_Engine")));

    QImage screen = x.screen();
    const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        screen.save(folder + QStringLiteral("/history.png"));
    const QRect plot = plotOnScreen(screen);
    ASSERT_GT(plot.width(), 300);
    // Below the readout's box, for counting curves while the cursor shows.
    const QRect lowerPlot = plot.adjusted(0, plot.height() / 2, 0, 0);
    const auto curves = [&](const QImage& image) {
        const std::vector<bool> c = curveColumns(image, lowerPlot);
        return std::count(c.begin(), c.end(), true);
    };
    const QPoint belowTheReadout(plot.left() + plot.width() / 2, plot.bottom() - 20);
    const int summaryBox = readoutWidth(screen, plot);
    x.doubleClick(belowTheReadout); // the cursor off: the curves alone
    settle(800);
    screen = x.screen();
    const std::vector<bool> columns = curveColumns(screen, plot);
    // The range whole: curves from its first day to its last, the day
    // without a logfile an empty stretch where it belongs.
    EXPECT_TRUE(columns[size_t(columnOfDay(plot, 0.5) - plot.left())]);
    EXPECT_TRUE(columns[size_t(columnOfDay(plot, Days - 0.5) - plot.left())]);
    const auto [gapStart, gapWidth] = widestGap(columns);
    EXPECT_NEAR(plot.left() + gapStart, columnOfDay(plot, GapDay), 3);
    EXPECT_NEAR(gapWidth, plot.width() / (Days * 1.02), 4);
    // The note: an orange dashed line at its moment, its text in a box.
    const int note = columnOfDay(plot, NoteDay + 0.5);
    EXPECT_GT(countNear(screen, QRect(note - 2, plot.top(), 5, plot.height()), qRgb(255, 165, 0), 40), 40);

    // The wheel at noon of day 5, down to an hour: the records themselves.
    const QPoint day5(columnOfDay(plot, 5.5), plot.center().y());
    x.run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(day5.x()), QString::number(day5.y()),
                                      QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("26"),
                                      QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("4")});
    settle(1200);
    x.doubleClick(belowTheReadout); // the cursor back
    settle(800);
    screen = x.screen();
    const int recordBox = readoutWidth(screen, plot);
    // Over summaries each entry reads "min / mean / max" under the span of
    // the column's buckets; over records, a value under one time.
    EXPECT_GT(summaryBox, recordBox + 60);
    EXPECT_GT(recordBox, 100);
    EXPECT_GT(curves(screen), plot.width() * 3 / 4);
    if (!folder.isEmpty())
        screen.save(folder + QStringLiteral("/history-hour.png"));

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenueFileUnload"));
    settle(1500);
    screen = x.screen();
    EXPECT_FALSE(x.run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(main)})
                     .contains(QStringLiteral("History")));
    EXPECT_EQ(countNear(screen, twin->onScreen(QStringLiteral("Lbl_mode")), qRgb(255, 0, 0), 60), 0);
    EXPECT_EQ(curves(screen), 0);
}

// The rows of a table on the screen: bands of lines holding dark text,
// below its header.
int textRows(const QImage& screen, const QRect& table)
{
    int rows = 0;
    bool inRow = false;
    for (int y = table.top(); y <= table.bottom(); ++y) {
        const bool text = countNear(screen, QRect(table.left(), y, table.width(), 1), qRgb(0, 0, 0), 90) > 2;
        rows += text && !inRow ? 1 : 0;
        inRow = text;
    }
    return rows;
}

TEST_F(HistoryWindowTest, JournalListsTheAlarmsAChosenOneIsShownOnTheChartAndTheRangeIsReported)
{
    ASSERT_TRUE(makeHistory({QStringLiteral("--alarms")}));
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    ASSERT_NO_FATAL_FAILURE(openTheLast30Days());

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenuFileJournal"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Journal")) != 0; }, 10000));
    settle(1000);
    const unsigned long journal = x.findWindow(QStringLiteral("Journal"));
    const QRect client = x.clientRect(journal);
    QImage screen = x.screen();
    const QString folder = qEnvironmentVariable("VELTRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        screen.copy(client).save(folder + QStringLiteral("/journal.png"));
    // The table below the filters and its header: the first row at about
    // 80 pixels, the alarm episodes of the month one to a row.
    const QRect rowsArea(client.left() + 10, client.top() + 70, client.width() - 40, client.height() - 80);
    EXPECT_GE(textRows(screen, rowsArea), 10);

    // The first entry (the latest, newest first) chosen: the chart shows
    // its hours, in which no day is missing.
    x.doubleClick(QPoint(client.left() + 60, client.top() + 78));
    settle(800);
    x.key(QStringLiteral("Escape"));
    settle(1000);
    screen = x.screen();
    const QRect plot = plotOnScreen(screen);
    const QRect lowerPlot = plot.adjusted(0, plot.height() / 2, 0, 0);
    const std::vector<bool> columns = curveColumns(screen, lowerPlot);
    EXPECT_LT(widestGap(columns).second, plot.width() / 100) << "the whole month with its missing day is still shown";

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenuFileReport"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Report")) != 0; }, 10000));
    settle();
    x.key(QStringLiteral("Return")); // the history shown
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Save As")) != 0; }, 10000));
    settle();
    const QString pdf = home.filePath(QStringLiteral("month.pdf"));
    x.key(QStringLiteral("ctrl+a"));
    x.type(pdf);
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(pdf); }, 60000)) << logger.output().toStdString();
    settle(500);
    const QString text = x.run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Main_Engine")));
    EXPECT_TRUE(text.contains(first.toString(Qt::ISODate)));
    EXPECT_TRUE(text.contains(QStringLiteral("Oil changed")));
}

} // namespace
