#include "platform/AppHome.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProgramFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("usr/bin")));
        layout = {{bin()}, QStringLiteral("../share/veltra-logger")};
    }
    QString bin() const { return root.filePath(QStringLiteral("usr/bin")); }

    QTemporaryDir root;
    InstallLayout layout;
    const QString userData = QStringLiteral("/home/u/.local/share/VELTRA Data Logger");
};

TEST_F(ProgramFoldersTest, InstalledProgramNeverTakesItsWritableProgramFolderAsHome)
{
    // Root can write to /usr/bin; the home must still be the per-user folder.
    for (bool writable : {true, false}) {
        const ProgramFolders folders = programFoldersFor(bin(), writable, userData, layout);
        EXPECT_EQ(folders.home, userData);
        EXPECT_EQ(folders.data, root.filePath(QStringLiteral("usr/share/veltra-logger")));
    }
    EXPECT_EQ(programFoldersFor(bin() + QStringLiteral("/"), true, userData, layout).home, userData);
}

TEST_F(ProgramFoldersTest, CopyElsewhereKeepsItsHomeBesideItselfOnlyWhenWritable)
{
    const QString copy = root.filePath(QStringLiteral("opt/logger"));
    const ProgramFolders writable = programFoldersFor(copy, true, userData, layout);
    EXPECT_EQ(writable.home, copy);
    EXPECT_EQ(writable.data, copy);
    const ProgramFolders readOnly = programFoldersFor(copy, false, userData, layout);
    EXPECT_EQ(readOnly.home, userData);
    EXPECT_EQ(readOnly.data, copy);
}

TEST(InstallLayout, SystemProgramFoldersCountAsInstalled)
{
    const InstallLayout layout = installLayout();
    EXPECT_TRUE(layout.programDirs.contains(QFileInfo(QStringLiteral("/usr/bin")).canonicalFilePath()));
    EXPECT_EQ(QDir::cleanPath(QStringLiteral("/usr/bin/") + layout.dataDirFromProgramDir),
              QStringLiteral("/usr/share/veltra-logger"));
}

} // namespace
