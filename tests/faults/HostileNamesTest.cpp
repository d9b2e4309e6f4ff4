// Names and lines from outside that would write elsewhere, fail obscurely
// or corrupt whatever shows the files.
#include "config/ConfigValues.h"
#include "logging/LogState.h"
#include "logging/LogWriter.h"
#include "playback/LogfileReader.h"
#include "playback/LogfileTestSupport.h"
#include "support/Fakes.h"
#include "support/ProgramProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class HostileNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("logs")));
        config.LOGDIR = logDir() + QLatin1Char('/');
    }
    QString logDir() const { return root.filePath(QStringLiteral("logs")); }
    QStringList filesOutsideLogDir() const
    {
        QStringList found;
        QDirIterator all(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (all.hasNext()) {
            const QString file = all.next();
            if (!file.startsWith(logDir() + QLatin1Char('/')) || file.mid(logDir().size() + 1).contains('/'))
                found << file;
        }
        return found;
    }

    QTemporaryDir root;
    ConfigValues config;
    LogState state;
    FakeClock clock;
    LogWriter writer{state, config, clock};
    std::vector<WriteFailure> failures;
    const QMetaObject::Connection watch = QObject::connect(
        &writer, &LogWriter::writeFailed, [this](const WriteFailure& f) { failures.push_back(f); });
};

const QByteArray SensorLine = ":001E0226001900C800EB0021000000000000\r\n";

} // namespace

TEST_F(HostileNames, InstallationNameWithSeparatorsAndDotsStaysInTheLogDirectory)
{
    // A folder that the escaping name would pass through.
    ASSERT_TRUE(QDir(logDir()).mkdir(QStringLiteral("20260211VL_")));
    for (const QString& name : {QStringLiteral("/../../outside/escaped2"), QStringLiteral(".."),
                                QStringLiteral("a\\..\\b"), QStringLiteral("x/./y")}) {
        config.INSTALLATION = name;
        writer.beginLogging();
        writer.writeStartHeader();
        writer.writeDataLine(SensorLine, 0);
        EXPECT_EQ(QFileInfo(state.logfileName).absolutePath(), logDir()) << qPrintable(name);
        EXPECT_TRUE(readFileBytes(state.logfileName).contains("Measure Started at " + name.toUtf8() + " !\r\n"));
    }
    EXPECT_EQ(filesOutsideLogDir(), QStringList());
    EXPECT_TRUE(failures.empty());
}

TEST_F(HostileNames, NameTooLongForTheFileSystemGetsItsOwnMessage)
{
    config.INSTALLATION = QString(300, QLatin1Char('n'));
    writer.beginLogging();
    writer.writeStartHeader();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].message, LogWriter::LogfileNameTooLong + QStringLiteral("\nFile name too long"));
}

TEST_F(HostileNames, ControlBytesReachNeitherFileButPrintableNamesStayAsTyped)
{
    config.INSTALLATION = QStringLiteral("Rig\x1b[31m");
    config.LBL_S[1] = QString::fromUtf8("\xc3\x96l\tPumpe\x07\x7f");
    config.LBL_S[2] = QString(QChar(0)) + QStringLiteral("Nul");
    writer.beginLogging();
    writer.writeStartHeader();
    writer.writeDataLine(QByteArrayLiteral(":80noise\x1b[2J\x00\x1b]0;title\x07\r\n"), 0x80);
    // Control bytes in the unsanitised text fields of a parameter record.
    writer.writeDataLine(QByteArrayLiteral(":8107K31V1.03\x1b"
                                           "2026-01unread#unread#xxSN-00042"
                                           "02032001F4035202EE00000003038403520514000000C8\r\n"),
                         0x81);

    for (const QString& file : {state.logfileName, state.eventfileName}) {
        const QByteArray bytes = readFileBytes(file);
        ASSERT_FALSE(bytes.isEmpty()) << qPrintable(file);
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte >= 0x20 ? byte != 0x7F : (c == '\t' || c == '\r' || c == '\n'))
                << qPrintable(file) << " holds byte " << int(byte);
        }
    }
    const QByteArray log = readFileBytes(state.logfileName);
    EXPECT_TRUE(log.contains(" Measure Started at Rig?[31m !\r\n"));
    EXPECT_TRUE(log.contains(" lbl_S2 \xc3\x96l\tPumpe??\r\n"));
    EXPECT_TRUE(log.contains(" lbl_S3 ?Nul\r\n"));
    EXPECT_TRUE(log.contains(" :80noise?[2J??]0;title?\r\n"));

    // Playback still reads the parameter record at its positions.
    RecordingSink sink;
    LogfileReader().readFile(state.logfileName, sink);
    ASSERT_EQ(sink.parameters.size(), 1u);
    EXPECT_EQ(sink.parameters[0].info.sensorCount, 2);
}
