#include "platform/PortSettings.h"
#include "platform/QtSerialPort.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

TEST(PortSettings, OfferedRatesAndTheEvaluatorFramingAreAccepted)
{
    for (const char* text : {"9600,n,8,1", "19200,n,8,1", "38400,N,8,1", "57600,n,8,1"}) {
        const auto s = parsePortSettings(QString::fromLatin1(text));
        ASSERT_TRUE(s) << text;
        EXPECT_EQ(s->parity, QSerialPort::NoParity);
        EXPECT_EQ(s->dataBits, QSerialPort::Data8);
        EXPECT_EQ(s->stopBits, QSerialPort::OneStop);
    }
    EXPECT_EQ(parsePortSettings(QStringLiteral("57600,n,8,1"))->baudRate, 57600);
    EXPECT_EQ(parsePortSettings(QStringLiteral("9600,e,7,2"))->parity, QSerialPort::EvenParity);
}

TEST(PortSettings, MistypedSettingsAreRefusedSoThePortTestFails)
{
    for (const char* text : {"", "9600", "9601,n,8,1", "abc,n,8,1", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3",
                             "9600,n,8,1,1", "-9600,n,8,1"})
        EXPECT_FALSE(parsePortSettings(QString::fromLatin1(text))) << text;
}

class PtyPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("serial")));
        char name[256] = {};
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(name), home.filePath(QStringLiteral("serial/COM3"))));
        port.setCommPort(3);
    }
    void TearDown() override
    {
        ::close(master);
        ::close(slave);
    }

    QTemporaryDir home;
    int master = -1;
    int slave = -1;
    QtSerialPort port{home.path()};
};

TEST_F(PtyPortTest, RefusedSettingsFailTheOpen)
{
    port.setSettings(QStringLiteral("9600,q,8,1"));
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_FALSE(port.portOpen());
    port.setSettings(QStringLiteral("19200,n,8,1"));
    EXPECT_TRUE(port.setPortOpen(true));
}

TEST_F(PtyPortTest, MissingDeviceFailsTheOpen)
{
    port.setCommPort(250); // no serial/COM250 link, no /dev/ttyS249
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_FALSE(port.lastOpenError().isEmpty());
}

TEST_F(PtyPortTest, ReopenWaitsForTheVanishedLinkInsteadOfTakingTheFallbackDevice)
{
    // COM1 falls back to /dev/ttyS0 when serial/COM1 is missing.
    const QString link = home.filePath(QStringLiteral("serial/COM1"));
    ASSERT_TRUE(QFile::rename(home.filePath(QStringLiteral("serial/COM3")), link));
    port.setCommPort(1);
    ASSERT_TRUE(port.setPortOpen(true));
    port.setPortOpen(false);
    ASSERT_TRUE(QFile::remove(link));
    EXPECT_FALSE(port.reopen());

    int master2 = -1, slave2 = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master2, &slave2, name, nullptr, nullptr), 0);
    ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(name), link));
    EXPECT_TRUE(port.reopen());
    QByteArray received;
    port.onComm = [&] { received += port.input(); };
    ASSERT_EQ(::write(master2, ":00\r\n", 5), 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == ":00\r\n"; }, 5000));
    port.setPortOpen(false);
    ::close(master2);
    ::close(slave2);
}

TEST_F(PtyPortTest, PortNumberIsFixedWhileOpen)
{
    ASSERT_TRUE(port.setPortOpen(true));
    port.setCommPort(4);
    EXPECT_EQ(port.commPort(), 3);
}

TEST_F(PtyPortTest, OversizedBacklogArrivesInBoundedChunksWithoutLoss)
{
    // While the handler holds back, the backlog grows beyond one chunk; the
    // handler then gets it in bounded chunks, each with its own event.
    bool holding = true;
    QByteArray received;
    int largest = 0;
    port.onComm = [&] {
        EXPECT_EQ(port.commEvent(), 2);
        if (holding)
            return;
        const QByteArray chunk = port.input();
        largest = std::max(largest, int(chunk.size()));
        received += chunk;
    };
    ASSERT_TRUE(port.setPortOpen(true));
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QByteArray sent;
    for (int i = 0; sent.size() < 100000; ++i)
        sent += QByteArray::number(i) + ',';
    qint64 done = 0;
    while (done < sent.size()) {
        const ssize_t n = ::write(master, sent.constData() + done, size_t(sent.size() - done));
        if (n > 0)
            done += n;
        QCoreApplication::processEvents();
    }
    QTest::qWait(0);
    holding = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == sent.size(); }, 5000)) << received.size();
    EXPECT_EQ(received, sent);
    EXPECT_EQ(largest, QtSerialPort::MaxChunk);
}

} // namespace
