#include "platform/QtSerialPortList.h"
#include "platform/SerialLinks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SerialLinksTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    SerialLinks links{home.path()};
    QString linkPath(int port) const { return home.filePath(QStringLiteral("serial/COM%1").arg(port)); }
};

TEST_F(SerialLinksTest, PointReplacesALinkAndRestorePutsBackWhatWasThere)
{
    EXPECT_EQ(links.target(3), "");
    ASSERT_TRUE(links.point(3, "/dev/ttyUSB0")) << links.error().toStdString();
    EXPECT_EQ(links.target(3), "/dev/ttyUSB0");
    ASSERT_TRUE(links.point(3, "/dev/serial/by-id/usb-X-if00-port0"));
    EXPECT_EQ(links.target(3), "/dev/serial/by-id/usb-X-if00-port0");
    ASSERT_TRUE(links.restore(3, "/dev/ttyUSB0"));
    EXPECT_EQ(links.target(3), "/dev/ttyUSB0");
    ASSERT_TRUE(links.restore(3, ""));
    EXPECT_FALSE(QFileInfo(linkPath(3)).isSymLink());
    EXPECT_EQ(QDir(home.filePath("serial")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(SerialLinksTest, EntryThatIsNoLinkIsLeftAloneAndTheReasonGiven)
{
    QDir(home.path()).mkdir("serial");
    QFile file(linkPath(5));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    EXPECT_FALSE(links.point(5, "/dev/ttyUSB0"));
    EXPECT_TRUE(links.error().contains("is not a link"));
    EXPECT_FALSE(links.restore(5, "/dev/ttyUSB0"));
    EXPECT_TRUE(links.restore(5, ""));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
}

TEST(SystemSerialPorts, ByIdNamesAreFoundForTheDevicesTheyLeadTo)
{
    QTemporaryDir dev;
    QDir(dev.path()).mkpath("serial/by-id");
    for (const char* device : {"ttyUSB0", "ttyUSB1", "ttyS0"})
        QFile(dev.filePath(device)).open(QIODevice::WriteOnly);
    const QString byId = dev.filePath("serial/by-id/usb-FTDI_A50285BI-if00-port0");
    QFile::link("../../ttyUSB1", byId);
    QFile::link("../../gone", dev.filePath("serial/by-id/usb-gone-if00"));

    std::vector<SystemSerialPort> ports{{dev.filePath("ttyUSB0"), "", ""}, {dev.filePath("ttyUSB1"), "", "FT232R"}};
    addByIdNames(ports, dev.filePath("serial/by-id"));
    EXPECT_EQ(ports[0].byIdName, "");
    EXPECT_EQ(ports[0].linkTarget(), dev.filePath("ttyUSB0"));
    EXPECT_EQ(ports[1].byIdName, byId);
    EXPECT_EQ(ports[1].linkTarget(), byId);
    addByIdNames(ports, dev.filePath("no-such-folder"));
    EXPECT_EQ(ports[1].byIdName, byId);
}

} // namespace
