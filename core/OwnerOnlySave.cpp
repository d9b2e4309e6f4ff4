#include "core/OwnerOnlySave.h"

#include "core/WholeFileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
} // namespace

bool narrowToOwner(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if ((info.permissions() & ~(OwnerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser)) == 0)
        return true;
    return QFile::setPermissions(path, OwnerOnly);
}

OwnerOnlySave::OwnerOnlySave(QSaveFile& file) : file_(file)
{
    const QString path = file_.fileName();
    if (QFileInfo::exists(path)) {
        narrowToOwner(path);
    } else {
        // NewOnly: a file that appears meanwhile is not ours to remove later.
        QFile empty(path);
        madeEmptyFile_ = empty.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly);
    }
    openError_ = openUnbuffered(file_);
    // Where the old file could not be narrowed (another user's file), the
    // new one still must not copy its mode.
    if (openError_.isEmpty())
        file_.setPermissions(OwnerOnly);
}

OwnerOnlySave::~OwnerOnlySave()
{
    if (committed_ || !madeEmptyFile_)
        return;
    file_.cancelWriting();
    const QString path = file_.fileName();
    if (QFileInfo(path).size() == 0)
        QFile::remove(path);
}

bool OwnerOnlySave::commit()
{
    committed_ = file_.commit();
    return committed_;
}
