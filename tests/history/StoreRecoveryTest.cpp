// The summary store is a cache: whatever happened to it or to the logfiles
// since it was made, an export gives the figures of a store made afresh.
#include "HistoryTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace HistoryTest;

namespace {

const QString Berlin = QStringLiteral("Europe/Berlin");
const QDate First(2026, 1, 5);

class StoreRecovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        logs = std::make_unique<QTemporaryDir>();
        for (int d = 0; d < 3; ++d)
            ASSERT_TRUE(writeFile(file(d), day(First.addDays(d), QTimeZone(Berlin.toLatin1()), 13)));
    }
    QString file(int d) const { return logs->filePath(fileName(First.addDays(d))); }
    QString cache() const { return stores.filePath(QStringLiteral("store.sqlite")); }
    QStringList arguments(const QString& store, int days = 3, const QString& every = QStringLiteral("10m")) const
    {
        return exportArguments(logs->path(), First, First.addDays(days - 1), every, store);
    }
    ToolRun run(const QString& store, const QString& zone = Berlin) const { return tool(arguments(store), zone); }
    // The export with a store made just now.
    QByteArray fresh(const QString& zone = Berlin) const
    {
        QTemporaryDir elsewhere;
        const ToolRun r = run(elsewhere.filePath(QStringLiteral("fresh.sqlite")), zone);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_GT(r.out.count('\n'), 100);
        return r.out;
    }
    void expectFresh(const ToolRun& r, const QString& zone = Berlin) const
    {
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(r.out, fresh(zone));
    }

    std::unique_ptr<QTemporaryDir> logs;
    QTemporaryDir stores;
};

// Killed at some moment of its building, the store holds whole files only.
TEST_F(StoreRecovery, KilledWhileBuildingThenRunAgain)
{
    for (int d = 3; d < 40; ++d)
        ASSERT_TRUE(writeFile(file(d), day(First.addDays(d), QTimeZone(Berlin.toLatin1()), 13)));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), Berlin);
    child.setProcessEnvironment(env);
    child.start(toolPath(), arguments(cache(), 40));
    ASSERT_TRUE(child.waitForStarted());
    // Once some files are written: the log grows past its set-up. Should the
    // build be quicker than that, the kill finds it done: no harm.
    [[maybe_unused]] const bool someWritten = QTest::qWaitFor(
        [&] {
            return QFileInfo(cache() + QStringLiteral("-wal")).size() > 200000 || child.state() == QProcess::NotRunning;
        },
        60000);
    child.kill();
    child.waitForFinished();
    expectFresh(run(cache()));
}

TEST_F(StoreRecovery, GrownRewrittenReplacedAndVanishedFiles)
{
    ASSERT_EQ(run(cache()).exitCode, 0);
    // Today's file grows, its last line still being written; yesterday's is
    // changed in place without changing its size.
    const QTimeZone zone(Berlin.toLatin1());
    ASSERT_TRUE(appendFile(
        file(2), "#01-07-2026 23:59:59 :001E0226001900C800EB0021000000000000\r\n#01-07-2026 23:59:59 :011E02"));
    QFile middle(file(1));
    ASSERT_TRUE(middle.open(QIODevice::ReadWrite));
    QByteArray bytes = middle.readAll();
    bytes.replace(":00", ":01");
    ASSERT_TRUE(middle.seek(0) && middle.write(bytes) == bytes.size());
    middle.close();
    expectFresh(run(cache()));
    // The line is finished; then a file is replaced by a longer one that
    // begins differently; then one goes.
    ASSERT_TRUE(appendFile(file(2), "26001900C800EB0021000000000000\r\n"));
    expectFresh(run(cache()));
    ASSERT_TRUE(writeFile(file(1), day(First.addDays(1), zone, 11)));
    expectFresh(run(cache()));
    ASSERT_TRUE(QFile::remove(file(0)));
    expectFresh(run(cache()));
}

TEST_F(StoreRecovery, DeletedDamagedOrMadeInAnotherTimeZone)
{
    ASSERT_EQ(run(cache()).exitCode, 0);
    ASSERT_TRUE(QFileInfo::exists(cache()));
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(cache() + QLatin1String(suffix));
    expectFresh(run(cache()));

    const QString newYork = QStringLiteral("America/New_York");
    expectFresh(run(cache(), newYork), newYork);

    ASSERT_TRUE(writeFile(cache(), QByteArray(100000, '\x5A')));
    QFile::remove(cache() + QStringLiteral("-wal"));
    QFile::remove(cache() + QStringLiteral("-shm"));
    expectFresh(run(cache()));

    // Damage inside a store that still opens: found at once, or when read
    // (then the run fails, saying so, and the next one makes it anew).
    QFile store(cache());
    ASSERT_TRUE(store.open(QIODevice::ReadWrite));
    ASSERT_TRUE(store.seek(store.size() / 3));
    store.write(QByteArray(int(store.size() / 2), '\xA5'));
    store.close();
    const ToolRun damaged = run(cache());
    if (damaged.exitCode != 0)
        EXPECT_TRUE(damaged.err.contains("made anew by the next run")) << damaged.err.constData();
    else
        EXPECT_EQ(damaged.out, fresh());
    expectFresh(run(cache()));
}

// A tmpfs of its own, to be filled or made read-only; needs root.
class Tmpfs {
public:
    explicit Tmpfs(const QByteArray& size)
    {
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, "size=" + size) == 0;
    }
    ~Tmpfs()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    bool makeReadOnly() const
    {
        return ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr)
            == 0;
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// A log folder that cannot be written keeps its store in the user's cache
// folder (root is kept out of it by a read-only mount, anyone else by its mode).
TEST_F(StoreRecovery, ReadOnlyLogFolderKeepsItsStoreInTheCacheFolder)
{
    Tmpfs folder("64m");
    const QString logDir = folder.mounted() ? folder.path() : logs->path();
    for (int d = 0; d < 3 && folder.mounted(); ++d)
        ASSERT_TRUE(QFile::copy(file(d), logDir + QLatin1Char('/') + fileName(First.addDays(d))));
    const bool readOnly = folder.mounted() ? folder.makeReadOnly() : ::chmod(QFile::encodeName(logDir), 0555) == 0;
    if (!readOnly || ::access(QFile::encodeName(logDir), W_OK) == 0)
        GTEST_SKIP() << "cannot make a read-only log folder here";
    QTemporaryDir cacheHome;
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome.path());
    const ToolRun r
        = tool(exportArguments(logDir, First, First.addDays(2), QStringLiteral("10m"), QString()), Berlin, env);
    ::chmod(QFile::encodeName(logs->path()), 0755);
    expectFresh(r);
    EXPECT_EQ(QDir(cacheHome.filePath(QStringLiteral("veltra-logger")))
                  .entryList({ QStringLiteral("history-*.sqlite") })
                  .size(),
        1);
    EXPECT_FALSE(QFileInfo::exists(logDir + QStringLiteral("/VELTRA-history.sqlite")));
}

// No store can be made (a file where its folder should be), or the disk
// fills while it is made: the tool says so and exports all the same.
TEST_F(StoreRecovery, AStoreThatCannotBeWrittenIsNamedAndTheExportGoesOn)
{
    ASSERT_TRUE(writeFile(stores.filePath(QStringLiteral("plain")), "a file"));
    const QString impossible = stores.filePath(QStringLiteral("plain/store.sqlite"));
    const ToolRun r = run(impossible);
    expectFresh(r);
    EXPECT_TRUE(r.err.contains(impossible.toUtf8())) << r.err.constData();
    EXPECT_TRUE(r.err.contains("going on without it"));

    Tmpfs small("48k");
    if (!small.mounted())
        GTEST_SKIP() << "no tmpfs to fill (needs root)";
    const ToolRun full = run(small.path() + QStringLiteral("/store.sqlite"));
    expectFresh(full);
    EXPECT_TRUE(full.err.contains("full")) << full.err.constData();
}

} // namespace
