#include "logging/FrmMessage_show.h"
#include "logging/frmstatustext.h"
#include "support/Fakes.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// What the main window does with each received line.
void receive(FrmMessage_show& window, QString& recorded, const QString& line)
{
    if (!window.recording())
        return;
    recorded += line;
    window.setMessages(recorded, int(recorded.size()));
}
} // namespace

TEST(ExtendedMessagesWindow, LinesBetweenStopAndContinueAreMissing)
{
    FrmMessage_show window;
    QString recorded;
    std::vector<bool> changes;
    QObject::connect(&window, &FrmMessage_show::recordingChanged, [&](bool r) { changes.push_back(r); });
    EXPECT_FALSE(window.recording());
    ScriptedDialogRunner runner;
    runner.answer = [&](QDialog&) {
        receive(window, recorded, ":01\r\n");
        window.Cmdstop->click();
        receive(window, recorded, ":02\r\n");
        window.Cmdcontinue->click();
        receive(window, recorded, ":03\r\n");
        window.Cmdclose->click();
        receive(window, recorded, ":04\r\n");
    };
    runner.exec(window);
    EXPECT_EQ(window.TxtMessages_ext->toPlainText(), ":01\n:03\n");
    EXPECT_TRUE(window.TxtMessages_ext->textCursor().atEnd());
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(window.windowTitle(), "Evaluator messages extended");
}

TEST(ExtendedMessagesWindow, ClosingByEscapeStopsRecording)
{
    FrmMessage_show window;
    ScriptedDialogRunner runner;
    runner.answer = [&](QDialog& dialog) {
        EXPECT_TRUE(window.recording());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(window.recording());
    };
    runner.exec(window);
}

TEST(StatusWindow, CopiesTheEventListOnOpenAndOnRefreshOnly)
{
    QString events;
    frmstatustext window([&] { return events; });
    ScriptedDialogRunner runner;
    runner.answer = [&](QDialog&) {
        EXPECT_EQ(window.Text_status->toPlainText(), QString());
        events = "02-11-2026 10:34:25 Measure Started\r\n";
        EXPECT_EQ(window.Text_status->toPlainText(), QString());
        window.Cmdrefresh->click();
        EXPECT_EQ(window.Text_status->toPlainText(), "02-11-2026 10:34:25 Measure Started\n");
        window.Cmdclose->click();
    };
    EXPECT_EQ(runner.exec(window), QDialog::Accepted);
    EXPECT_EQ(window.windowTitle(), "Status window");
}
