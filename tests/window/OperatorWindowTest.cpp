// The operator's window on a real desktop: the real program under Xvfb with
// the openbox window manager, against the simulator on a pseudo-terminal,
// read back through the window manager's stacking, the screen's pixels, the
// files and the printed PDF.
#include "window/RealWindowTest.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

class OperatorWindowTest : public RealWindowTest {};

const QRgb Red = qRgb(255, 0, 0);
const QRgb Maroon = qRgb(128, 0, 0);
const QRgb Orange = qRgb(255, 128, 0);
const QRgb Green = qRgb(0, 255, 0);

TEST_F(OperatorWindowTest, AlarmPopupStaysInSightAndLampsShowTheirColours)
{
    // Alarm relay 1 from second 3, alarm relay 2 from second 12.
    ASSERT_NO_FATAL_FAILURE(startLogger(true, QStringLiteral("alarms")));
    unsigned long popup = 0;
    ASSERT_TRUE(waitUntil([&] { return (popup = x.findWindow(QStringLiteral("Alarm info"))) != 0; }, 20000));
    settle();
    EXPECT_TRUE(onTop(popup));

    // Clear of the menu bar and of the relay lamps.
    const QRect popupFrame = x.frameRect(popup);
    EXPECT_GT(popupFrame.top(), twin->menuTitle(QStringLiteral("MenueFile")).bottom());
    EXPECT_FALSE(popupFrame.intersects(twin->onScreen(QStringLiteral("Frame_relais"))));

    // A click on the main window leaves the pop-up on top.
    x.click(twin->onScreen(QStringLiteral("Frame_relais")).center());
    settle();
    EXPECT_TRUE(onTop(popup));

    // Relay 1 and sensor 1's oil main alarm red, sensor 2's pre-alarm
    // orange, the unlit pre-alarm relay maroon, the ready lamps green.
    EXPECT_TRUE(lampShows(QStringLiteral("LED_Alarm"), Red));
    EXPECT_TRUE(lampShows(QStringLiteral("LED_Prealarm"), Maroon));
    EXPECT_TRUE(lampShows(QStringLiteral("oled_malm_0"), Red));
    EXPECT_TRUE(lampShows(QStringLiteral("oled_palm_1"), Orange));
    EXPECT_TRUE(lampShows(QStringLiteral("tled_malm_0"), Maroon));
    EXPECT_TRUE(lampShows(QStringLiteral("LED_RDY"), Green));
    EXPECT_TRUE(lampShows(QStringLiteral("sled_rdy_1"), Green));

    // The second alarm edge brings the pop-up back to the top, even after
    // the main window was activated.
    x.run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(main)});
    ASSERT_TRUE(waitUntil([&] { return lampShows(QStringLiteral("LED_Prealarm"), Red); }, 20000));
    settle();
    EXPECT_TRUE(onTop(popup));

    // Ending the program (with the password) records no confirmation that
    // nobody gave.
    x.run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(main)});
    x.key(QStringLiteral("alt+F4"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("stop data logging")) != 0; }, 10000));
    settle();
    x.type(QStringLiteral("kesmor"));
    x.key(QStringLiteral("Return"));
    ASSERT_TRUE(waitUntil([&] { return !logger.running(); }, 10000));
    const QByteArray log = readFileBytes(home.logfile(QDate::currentDate()));
    EXPECT_TRUE(log.endsWith(" Measure Stopped\r\n")) << log.right(200).toStdString();
    EXPECT_FALSE(log.contains("confirmed by user"));
    EXPECT_FALSE(readFileBytes(home.eventfile()).contains("confirmed by user"));
}

TEST_F(OperatorWindowTest, PrintFromTheFileMenuWritesAPdfWithTheCommentLines)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenuFilePrint"));
    // No printer here: the print dialog opens on a PDF file in the home.
    unsigned long dialog = 0;
    ASSERT_TRUE(waitUntil([&] { return (dialog = x.findWindow(QStringLiteral("Print"))) != 0; }, 10000));
    settle();
    x.key(QStringLiteral("Return"));
    QString pdf;
    ASSERT_TRUE(waitUntil(
        [&] {
            const QStringList found = QDir(home.path()).entryList({QStringLiteral("*.pdf")});
            pdf = found.isEmpty() ? QString() : home.filePath(found.first());
            return !pdf.isEmpty() && QFileInfo(pdf).size() > 0 && !x.findWindow(QStringLiteral("Print"));
        },
        10000));
    settle();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("PXM xy diagram"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Printed by VELTRA Data Logger Version 1.03_1")));
}

TEST_F(OperatorWindowTest, RestoredWindowFitsTheScreenAndScrollsToEveryPanel)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    // A double click on the title bar restores the maximized window.
    x.doubleClick(QPoint(XSession::Width / 2, x.frameRect(main).top() + 6));
    ASSERT_TRUE(waitUntil([&] { return x.clientRect(main).width() < XSession::Width; }, 10000));
    const QRect screen(0, 0, XSession::Width, XSession::Height);
    EXPECT_TRUE(waitUntil([&] { return screen.contains(x.frameRect(main)); }, 5000)) << x.frameRect(main).height();
    settle(800);

    // Far smaller than the panels need: the chart's left edge stays in view,
    // and scrolling brings the gauges on the right into view.
    x.run(QStringLiteral("xdotool"), {QStringLiteral("windowsize"), QString::number(main), QStringLiteral("800"),
                                      QStringLiteral("500")});
    ASSERT_TRUE(waitUntil([&] { return x.clientRect(main).width() == 800; }, 10000));
    settle(800);
    const QRect client = x.clientRect(main);
    const QRgb chartGround = qRgb(0x53, 0x53, 0x53);
    const QRgb gaugeGreen = qRgb(0, 128, 0);
    const QRect leftEdge(client.left(), client.top(), 80, client.height());
    EXPECT_GT(countNear(x.screen(), leftEdge, chartGround, 4), 1000);
    EXPECT_LT(countNear(x.screen(), client, gaugeGreen, 4), 100);

    const QPoint overChartFrame = client.topLeft() + QPoint(40, 40);
    x.run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(overChartFrame.x()),
                                      QString::number(overChartFrame.y()), QStringLiteral("click"),
                                      QStringLiteral("--repeat"), QStringLiteral("20"), QStringLiteral("7")});
    settle();
    EXPECT_GT(countNear(x.screen(), client, gaugeGreen, 4), 2000);
}

TEST_F(OperatorWindowTest, PortComesBackWhenItsLinkReturns)
{
    ASSERT_NO_FATAL_FAILURE(startLogger(true));
    const QString logfile = home.logfile(QDate::currentDate());
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(logfile).contains(" :00"); }, 15000));

    // The evaluator's adapter goes away with its link, then comes back.
    sim.stop();
    ASSERT_TRUE(waitUntil([&] { return readFileBytes(logfile).contains("Evaluator not connected"); }, 15000));
    const qsizetype before = readFileBytes(logfile).size();
    SimulatorProcess again;
    ASSERT_TRUE(again.start(home.serialLink()));
    EXPECT_TRUE(waitUntil([&] { return readFileBytes(logfile).mid(before).contains(" :00"); }, 15000));
    // The event follows the line that brought it.
    EXPECT_TRUE(waitUntil(
        [&] { return readFileBytes(logfile).mid(before).contains("Evaluator connected at Main_Engine !"); }, 5000));
}

TEST_F(OperatorWindowTest, LoadShowsItsProgressAndThenTheFileModeLabelInRed)
{
    const QString file = home.filePath(QStringLiteral("big.vlg"));
    QProcess make;
    make.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
               {QStringLiteral("--logfile"), file, QStringLiteral("--bytes"), QStringLiteral("300M")});
    ASSERT_TRUE(make.waitForFinished(60000) && make.exitCode() == 0);
    ASSERT_NO_FATAL_FAILURE(startLogger(false));
    const QRect client = x.clientRect(main);
    const QRect bar = twin->onScreen(QStringLiteral("statusBar"));
    const QRect statusBar(client.left(), bar.top(), client.width(), bar.height());
    const QRgb progressChunk = qRgb(48, 140, 198); // the style's highlight
    ASSERT_EQ(countNear(x.screen(), statusBar, progressChunk, 30), 0);

    clickMenu(QStringLiteral("MenueFile"), QStringLiteral("MenueFileLoad"));
    ASSERT_TRUE(waitUntil([&] { return x.findWindow(QStringLiteral("Open")) != 0; }, 10000));
    settle();
    x.type(file);
    x.key(QStringLiteral("Return"));
    // The screen is watched while the file is read.
    bool progressSeen = false;
    waitUntil([&] {
        progressSeen = progressSeen || countNear(x.screen(), statusBar, progressChunk, 30) > 20;
        return progressSeen;
    }, 20000);
    EXPECT_TRUE(progressSeen);
    ASSERT_TRUE(waitUntil([&] { return countNear(x.screen(), statusBar, progressChunk, 30) == 0; }, 30000));
    settle();
    EXPECT_GT(countNear(x.screen(), twin->onScreen(QStringLiteral("Lbl_mode")), qRgb(255, 0, 0), 40), 10);
}

} // namespace
