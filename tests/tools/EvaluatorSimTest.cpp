// The evaluator simulator as users and benchmarks run it: its records must
// decode as a real evaluator's, and its logfiles must have the logger's form.
#include "config/ConfigValues.h"
#include "support/DecodeChain.h"
#include "support/RecordingSinks.h"
#include "link/LineReceiver.h"
#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString simulatorPath()
{
    return QStringLiteral(VELTRA_BINARY_DIR "/tools/evaluator-sim");
}

TEST(EvaluatorSim, RecordsOnThePseudoTerminalDecodeAsARealEvaluator)
{
    if (!QFileInfo::exists(simulatorPath()))
        GTEST_SKIP() << "evaluator-sim not built";
    QTemporaryDir home;
    const QString link = home.filePath(QStringLiteral("serial/COM1"));
    QProcess sim;
    sim.start(simulatorPath(), {QStringLiteral("--pty"), QStringLiteral("--link"), link, QStringLiteral("--sensors"),
                                QStringLiteral("3")});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000));
    EXPECT_TRUE(sim.readLine().startsWith("/dev/"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(link).isSymLink(); }, 5000));

    MeasurementState state;
    ConfigValues config;
    DecodeChain chain(state);
    DecodeChain& view = chain;
    RecordingSinks events;
    QtSerialPort port(home.path());
    QtTimer watchdog;
    LineReceiver receiver(port, watchdog, state, config, events, events);
    QObject::connect(&receiver, &LineReceiver::lineReceived, [&](const QByteArray& line) { chain.decode(line); });
    ASSERT_TRUE(port.setPortOpen(true)) << qPrintable(port.lastOpenError());

    // The parameter record comes first, then a record per sensor each second.
    ASSERT_TRUE(QTest::qWaitFor([&] { return chain.lines.size() >= 8; }, 10000));
    EXPECT_EQ(chain.lines[0].second, Record::ParameterType);
    EXPECT_EQ(chain.lines[0].first.size(), 93);
    EXPECT_EQ(state.parameterInfo.modelCode, QStringLiteral("07K31"));
    EXPECT_EQ(state.sensorCount, 3);
    EXPECT_EQ(view.greyed, (std::vector<int>{3, 4, 5}));
    for (int sensor = 1; sensor <= 3; ++sensor) {
        EXPECT_GT(state.value(sensor, Slot::OilQuality), 10) << sensor;
        EXPECT_GT(state.value(sensor, Slot::OilTemperature), 300) << sensor;
        EXPECT_LT(state.value(sensor, Slot::OilTemperature), 800) << sensor;
        EXPECT_EQ(int(state.value(sensor, Slot::StatusWord)) & 0x1, 1) << "sensor ready";
    }
    EXPECT_EQ(int(state.value(1, Slot::StatusWord)), 0x21);
    EXPECT_EQ(state.badLineCount, 0);

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link outlived the simulator";
}

TEST(EvaluatorSim, GeneratedLogfileHasTheLoggerLineFormThroughout)
{
    if (!QFileInfo::exists(simulatorPath()))
        GTEST_SKIP() << "evaluator-sim not built";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20260211VL_Main_Engine.vlg"));
    QProcess sim;
    sim.start(simulatorPath(), {QStringLiteral("--logfile"), path, QStringLiteral("--bytes"), QStringLiteral("300k")});
    ASSERT_TRUE(sim.waitForFinished(30000));
    ASSERT_EQ(sim.exitCode(), 0);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_GE(text.size(), 300000);
    EXPECT_LT(text.size(), 301000);
    ASSERT_TRUE(text.endsWith("\r\n"));

    const QRegularExpression form(QStringLiteral("^#\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d (:[0-9A-F]{2}.*|[A-Za-z].*)$"));
    int sensorRecords = 0;
    int infoLines = 0;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        ASSERT_TRUE(line.endsWith('\r')) << line.constData();
        const QString body = QString::fromLatin1(line.chopped(1));
        ASSERT_TRUE(form.match(body).hasMatch()) << qPrintable(body);
        if (body.mid(21, 2) == QLatin1String(":0")) {
            ++sensorRecords;
            EXPECT_EQ(body.size(), 21 + 37) << qPrintable(body);
        } else if (body.at(21) != QLatin1Char(':'))
            ++infoLines;
    }
    EXPECT_GT(sensorRecords, 4000);
    EXPECT_GE(infoLines, 8); // start header and a connection line
    EXPECT_TRUE(text.startsWith("#02-11-2026 10:00:00 Measure Started at Main_Engine !\r\n"
                                "#02-11-2026 10:00:00 lbl_S1 Sensor1\r\n"));
}

} // namespace
