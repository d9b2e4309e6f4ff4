#include "uplink/QueueStateFile.h"

#include "core/LogLine.h"
#include "core/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

QString QueueStateFile::pathFor(const QString& homeDirectory, const QString& installation)
{
    return QDir(homeDirectory).filePath(QStringLiteral("uplink_") + LogLine::fileNamePart(installation)
                                        + QStringLiteral(".state"));
}

std::optional<QueuePosition> QueueStateFile::load() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject json = QJsonDocument::fromJson(file.read(4096)).object();
    const QString name = json.value(QStringLiteral("file")).toString();
    const qint64 offset = json.value(QStringLiteral("offset")).toInteger(-1);
    // Only a bare name: the position never points outside the log directory.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')) || offset < 0)
        return std::nullopt;
    return QueuePosition{name, offset};
}

QString QueueStateFile::save(const QueuePosition& position) const
{
    const QJsonObject json{{QStringLiteral("file"), position.file}, {QStringLiteral("offset"), position.offset}};
    return writeFileWhole(path_, QJsonDocument(json).toJson(QJsonDocument::Compact));
}
