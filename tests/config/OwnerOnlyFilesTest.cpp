// The configuration file holds the stop password and the broker's password:
// made, rewritten and copied readable by its owner alone, whatever the umask.
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "ConfigTestFiles.h"
#include "support/Fakes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString Name = QStringLiteral("VELTRA-logger1.ini");
const QByteArray Header = "[VELTRA-LOGGER Version 1.03_1]";

int modeOf(const QString& path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class OwnerOnlyFilesTest : public ::testing::TestWithParam<mode_t> {
protected:
    void SetUp() override { oldMask = ::umask(GetParam()); }
    void TearDown() override { ::umask(oldMask); }

    QString path() const { return configPath(home.path(), Name); }
    QString copyPath() const { return path() + QStringLiteral(".bak"); }
    void writeWide(const QString& file, const QByteArray& bytes)
    {
        writeRaw(file, bytes);
        ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
    }

    mode_t oldMask = 022;
    QTemporaryDir home;
    RdWrConfig store{home.path()};
};

TEST_P(OwnerOnlyFilesTest, NewFileAndEveryRewriteAreOwnerOnly)
{
    ASSERT_TRUE(store.CreateConfigFile(Name, QString::fromLatin1(Header)));
    EXPECT_EQ(modeOf(path()), 0600);
    ASSERT_TRUE(store.SetConfigValue(Name, QStringLiteral("PASSWORD"), QStringLiteral("secret")));
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(readRaw(path()), crlf({Header, "PASSWORD=secret"}));
}

TEST_P(OwnerOnlyFilesTest, ReadableFileIsNarrowedAtItsNextRewriteAndItsCopyIsOwnerOnly)
{
    ASSERT_NO_FATAL_FAILURE(writeWide(path(), crlf({Header, "MQTT_PASSWORD=broker"})));
    ASSERT_TRUE(store.SetConfigValue(Name, QStringLiteral("COM"), QStringLiteral("2")));
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(readRaw(path()), crlf({Header, "MQTT_PASSWORD=broker", "COM=2"}));

    // The copy replaces an older, readable one.
    ASSERT_NO_FATAL_FAILURE(writeWide(copyPath(), "old"));
    EXPECT_EQ(store.KeepCopyOfConfigFile(Name), copyPath());
    EXPECT_EQ(modeOf(copyPath()), 0600);
    EXPECT_EQ(readRaw(copyPath()), readRaw(path()));
}

TEST_P(OwnerOnlyFilesTest, LoadNarrowsAReadableFileAndCopyItDoesNotRewrite)
{
    const QByteArray file = crlf({Header, "COM=1", "BAUDRATE=9600", "INSTALLATION=A", "REFRESH=2",
                                  "PASSWORD=secret", "AUTOSTART=0", "SWAPDATE=0", "LBL_S1=Sensor1"});
    ASSERT_NO_FATAL_FAILURE(writeWide(path(), file));
    ASSERT_NO_FATAL_FAILURE(writeWide(copyPath(), file));
    ConfigValues values;
    FakeSerialPort port;
    RecordingMessageBox box;
    ConfigurationLoader(values, store, port, box).LoadConfiguration();
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(modeOf(copyPath()), 0600);
    EXPECT_EQ(readRaw(path()), file);
    EXPECT_TRUE(box.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Umask, OwnerOnlyFilesTest, ::testing::Values(mode_t(022), mode_t(000)),
                         [](const auto& info) { return info.param == 0 ? "umask000" : "umask022"; });

TEST(OwnerOnlyFiles, FailedSaveOfANewFileLeavesNoEmptyFileBehind)
{
    QTemporaryDir home;
    RdWrConfig store(home.path());
    // Files may not grow past a few bytes: the save fails once it writes,
    // after its empty owner-only file was made.
    struct rlimit old = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit tiny = old;
    tiny.rlim_cur = 4;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool created = store.CreateConfigFile(Name, QString::fromLatin1(Header));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(created);
    EXPECT_FALSE(store.lastError().isEmpty());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

} // namespace
