#include "platform/SerialDevice.h"

#include <QDir>
#include <QFileInfo>

QString serialDevicePath(const QString& homeDirectory, int port)
{
    const QString link = QDir(homeDirectory).filePath(QStringLiteral("serial/COM%1").arg(port));
    const QFileInfo info(link);
    if (info.exists() || info.isSymLink())
        return link;
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}
