#include "platform/AppHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Resolves /bin to /usr/bin on a merged /usr; a missing folder stays as named.
QString canonicalDir(const QString& dir)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(dir) : canonical;
}

} // namespace

InstallLayout installLayout()
{
    InstallLayout layout;
    for (const QString& dir : {QStringLiteral(VELTRA_INSTALL_BINDIR), QStringLiteral("/usr/bin"),
                               QStringLiteral("/usr/local/bin")}) {
        const QString canonical = canonicalDir(dir);
        if (!layout.programDirs.contains(canonical))
            layout.programDirs << canonical;
    }
    layout.dataDirFromProgramDir = QStringLiteral(VELTRA_DATA_FROM_BINDIR);
    return layout;
}

ProgramFolders programFoldersFor(const QString& programDir, bool programDirWritable, const QString& userDataDir,
                                 const InstallLayout& layout)
{
    const QString dir = QDir::cleanPath(programDir);
    if (layout.programDirs.contains(canonicalDir(dir)))
        return {userDataDir, QDir::cleanPath(dir + QLatin1Char('/') + layout.dataDirFromProgramDir), true};
    return {programDirWritable ? dir : userDataDir, dir, false};
}

ProgramFolders programFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const ProgramFolders folders =
        programFoldersFor(programDir, QFileInfo(programDir).isWritable(), userDataDir, installLayout());
    QDir().mkpath(folders.home);
    return folders;
}
