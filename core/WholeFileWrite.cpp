#include "core/WholeFileWrite.h"

#include <QSaveFile>

QString openUnbuffered(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    return {};
}

QString writeWhole(QFileDevice& file, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 wrote = file.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0)
            return file.error() != QFileDevice::NoError ? file.errorString()
                                                        : QStringLiteral("The file took no more data.");
        done += qsizetype(wrote);
    }
    return {};
}

QString writeFileWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    QString error = openUnbuffered(file);
    if (error.isEmpty())
        error = writeWhole(file, bytes);
    if (!error.isEmpty()) {
        file.cancelWriting();
        file.commit();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
