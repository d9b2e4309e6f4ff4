// Reception over a real pseudo-terminal: the QSerialPort control, the line
// receiver, the record decoder and the logfile writer together, including a
// vanished device and its quiet reopening.
#include "config/ConfigValues.h"
#include "link/LineReceiver.h"
#include "link/MeasurementState.h"
#include "link/PortReopener.h"
#include "link/RecordDecoder.h"
#include "logging/LogWriter.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"
#include "support/DecodeChain.h"
#include "support/Fakes.h"
#include "support/RecordingSinks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {



// The far end of a pseudo-terminal, linked as serial/COM1 in a home directory.
class FarEnd {
public:
    bool open(const QString& home)
    {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return false;
        link_ = QDir(home).filePath(QStringLiteral("serial/COM1"));
        QFile::remove(link_);
        return QFile::link(QString::fromLocal8Bit(name), link_);
    }
    // Once the logger holds the device, only the master keeps our side up.
    void releaseSlave()
    {
        if (slave_ >= 0)
            ::close(slave_);
        slave_ = -1;
    }
    void write(const QByteArray& bytes) { ASSERT_EQ(::write(master_, bytes.constData(), bytes.size()), bytes.size()); }
    // The device goes away with its link, as an unplugged adapter's does: a
    // stale link could lead to another pseudo-terminal that reuses the name.
    void close()
    {
        if (!link_.isEmpty())
            QFile::remove(link_);
        releaseSlave();
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    ~FarEnd() { close(); }

private:
    QString link_;
    int master_ = -1;
    int slave_ = -1;
};

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SerialReceptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("serial")));
        config.LOGDIR = home.path() + QLatin1Char('/');
        writer.beginLogging();
        QObject::connect(&receiver, &LineReceiver::lineReceived, [this](const QByteArray& line) {
            ++linesReceived;
            chain.decode(line);
        });
        QObject::connect(&receiver, &LineReceiver::statusTextChanged, [this](const QString& s) { status = s; });
        // Count events ahead of the receiver, so the test can wait for each
        // chunk to arrive before writing the next.
        port.onComm = [this] {
            ++commEvents;
            receiver.MSComm1_OnComm();
        };
        port.setCommPort(1);
    }

    // Writes bytes and waits until the receiver has been handed them.
    void send(FarEnd& far, const QByteArray& bytes)
    {
        const int before = commEvents;
        far.write(bytes);
        ASSERT_TRUE(QTest::qWaitFor([&] { return commEvents > before; }, 5000));
    }

    QString logfile() const { return state.log.logfileName; }
    QString eventfile() const { return state.log.eventfileName; }

    QTemporaryDir home;
    ConfigValues config;
    MeasurementState state;
    FakeClock clock{QDateTime(QDate(2026, 2, 11), QTime(10, 34, 26))};
    LogWriter writer{state.log, config, clock};
    DecodeChain chain{state, &writer};
    RecordingSinks events;
    QtSerialPort port{home.path()};
    QtTimer watchdog;
    LineReceiver receiver{port, watchdog, state, config, events, writer};
    QtTimer retryTimer;
    PortReopener reopener{port, retryTimer};
    int commEvents = 0;
    int linesReceived = 0;
    QString status;
};

TEST_F(SerialReceptionTest, LinesSplitAnyWayAreLoggedExactlyAndAVanishedPortComesBackQuietly)
{
    FarEnd far;
    ASSERT_TRUE(far.open(home.path()));
    ASSERT_TRUE(port.setPortOpen(true)) << qPrintable(port.lastOpenError());
    far.releaseSlave();
    reopener.setEnabled(true);

    send(far, ":001E0226001900"); // a line in two chunks
    send(far, "C800EB0021000000000000\r\n");
    send(far, "\x01noise:0100FF9C001900C800EB0021000000000000\r\n:80VELTRA,run\r\n"); // garbage, two lines
    send(far, ":05000000:0214022600190"); // a second ":" before the line end
    send(far, "0C800EB0021\r\n:7F0000\r\n:00ZZ0226001900C800EB0021000000000000\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return linesReceived == 6; }, 5000)) << linesReceived;

    EXPECT_EQ(fileText(logfile()), QByteArray("#02-11-2026 10:34:26 Evaluator connected at Main_Engine !\r\n"
                                              "#02-11-2026 10:34:26 :001E0226001900C800EB0021000000000000\r\n"
                                              "#02-11-2026 10:34:26 :0100FF9C001900C800EB0021000000000000\r\n"
                                              "#02-11-2026 10:34:26 :80VELTRA,run\r\n"
                                              "#02-11-2026 10:34:26 :02140226001900C800EB0021\r\n"
                                              "#02-11-2026 10:34:26 :00000226001900C800EB0021000000000000\r\n"));
    EXPECT_EQ(fileText(eventfile()), QByteArray("#02-11-2026 10:34:26 Evaluator connected at Main_Engine !\r\n"));
    EXPECT_EQ(state.value(2, Slot::OilTemperature), -100);
    EXPECT_EQ(state.badLineCount, 1);
    EXPECT_EQ(events.codes, std::vector<int>{43});

    // The far end goes away. The port must be closed and the loss shown, and
    // the process must sit idle until the watchdog reports the silence.
    const double cpuBefore = cpuSeconds();
    far.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return status == QLatin1String("Port lost"); }, 5000));
    EXPECT_FALSE(port.portOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state.evaluatorConnected; }, 10000));
    EXPECT_LT(cpuSeconds() - cpuBefore, 1.0) << "reception spins after the device vanished";
    EXPECT_TRUE(fileText(eventfile()).endsWith("Evaluator not connected at Main_Engine !\r\n"));

    // A new device appears behind the same link: reception resumes by itself.
    FarEnd again;
    ASSERT_TRUE(again.open(home.path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return port.portOpen(); }, 10000));
    again.releaseSlave();
    clock.advanceSeconds(9);
    send(again, ":001E0226001900C800EB0021000000000000\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return linesReceived == 7; }, 5000));
    EXPECT_TRUE(fileText(logfile()).endsWith("#02-11-2026 10:34:35 :001E0226001900C800EB0021000000000000\r\n"
                                             "#02-11-2026 10:34:35 Evaluator connected at Main_Engine !\r\n"));
    EXPECT_EQ(status, QStringLiteral("no error"));
}

} // namespace
