// A measurement against the evaluator simulator over a pseudo-terminal,
// through the real serial port control.
#include "support/MainWindowHarness.h"

#include "platform/QtSerialPort.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Processes events until the condition holds or the time is up.
template <class Condition>
bool waitFor(Condition condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}
} // namespace

TEST(SimulatorMeasurement, LinesFromTheSimulatorReachTheLogfileAndTheWindow)
{
    const QString simulator = QStringLiteral(VELTRA_BINARY_DIR "/tools/evaluator-sim");
    if (!QFileInfo(simulator).isExecutable())
        GTEST_SKIP() << "evaluator-sim not built";

    MainWindowHarness h;
    const QString logDir = h.home.filePath(QStringLiteral("logs"));
    QDir().mkpath(logDir);
    QDir().mkpath(h.home.filePath(QStringLiteral("serial")));
    h.writeConfig(MainWindowHarness::defaultConfig() << QStringLiteral("LOGDIR=") + logDir + QLatin1Char('/'));
    h.clock.set(QDateTime::currentDateTime());

    QProcess sim;
    sim.start(simulator, {QStringLiteral("--pty"), QStringLiteral("--link"),
                          h.home.filePath(QStringLiteral("serial/COM1")), QStringLiteral("--sensors"),
                          QStringLiteral("2")});
    ASSERT_TRUE(sim.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(h.home.filePath(QStringLiteral("serial/COM1"))); }, 10000));

    QtSerialPort port(h.home.path());
    h.mainPort = &port;
    FrmMain& w = h.load();
    ASSERT_TRUE(h.messages.shown.empty());
    w.controls().MenueStartStop->trigger();
    ASSERT_TRUE(port.portOpen());

    const QString logfile = logDir + QLatin1Char('/') + h.clock.now().toString(QStringLiteral("yyyyMMdd"))
        + QStringLiteral("VL_Main_Engine.vlg");
    const bool logged = waitFor(
        [&] {
            const QString text = readAll(logfile);
            return text.contains(QStringLiteral(" :00")) && text.contains(QStringLiteral(" :01"));
        },
        15000);
    sim.kill();
    sim.waitForFinished();
    ASSERT_TRUE(logged) << readAll(logfile).toStdString();

    const QString text = readAll(logfile);
    EXPECT_TRUE(text.startsWith(QStringLiteral("#"))) << text.toStdString();
    EXPECT_TRUE(text.section(QStringLiteral("\r\n"), 0, 0).endsWith(QStringLiteral(" Measure Started at Main_Engine !")));
    EXPECT_TRUE(text.contains(QStringLiteral(" lbl_S6 Sensor6\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(" Evaluator connected at Main_Engine !\r\n")));
    EXPECT_TRUE(w.controls().Txt_event->toPlainText().contains(QStringLiteral("Measure Started")));
    EXPECT_FALSE(w.controls().TextMessages->toPlainText().isEmpty());
    // The parameter record shows the "Evaluator" menu.
    EXPECT_TRUE(waitFor([&] { return w.controls().MenueEva->menuAction()->isVisible(); }, 1));
}
