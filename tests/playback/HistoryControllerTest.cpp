#include "chart/StripChartWidget.h"
#include "history/NotesFile.h"
#include "playback/HistoryChartSource.h"
#include "playback/HistoryController.h"
#include "playback/PlaybackWindow.h"
#include "support/ProgramProcess.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QDate First(2026, 6, 1);

struct HistoryWindow {
    PlaybackWindow w;
    StripChartWidget chart;
    FakeClock clock{QDateTime(First.addDays(5), QTime(9, 0))};
    ScriptedDialogRunner dialogs;
    HistoryController history{{w.c, *w.controller, w.state, w.config, dialogs, w.fileDialog, w.messages, clock,
                               chart}};
    QTemporaryDir logs;

    HistoryWindow() { w.c.iStripChartX1 = &chart; }

    bool makeDays(int days)
    {
        return QProcess::execute(builtProgram(QStringLiteral("tools/evaluator-sim")),
                                 {QStringLiteral("--history"), logs.path(), QStringLiteral("--from"),
                                  First.toString(Qt::ISODate), QStringLiteral("--days"), QString::number(days),
                                  QStringLiteral("--every-seconds"), QStringLiteral("30")})
            == 0;
    }
    HistoryChoice choice(int days) const
    {
        HistoryChoice c;
        c.folder = logs.path();
        c.installation = QStringLiteral("Main_Engine");
        c.days = {First, First.addDays(days - 1)};
        c.values[2] = c.values[4] = true;
        c.sensors[1] = c.sensors[2] = true;
        return c;
    }
};
} // namespace

// The chart is handed the history, fills in as the summaries are built,
// shows a note written at once, and goes back to its own rows at Unload.
TEST(HistoryController, ARangeFillsInTakesNotesAndUnloadGivesTheChartBack)
{
    HistoryWindow h;
    ASSERT_TRUE(h.makeDays(3));
    h.history.open(h.choice(3));
    EXPECT_TRUE(h.history.active());
    EXPECT_TRUE(h.w.state.fileMode);
    EXPECT_TRUE(h.w.root.windowTitle().contains(QStringLiteral("History: Main_Engine 2026-06-01")));
    EXPECT_EQ(h.chart.ChannelCount(), 4); // two sensors, two values
    QTRY_VERIFY_WITH_TIMEOUT(!h.history.building(), 20000);
    QTRY_VERIFY(h.w.c.MenueFileUnload->isEnabled());
    h.chart.ShowAllRows();
    EXPECT_GT(h.chart.shownRows().rowCount(), 100);

    const int64_t noon = QDateTime(First.addDays(1), QTime(12, 0)).toSecsSinceEpoch();
    ASSERT_TRUE(h.history.addNote(Note{noon, QStringLiteral("Main_Engine"), 2, QStringLiteral("Oil changed")}));
    EXPECT_TRUE(h.w.c.Txt_event->toPlainText().contains(QStringLiteral("Sensor2: Oil changed")));
    ASSERT_EQ(h.history.source()->marks(0, 1e9).size(), 1u);
    EXPECT_EQ(NotesFile(h.logs.path()).read(QStringLiteral("Main_Engine")).size(), 1u);

    h.w.controller->MenueFileUnload_Click();
    EXPECT_FALSE(h.history.active());
    EXPECT_EQ(h.chart.shownRows().rowCount(), h.chart.store().rowCount());
}

// A note that cannot be written is said with the file and the reason.
TEST(HistoryController, ANoteThatCannotBeWrittenIsReported)
{
    HistoryWindow h;
    ASSERT_TRUE(h.makeDays(1));
    h.history.open(h.choice(1));
    QTRY_VERIFY_WITH_TIMEOUT(!h.history.building(), 20000);
    ASSERT_TRUE(QDir(h.logs.path()).mkdir(QStringLiteral("notes_VELTRA.txt"))); // a folder in its way
    EXPECT_FALSE(h.history.addNote(Note{0, QStringLiteral("Main_Engine"), 0, QStringLiteral("Sample taken")}));
    ASSERT_EQ(h.w.messages.shown.size(), 1u);
    EXPECT_TRUE(h.w.messages.shown[0].text.contains(QStringLiteral("notes_VELTRA.txt")));
}
