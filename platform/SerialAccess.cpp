#include "platform/SerialAccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

std::optional<SerialAccessDenied> serialAccessDenied(const QString& device)
{
    const QFileInfo info(device);
    const QString target = info.canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    if (::access(QFile::encodeName(target).constData(), R_OK) == 0 || errno != EACCES)
        return std::nullopt;
    return SerialAccessDenied{target, QFileInfo(target).group()};
}

QString serialAccessHint(const SerialAccessDenied& denied)
{
    // Joining root or tty would not be the fix (or a worse one).
    const bool ownGroup = !denied.group.isEmpty() && denied.group != QLatin1String("root")
        && denied.group != QLatin1String("tty");
    const QString group = ownGroup ? denied.group : QStringLiteral("dialout");
    return QStringLiteral("You have no permission to use %1. Add your user to the group %2 "
                          "(sudo adduser $USER %2), then log out and log in again.")
        .arg(denied.device, group);
}
