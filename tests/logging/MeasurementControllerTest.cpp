#include "config/ConfigValues.h"
#include "logging/FrmAbort.h"
#include "logging/IMeasurementWindow.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "logging/MeasurementController.h"
#include "support/FakeDisplay.h"
#include "support/Fakes.h"
#include "support/RecordingSinks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FakeWindow final : public IMeasurementWindow {
public:
    explicit FakeWindow(QStringList& journal) : journal_(journal) {}
    void setStartStopCaption(const QString& c) override { caption = c; }
    void setMenusEnabled(bool enabled) override { menusEnabled = enabled; }
    bool fileMode() const override { return fileModeOn; }
    void requestStopLoading() override { journal_ << "stop loading"; }
    void applyTimeScale() override { journal_ << "time scale"; }
    void startWatchdog() override { journal_ << "watchdog on"; }
    void stopWatchdog() override { journal_ << "watchdog off"; }
    void endProgram() override { journal_ << "end"; }

    QString caption = "Start";
    bool menusEnabled = true;
    bool fileModeOn = false;

private:
    QStringList& journal_;
};


// Answers the password window: types the text, then presses a button.
std::function<void(QDialog&)> typeAndPress(const QString& password, const char* button)
{
    return [password, button](QDialog& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("TextPassword"), password);
        dialog.findChild<QPushButton*>(button)->click();
    };
}

class MeasurementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        config.LOGDIR = dir.path() + "/";
        messages.onShow = [this](const RecordingMessageBox::Shown& m) { journal << "message " + m.text.section('\n', 0, 0).right(1); };
    }
    QString logfile() const { return dir.path() + "/20260211VL_Main_Engine.vlg"; }
    QString eventfile() const { return dir.path() + "/events_VELTRA.txt"; }
    // The event file cannot be opened while a directory holds its name.
    void breakEventFile() { QFile::remove(eventfile()); QDir(dir.path()).mkdir("events_VELTRA.txt"); }

    QTemporaryDir dir;
    QStringList journal;
    ConfigValues config;
    LogState state;
    FakeClock clock;
    RecordingMessageBox messages;
    LogWriter writer{state, config, clock};
    FakeWindow window{journal};
    FakeSerialPort port;
    FakeTimer displayTimer;
    RecordingChart chart;
    RecordingSinks events{journal};
    ScriptedDialogRunner dialogs;
    MeasurementController controller{{window, port, displayTimer, &chart, writer, events, config, dialogs, messages,
                                      nullptr}};
    // Failures are reported once the writing call has returned.
    static void reportsArrive() { QCoreApplication::processEvents(); }
};

} // namespace

TEST_F(MeasurementTest, StartRunsItsStepsInOrder)
{
    events.onEvent = [this](EventCode) { EXPECT_FALSE(QFile::exists(logfile())) << "event 1 comes before the header"; };
    controller.MenueStartStop_Click();

    EXPECT_EQ(window.caption, "Stop");
    EXPECT_FALSE(window.menusEnabled);
    EXPECT_TRUE(controller.measuring());
    EXPECT_TRUE(port.portOpen());
    EXPECT_TRUE(displayTimer.isEnabled());
    EXPECT_EQ(chart.calls, QStringList({"BeginRow", "AddRowNow", "EndRow"}));
    ASSERT_EQ(chart.rows.size(), 1u);
    EXPECT_EQ(chart.rows[0].values.size(), 30u);
    EXPECT_EQ(journal, QStringList({"event 1/0", "time scale", "watchdog on"}));
    EXPECT_EQ(readFile(logfile()).count('\n'), 7);
    EXPECT_EQ(readFile(eventfile()), "#02-11-2026 10:34:25 Measure Started at Main_Engine !\r\n");
}

TEST_F(MeasurementTest, PortThatWillNotOpenStillStartsTheMeasurement)
{
    port.openFails = true;
    controller.MenueStartStop_Click();
    EXPECT_TRUE(controller.measuring());
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(journal.contains("watchdog on"));
}

TEST(FrmAbortPassword, StopEnabledOnlyOnExactMatchTypedCharByChar)
{
    FrmAbort dialog("kesmor");
    EXPECT_EQ(dialog.windowTitle(), "stop data logging");
    EXPECT_EQ(dialog.CmdContinue->text(), "Continue Logging");
    EXPECT_EQ(dialog.CmdStop->text(), "Stop Logging");
    EXPECT_FALSE(dialog.CmdStop->isEnabled());
    for (QChar c : QString("kesmo")) {
        QTest::keyClick(dialog.TextPassword, c.toLatin1());
        EXPECT_FALSE(dialog.CmdStop->isEnabled()) << dialog.TextPassword->text().toStdString();
    }
    QTest::keyClick(dialog.TextPassword, 'r');
    EXPECT_TRUE(dialog.CmdStop->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.CmdStop);
    QTest::keyClick(dialog.TextPassword, 'x');
    EXPECT_FALSE(dialog.CmdStop->isEnabled());

    dialog.TextPassword->setText("KESMOR");
    EXPECT_FALSE(dialog.CmdStop->isEnabled());
    dialog.CmdStop->click();
    EXPECT_EQ(dialog.GetStatus(), 0);
    dialog.TextPassword->setText("kesmor");
    dialog.CmdStop->click();
    EXPECT_EQ(dialog.GetStatus(), -1);
}

TEST_F(MeasurementTest, ContinueLoggingKeepsMeasuringAndWritesNothing)
{
    controller.MenueStartStop_Click();
    const QByteArray before = readFile(logfile());
    journal.clear();
    dialogs.answer = typeAndPress("kesmor", "CmdContinue");
    controller.MenueStartStop_Click();

    EXPECT_EQ(dialogs.runs, 1);
    EXPECT_EQ(window.caption, "Stop");
    EXPECT_TRUE(controller.measuring());
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(readFile(logfile()), before);
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(MeasurementTest, ConfirmedStopWritesStopTextsThenEvent2AndNextStartAppends)
{
    controller.MenueStartStop_Click();
    dialogs.answer = typeAndPress("kesmor", "CmdStop");
    events.onEvent = [this](EventCode code) {
        if (code == EventCode::MeasureStopped) {
            EXPECT_TRUE(readFile(logfile()).endsWith("#02-11-2026 10:34:25 Measure Stopped at Main_Engine !\r\n"));
            EXPECT_TRUE(readFile(eventfile()).endsWith("#02-11-2026 10:34:25 Measure Stopped at Main_Engine !\r\n"));
        }
    };
    journal.clear();
    controller.MenueStartStop_Click();

    EXPECT_EQ(journal, QStringList({"event 2/0", "watchdog off"}));
    EXPECT_EQ(window.caption, "Start");
    EXPECT_TRUE(window.menusEnabled);
    EXPECT_FALSE(controller.measuring());
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(displayTimer.isEnabled());

    clock.advanceSeconds(60);
    controller.MenueStartStop_Click();
    const QList<QByteArray> lines = readFile(logfile()).split('\n');
    ASSERT_EQ(lines.size(), 7 + 1 + 7 + 1);
    EXPECT_EQ(lines[8], "#02-11-2026 10:35:25 Measure Started at Main_Engine !\r");
}

TEST_F(MeasurementTest, CloseRequestWhileMeasuringNeedsThePassword)
{
    controller.MenueStartStop_Click();
    dialogs.answer = typeAndPress("kesmor", "CmdContinue");
    EXPECT_FALSE(controller.Form_QueryUnload());
    EXPECT_TRUE(controller.measuring());
    EXPECT_FALSE(journal.contains("end"));

    dialogs.answer = typeAndPress("kesmor", "CmdStop");
    journal.clear();
    EXPECT_TRUE(controller.Form_QueryUnload());
    EXPECT_TRUE(readFile(logfile()).endsWith("#02-11-2026 10:34:25 lbl_S6 Sensor6\r\n"
                                             "#02-11-2026 10:34:25 Measure Stopped\r\n"));
    EXPECT_FALSE(readFile(eventfile()).contains("Stopped"));
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(journal, QStringList({"end"}));

    // Quitting closes the window once more; that must not ask again.
    EXPECT_TRUE(controller.Form_QueryUnload());
    EXPECT_EQ(dialogs.runs, 2);
    EXPECT_EQ(journal, QStringList({"end"}));
}

TEST_F(MeasurementTest, ExitWhileStoppedWritesNoExitLine)
{
    port.setPortOpen(true);
    controller.MenueFileExit_Click();
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(QFile::exists(logfile()));
    EXPECT_EQ(journal, QStringList({"end"}));
    EXPECT_EQ(dialogs.runs, 0);
}

TEST_F(MeasurementTest, MissingDirectoryAtFirstDataLineStopsWithoutPassword)
{
    controller.MenueStartStop_Click();
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    journal.clear();
    writer.writeDataLine(":001E0226001900C800EB0021000000000000\r\n", 0);
    EXPECT_TRUE(journal.isEmpty()) << "nothing is shown inside the writing call";
    reportsArrive();

    EXPECT_EQ(dialogs.runs, 0);
    EXPECT_EQ(journal, QStringList({"event 2/0", "watchdog off", "message 1"}));
    EXPECT_EQ(window.caption, "Start");
    EXPECT_FALSE(state.LogWriteFailed);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(MeasurementTest, FailedHeaderWriteStopsTheStartOnceWithoutLooping)
{
    config.LOGDIR = dir.path() + "/missing/";
    controller.MenueStartStop_Click();
    reportsArrive();

    // The start sequence runs to its end (writing nothing more), then the
    // forced stop and the message.
    EXPECT_EQ(journal, QStringList({"event 1/0", "time scale", "watchdog on", "event 2/0", "watchdog off",
                                    "message 2"}));
    EXPECT_EQ(window.caption, "Start");
    EXPECT_FALSE(controller.measuring());
    EXPECT_EQ(port.openCalls, 2);
    EXPECT_EQ(dialogs.runs, 0);
    EXPECT_FALSE(state.LogWriteFailed);
}

TEST_F(MeasurementTest, EventFileFailureAtStartAsksThePasswordThenReports)
{
    breakEventFile();
    dialogs.answer = typeAndPress("", "CmdContinue");
    controller.MenueStartStop_Click();
    reportsArrive();

    EXPECT_EQ(dialogs.runs, 1);
    EXPECT_EQ(journal, QStringList({"event 1/0", "time scale", "watchdog on", "message 3"}));
    EXPECT_TRUE(controller.measuring());
    EXPECT_TRUE(state.EventWriteFailed);
    EXPECT_EQ(readFile(logfile()).count('\n'), 7);
}

TEST_F(MeasurementTest, StopConfirmedAfterEventFileFailureEndsTheMeasurement)
{
    breakEventFile();
    dialogs.answer = typeAndPress("kesmor", "CmdStop");
    controller.MenueStartStop_Click();
    reportsArrive();

    EXPECT_EQ(journal, QStringList({"event 1/0", "time scale", "watchdog on", "event 2/0", "watchdog off",
                                    "message 3"}));
    EXPECT_FALSE(controller.measuring());
    EXPECT_TRUE(readFile(logfile()).endsWith("#02-11-2026 10:34:25 lbl_S6 Sensor6\r\n"
                                             "#02-11-2026 10:34:25 Measure Stopped at Main_Engine !\r\n"));
}

TEST_F(MeasurementTest, WriteFailuresOutsideAMeasurementNeverStartOne)
{
    controller.MenueStartStop_Click();
    breakEventFile();
    dialogs.answer = typeAndPress("kesmor", "CmdStop");
    controller.MenueStartStop_Click(); // the stop text fails to reach the event file
    reportsArrive();
    EXPECT_EQ(dialogs.runs, 1);
    EXPECT_EQ(window.caption, "Start");
    EXPECT_FALSE(port.portOpen());

    // An alarm confirmed after the stop, with the directory gone.
    config.LOGDIR = dir.path() + "/missing/";
    writer.beginLogging();
    writer.SetInfotext("Mainalarm confirmed by user");
    reportsArrive();
    EXPECT_EQ(window.caption, "Start");
    EXPECT_FALSE(controller.measuring());
    EXPECT_FALSE(state.LogWriteFailed);
    EXPECT_TRUE(journal.endsWith("message 2"));
}

TEST_F(MeasurementTest, FileModeStartAndStopLeaveThePortAndFilesAlone)
{
    window.fileModeOn = true;
    controller.MenueStartStop_Click();
    EXPECT_TRUE(controller.measuring());
    EXPECT_EQ(port.openCalls, 0);
    EXPECT_TRUE(journal.isEmpty());

    dialogs.answer = typeAndPress("kesmor", "CmdStop");
    controller.MenueStartStop_Click();
    EXPECT_EQ(journal, QStringList({"stop loading"}));
    EXPECT_EQ(window.caption, "Start");
    EXPECT_FALSE(QFile::exists(logfile()));
}
