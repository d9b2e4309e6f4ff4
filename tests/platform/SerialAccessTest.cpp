#include "platform/QtSerialPort.h"
#include "platform/SerialAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Root may open any device, so a refusal can only be seen as another user.
#define SKIP_AS_ROOT()                                                                                         \
    if (::geteuid() == 0)                                                                                      \
    GTEST_SKIP() << "root may open every device"

TEST(SerialAccess, HintNamesTheDeviceAndAGroupThatGrantsSerialAccess)
{
    EXPECT_EQ(serialAccessHint({"/dev/ttyUSB0", "dialout"}),
              "You have no permission to use /dev/ttyUSB0. Add your user to the group dialout "
              "(sudo adduser $USER dialout), then log out and log in again.");
    EXPECT_TRUE(serialAccessHint({"/dev/ttyS0", "uucp"}).contains("sudo adduser $USER uucp)"));
    for (const char* group : {"", "root", "tty"})
        EXPECT_TRUE(serialAccessHint({"/dev/pts/3", group}).contains("sudo adduser $USER dialout)")) << group;
}

TEST(SerialAccess, ReadableOrMissingDeviceIsNoPermissionProblem)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB0");
    QFile(device).open(QIODevice::WriteOnly);
    EXPECT_FALSE(serialAccessDenied(device));
    EXPECT_FALSE(serialAccessDenied(dir.filePath("ttyUSB9")));
}

TEST(SerialAccess, UnreadableDeviceBehindALinkIsReportedByItsOwnName)
{
    SKIP_AS_ROOT();
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB0");
    QFile(device).open(QIODevice::WriteOnly);
    ASSERT_EQ(::chmod(QFile::encodeName(device).constData(), 0), 0);
    ASSERT_TRUE(QFile::link(device, dir.filePath("COM1")));
    const auto denied = serialAccessDenied(dir.filePath("COM1"));
    ASSERT_TRUE(denied);
    EXPECT_EQ(denied->device, QFileInfo(device).canonicalFilePath());
    EXPECT_FALSE(denied->group.isEmpty());
}

TEST(SerialAccess, PortOpenRefusedForPermissionSaysSoAndAGoodOpenForgetsIt)
{
    SKIP_AS_ROOT();
    QTemporaryDir home;
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    ASSERT_TRUE(QDir(home.path()).mkdir("serial"));
    ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(name), home.filePath("serial/COM1")));
    QtSerialPort port(home.path());
    ASSERT_EQ(::chmod(name, 0), 0);
    EXPECT_FALSE(port.setPortOpen(true));
    ASSERT_TRUE(port.accessDenied());
    EXPECT_EQ(port.accessDenied()->device, QString::fromLocal8Bit(name));
    ASSERT_EQ(::chmod(name, 0600), 0);
    EXPECT_TRUE(port.setPortOpen(true));
    EXPECT_FALSE(port.accessDenied());
    port.setPortOpen(false);
    ::close(master);
    ::close(slave);
}

} // namespace
