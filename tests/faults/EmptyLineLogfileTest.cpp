// A logfile of nothing but empty lines: every one of them is an event list
// line, so the list must keep only its newest text.
#include "logging/EventList.h"
#include "playback/LogfileTestSupport.h"
#include "playback/PlaybackWindow.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(EmptyLineLogfile, EventListKeepsOnlyTheNewestTextWhileLoading)
{
    QTemporaryDir dir;
    // 20 MB: ten million empty lines, then one info line at the very end.
    QByteArray file(20 * 1000 * 1000, '\n');
    for (qsizetype i = 0; i < file.size(); i += 2)
        file[i] = '\r';
    file += logLine("02-11-2026", "10:00:00", "Measure Stopped at Main_Engine !");
    PlaybackWindow w;
    w.load(writeFile(dir, QStringLiteral("empty-lines.vlg"), file));

    const QString list = w.c.Txt_event->toPlainText();
    EXPECT_LE(list.size(), EventList::MaxCharacters);
    EXPECT_GE(list.size(), EventList::MaxCharacters - 100);
    EXPECT_TRUE(list.trimmed().endsWith(QStringLiteral("Measure Stopped at Main_Engine !")));
    EXPECT_TRUE(w.chart.rows.empty());
}
