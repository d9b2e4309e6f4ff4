#include "platform/SerialLinks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

SerialLinks::SerialLinks(QString homeDirectory) : home_(std::move(homeDirectory)) {}

QString SerialLinks::linkPath(int port) const
{
    return QDir(home_).filePath(QStringLiteral("serial/COM%1").arg(port));
}

bool SerialLinks::fail(const QString& why)
{
    error_ = why;
    return false;
}

QString SerialLinks::target(int port) const
{
    const QFileInfo info(linkPath(port));
    return info.isSymLink() ? info.symLinkTarget() : QString();
}

bool SerialLinks::point(int port, const QString& device)
{
    error_.clear();
    const QString link = linkPath(port);
    const QFileInfo existing(link);
    if (port < 1 || device.isEmpty())
        return fail(QStringLiteral("No port or no device chosen."));
    if (existing.exists() && !existing.isSymLink())
        return fail(link + QStringLiteral(" is not a link; it was left as it is."));
    if (!QDir(home_).mkpath(QStringLiteral("serial")))
        return fail(QStringLiteral("The folder %1 could not be made.").arg(QFileInfo(link).path()));

    // A new link beside the old one, renamed over it: the entry never goes missing.
    const QByteArray temporary = QFile::encodeName(link + QStringLiteral(".new"));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(device).constData(), temporary.constData()) != 0
        || ::rename(temporary.constData(), QFile::encodeName(link).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(temporary.constData());
        return fail(QStringLiteral("%1 could not be pointed at %2: %3").arg(link, device, why));
    }
    return true;
}

bool SerialLinks::restore(int port, const QString& previousTarget)
{
    if (!previousTarget.isEmpty())
        return point(port, previousTarget);
    error_.clear();
    const QString link = linkPath(port);
    if (QFileInfo(link).isSymLink() && !QFile::remove(link))
        return fail(link + QStringLiteral(" could not be removed."));
    return true;
}
