#include "platform/HomeLock.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class HomeLockTest : public ::testing::Test {
protected:
    QString lockPath() const { return home.filePath(SingleInstance::LockFileName); }
    QTemporaryDir home;
};

TEST_F(HomeLockTest, OnlyOneHolderUntilItGoes)
{
    auto first = std::make_unique<HomeLock>(lockPath());
    ASSERT_EQ(first->tryLock(), HomeLock::State::Held);
    HomeLock second(lockPath());
    EXPECT_EQ(second.tryLock(), HomeLock::State::HeldByOther);
    first.reset();
    EXPECT_EQ(second.tryLock(), HomeLock::State::Held);
}

TEST_F(HomeLockTest, KilledHolderLeavesNoStaleLock)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HomeLock lock(lockPath());
        const char state = lock.tryLock() == HomeLock::State::Held ? 'y' : 'n';
        [[maybe_unused]] const ssize_t wrote = ::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'y');
    HomeLock mine(lockPath());
    EXPECT_EQ(mine.tryLock(), HomeLock::State::HeldByOther);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(mine.tryLock(), HomeLock::State::Held);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(SingleInstanceName, SameHomeSameNameOtherHomeOtherName)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("a/b")));
    const QString home = root.filePath(QStringLiteral("a/b"));
    ASSERT_TRUE(QFile::link(home, root.filePath(QStringLiteral("link"))));
    const QString name = SingleInstance::serverName(home);
    EXPECT_EQ(SingleInstance::serverName(root.filePath(QStringLiteral("a/./b/"))), name);
    EXPECT_EQ(SingleInstance::serverName(root.filePath(QStringLiteral("link"))), name);
    EXPECT_NE(SingleInstance::serverName(root.filePath(QStringLiteral("a"))), name);
}

TEST(SingleInstance, SecondClaimOfAHomeIsRefusedAndItsSocketIsTheUsersAlone)
{
    QTemporaryDir home;
    SingleInstance first(home.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    EXPECT_TRUE(first.why().isEmpty()) << first.why().toStdString();
    const QFileInfo socket(SingleInstance::serverName(home.path()));
    ASSERT_TRUE(socket.exists());
    EXPECT_EQ(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(QFileInfo(socket.absolutePath()).permissions()
                  & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());

    // The first one answers only from its event loop, which this waiting
    // claim holds up: it cannot be asked within the claim's patience.
    SingleInstance second(home.path());
    EXPECT_EQ(second.claim(300), SingleInstance::Claim::Unreachable);
    EXPECT_FALSE(second.why().isEmpty());
}

} // namespace
