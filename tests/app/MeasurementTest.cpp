#include "support/MainWindowHarness.h"

#include "app/DecoderView.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
const QByteArray Sensor1 = QByteArrayLiteral(":001E0226001900C800EB0021000000000000\r\n");

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Answers the stop confirmation with a typed password and a button.
std::function<void(QDialog&)> answerStop(const QString& password, const char* button)
{
    return [password, button](QDialog& d) {
        auto* text = d.findChild<QLineEdit*>(QStringLiteral("TextPassword"));
        ASSERT_NE(text, nullptr);
        text->setText(password);
        auto* push = d.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(push, nullptr);
        push->click();
    };
}

struct Measuring : ::testing::Test {
    MainWindowHarness h;
    QString logDir;

    void SetUp() override
    {
        logDir = h.home.filePath(QStringLiteral("logs"));
        QDir().mkpath(logDir);
        h.writeConfig(MainWindowHarness::defaultConfig() << QStringLiteral("LOGDIR=") + logDir + QLatin1Char('/'));
        h.load();
    }
    FrmMain& w() { return *h.window; }
    QString logfile() const { return logDir + QStringLiteral("/20260211VL_Main_Engine.vlg"); }
    QString eventfile() const { return logDir + QStringLiteral("/events_VELTRA.txt"); }
    void start()
    {
        w().controls().MenueStartStop->trigger();
        ASSERT_TRUE(w().measuring());
    }
};
} // namespace

TEST_F(Measuring, StartWritesHeaderDataLinesAndEvents)
{
    start();
    MainControls& c = w().controls();
    EXPECT_EQ(c.MenueStartStop->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(c.MenueFile->menuAction()->isEnabled());
    EXPECT_FALSE(c.MenueSetup->menuAction()->isEnabled());
    EXPECT_TRUE(h.port.portOpen());
    EXPECT_TRUE(c.TimerDisplay->isEnabled());
    EXPECT_TRUE(c.Timer_timeout->isEnabled());

    h.clock.advanceSeconds(1);
    h.port.feed(Sensor1);
    EXPECT_EQ(c.TextMessages->toPlainText(), QString::fromLatin1(Sensor1.trimmed()));

    const QStringList log = fileLines(logfile());
    ASSERT_EQ(log.size(), 9) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(log[0], QStringLiteral("#02-11-2026 10:34:25 Measure Started at Main_Engine !"));
    EXPECT_EQ(log[1], QStringLiteral("#02-11-2026 10:34:25 lbl_S1 Sensor1"));
    EXPECT_EQ(log[6], QStringLiteral("#02-11-2026 10:34:25 lbl_S6 Sensor6"));
    EXPECT_EQ(log[7], QStringLiteral("#02-11-2026 10:34:26 :001E0226001900C800EB0021000000000000"));
    EXPECT_EQ(log[8], QStringLiteral("#02-11-2026 10:34:26 Evaluator connected at Main_Engine !"));
    EXPECT_EQ(fileLines(eventfile()).first(), QStringLiteral("#02-11-2026 10:34:25 Measure Started at Main_Engine !"));
    EXPECT_TRUE(c.Txt_event->toPlainText().contains(QStringLiteral("Measure Started")));

    // The display tick plots the sensor and runs the relay tracking.
    const int64_t rowsBefore = h.chart.RowCount();
    ASSERT_TRUE(static_cast<FakeTimer*>(c.TimerDisplay)->fire());
    EXPECT_EQ(h.chart.RowCount(), rowsBefore + 1);
    EXPECT_TRUE(c.LED_RDY->Active());
    EXPECT_TRUE(c.Txt_event->toPlainText().contains(QStringLiteral("Ready Relay ON")));
}

TEST_F(Measuring, GaugeReadoutsCarryTheUnitOfTheShownValue)
{
    start();
    MainControls& c = w().controls();
    h.port.feed(Sensor1);
    const auto tickShowing = [&](int value) {
        c.OptionDisplayGauge[value]->setChecked(true);
        EXPECT_TRUE(static_cast<FakeTimer*>(c.TimerDisplay)->fire());
        return c.gaugeUnit[0]->text();
    };
    EXPECT_EQ(tickShowing(2), QStringLiteral("\u00B0C"));
    EXPECT_EQ(c.TextGauge[0]->text(), QStringLiteral("55.0"));
    EXPECT_EQ(c.gaugeUnit[5]->text(), QStringLiteral("\u00B0C"));
    EXPECT_EQ(tickShowing(3), QStringLiteral("%"));
    EXPECT_EQ(tickShowing(4), QString());
}

TEST_F(Measuring, WrongPasswordKeepsLoggingAndTheRightOneStops)
{
    start();
    h.dialogs.answer = answerStop(QStringLiteral("Kesmor"), "CmdContinue");
    w().controls().MenueStartStop->trigger();
    EXPECT_TRUE(w().measuring());
    EXPECT_EQ(w().controls().MenueStartStop->text(), QStringLiteral("Stop"));
    h.port.feed(Sensor1);
    EXPECT_EQ(fileLines(logfile()).size(), 9);

    h.dialogs.answer = answerStop(QStringLiteral("kesmor"), "CmdStop");
    w().controls().MenueStartStop->trigger();
    EXPECT_FALSE(w().measuring());
    EXPECT_EQ(w().controls().MenueStartStop->text(), QStringLiteral("Start"));
    EXPECT_FALSE(h.port.portOpen());
    EXPECT_EQ(fileLines(logfile()).last(), QStringLiteral("#02-11-2026 10:34:25 Measure Stopped at Main_Engine !"));
    EXPECT_EQ(fileLines(eventfile()).last(), QStringLiteral("#02-11-2026 10:34:25 Measure Stopped at Main_Engine !"));
    EXPECT_TRUE(w().controls().Txt_event->toPlainText().trimmed().endsWith(QStringLiteral("Measure Stopped")));
    EXPECT_TRUE(w().controls().MenueFile->menuAction()->isEnabled());
}

TEST_F(Measuring, MissingLogDirectoryForcesTheStopWithoutPassword)
{
    start();
    // The history store opens its file in the folder on its own thread; a
    // file made while the folder is being emptied keeps it, so try again.
    for (int attempt = 0; attempt < 100 && QDir(logDir).exists(); ++attempt)
        QDir(logDir).removeRecursively();
    ASSERT_FALSE(QDir(logDir).exists());
    // Two lines in one chunk: the rest of the chunk after the forced stop
    // (the second line, the connected report) must not repeat the logfile
    // message; the event file, in the same missing folder, reports once.
    h.port.feed(Sensor1 + Sensor1);
    EXPECT_TRUE(h.messages.shown.empty()) << "no message box inside the serial handler";
    QCoreApplication::processEvents();
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown.back().text,
              QStringLiteral("Directory for Eventfile doesn't exist, start setup Installation ! 3\n"
                             "No such file or directory"));
    EXPECT_EQ(h.messages.shown.front().text,
              QStringLiteral("Directory for Logfile doesn't exist, start setup Installation ! 1\n"
                             "No such file or directory"));
    EXPECT_EQ(h.dialogs.runs, 0);
    EXPECT_FALSE(w().measuring());
    EXPECT_EQ(w().controls().MenueStartStop->text(), QStringLiteral("Start"));
    EXPECT_FALSE(h.port.portOpen());
}

TEST_F(Measuring, CloseRequestAsksForThePasswordAndWritesTheExitLine)
{
    w().show();
    start();
    h.dialogs.answer = answerStop(QString(), "CmdContinue");
    EXPECT_FALSE(w().close());
    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(w().measuring());

    h.dialogs.answer = answerStop(QStringLiteral("kesmor"), "CmdStop");
    EXPECT_TRUE(w().close());
    EXPECT_TRUE(w().exited());
    EXPECT_FALSE(h.port.portOpen());
    EXPECT_EQ(fileLines(logfile()).last(), QStringLiteral("#02-11-2026 10:34:25 Measure Stopped"));
    // The exit line goes only to the data logfile.
    EXPECT_EQ(fileLines(eventfile()).size(), 1);
}

TEST_F(Measuring, ExtendedMessagesRecordOnlyWhileTheirWindowIsOpen)
{
    start();
    h.port.feed(Sensor1);
    QString shown;
    h.dialogs.answer = [&](QDialog& d) {
        h.port.feed(Sensor1);
        shown = d.findChild<QPlainTextEdit*>(QStringLiteral("TxtMessages_ext"))->toPlainText();
    };
    w().controls().cmd_ext->click();
    EXPECT_EQ(shown.count(QStringLiteral(":001E")), 1);
    EXPECT_FALSE(w().decoderView().recording);
}
