// The configuration file under faults: far more lines than the store reads,
// a header it does not accept, a file or folder it cannot write.
#include "ScratchFileSystem.h"

#include "config/ConfigTestFiles.h"
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "support/Fakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace {

const QByteArray Header = "[VELTRA-LOGGER Version 1.03_1]";
const QString Name = QStringLiteral("VELTRA-logger1.ini");

// A user's file: every key, LOGDIR, names, a password.
QList<QByteArray> usersFile(const QByteArray& header = Header)
{
    return {header,           "COM=3",          "BAUDRATE=19200", "INSTALLATION=Test_Rig", "REFRESH=1",
            "PASSWORD=s3cret", "AUTOSTART=0",   "SWAPDATE=0",     "LOGDIR=/data/veltra/",  "LBL_S1=Pump"};
}

struct Loader {
    explicit Loader(const QString& home) : store(home) {}
    RdWrConfig store;
    ConfigValues values;
    FakeSerialPort port;
    RecordingMessageBox box;
    std::optional<bool> startEnabled;
    ConfigurationLoader loader{values, store, port, box};
    QMetaObject::Connection startWatch =
        QObject::connect(&loader, &ConfigurationLoader::startEnabled, [this](bool on) { startEnabled = on; });

    QString shown() const { return box.shown.empty() ? QString() : box.shown.back().text; }
};

} // namespace

TEST(ConfigFileFaults, RewriteOfAThousandLineFileKeepsEveryLine)
{
    QTemporaryDir home;
    QList<QByteArray> lines{Header, "COM=1"};
    for (int i = 3; i <= 1000; ++i)
        lines << "NOTE" + QByteArray::number(i) + "=line " + QByteArray::number(i);
    lines[500] = "COM=9"; // never read: the first 30 lines hold the settings
    writeRaw(configPath(home.path()), crlf(lines) + "last line without an end");
    RdWrConfig store(home.path());

    ASSERT_TRUE(store.SetConfigValue(Name, "COM", "2"));
    lines[1] = "COM=2";
    EXPECT_EQ(readRaw(configPath(home.path())), crlf(lines) + "last line without an end");
    EXPECT_EQ(store.GetConfigValue(Name, "COM"), "2");

    // The first 30 lines are full: a new key changes nothing and says why.
    EXPECT_FALSE(store.SetConfigValue(Name, "LOGDIR", "/tmp/"));
    EXPECT_EQ(store.lastFailure(), RdWrConfig::Failure::TableFull);
    EXPECT_EQ(readRaw(configPath(home.path())), crlf(lines) + "last line without an end");
}

TEST(ConfigFileFaults, ReplacedFileIsKeptBesideItAndTheMessageSaysWhere)
{
    QTemporaryDir home;
    const QByteArray old = crlf(usersFile("[VELTRA-LOGGER Version 1.04_1]"));
    writeRaw(configPath(home.path()), old);
    writeRaw(configPath(home.path(), Name + ".bak"), "an older copy");
    Loader l(home.path());
    l.loader.LoadConfiguration();

    const QString copy = configPath(home.path(), Name + ".bak");
    EXPECT_EQ(readRaw(copy), old);
    EXPECT_EQ(l.shown(), "Please reenter settings with menu Setup, default VELTRA-logger.ini file created ! !\n"
                         "The old file is kept as "
                             + copy);
    EXPECT_EQ(l.values.PASSWORD, "kesmor");
}

TEST(ConfigFileFaults, ReadOnlyFolderIsReportedWithItsReasonAndNothingIsReplaced)
{
    ScratchFileSystem folder(64 * 1024);
    if (!folder.mounted())
        GTEST_SKIP() << qPrintable(folder.error());
    const QByteArray old = crlf(usersFile("[VELTRA-LOGGER Version 1.03_0]"));
    writeRaw(configPath(folder.path()), old);
    ASSERT_TRUE(folder.remountReadOnly());
    Loader l(folder.path());
    l.loader.LoadConfiguration();

    EXPECT_EQ(readRaw(configPath(folder.path())), old);
    EXPECT_FALSE(l.shown().contains("file created"));
    EXPECT_TRUE(l.shown().startsWith(
        "Please reenter settings with menu Setup, default VELTRA-logger.ini file could not be written ! !\n"));
    EXPECT_TRUE(l.shown().contains("Read-only file system")) << qPrintable(l.shown());
    EXPECT_EQ(l.startEnabled, false);
}

TEST(ConfigFileFaults, RepairThatCannotBeWrittenIsReported)
{
    ScratchFileSystem folder(64 * 1024);
    if (!folder.mounted())
        GTEST_SKIP() << qPrintable(folder.error());
    QList<QByteArray> lines = usersFile();
    lines[1] = "COM=0"; // repaired silently when the file can take it
    writeRaw(configPath(folder.path()), crlf(lines));
    ASSERT_TRUE(folder.remountReadOnly());
    Loader l(folder.path());
    l.loader.LoadConfiguration();

    EXPECT_EQ(l.values.COM, 1);
    EXPECT_TRUE(l.shown().startsWith(
        "Please reenter settings with menu Setup, settings could not be saved in VELTRA-logger1.ini !\n"))
        << qPrintable(l.shown());
    EXPECT_EQ(l.startEnabled, false);
}

TEST(ConfigFileFaults, ReadOnlyFileIsNeitherReplacedNorReportedAsCreated)
{
    QTemporaryDir home;
    const QString path = configPath(home.path());
    const QByteArray old = crlf(usersFile("[VELTRA-LOGGER Version 1.03_0]"));
    writeRaw(path, old);
    // Root may write any file that is merely read-only; the immutable flag
    // holds it too.
    QString error;
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (::geteuid() == 0 && !setImmutable(path, true, &error))
        GTEST_SKIP() << "root, and " << qPrintable(error);
    Loader l(home.path());
    l.loader.LoadConfiguration();
    const QByteArray after = readRaw(path);
    setImmutable(path, false, &error);

    EXPECT_EQ(after, old);
    EXPECT_FALSE(l.shown().contains("file created")) << qPrintable(l.shown());
    EXPECT_TRUE(l.shown().contains("could not be written")) << qPrintable(l.shown());
    EXPECT_TRUE(l.shown().contains("The old file is kept as " + path + ".bak"));
    EXPECT_EQ(readRaw(path + ".bak"), old);
}

TEST(ConfigFileFaults, SettingOnAFullDiskFailsWithItsReasonAndKeepsTheFile)
{
    ScratchFileSystem folder(64 * 1024);
    if (!folder.mounted())
        GTEST_SKIP() << qPrintable(folder.error());
    const QByteArray old = crlf(usersFile());
    writeRaw(configPath(folder.path()), old);
    {
        QFile filler(folder.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    RdWrConfig store(folder.path());
    EXPECT_FALSE(store.SetConfigValue(Name, QStringLiteral("COM"), QStringLiteral("5")));
    EXPECT_EQ(store.lastFailure(), RdWrConfig::Failure::WriteFailed);
    EXPECT_TRUE(store.lastError().contains(QStringLiteral("No space left on device"))) << qPrintable(store.lastError());
    EXPECT_EQ(readRaw(configPath(folder.path())), old);
}
