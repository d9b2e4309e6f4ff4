#include "logging/LogLine.h"

#include <QFile>

namespace LogLine {

QString timeStamp(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%02d-%02d-%04d %02d:%02d:%02d", d.month(), d.day(), d.year(), t.hour(),
                             t.minute(), t.second());
}

QString fileDate(const QDateTime& when)
{
    const QDate d = when.date();
    return QString::asprintf("%04d%02d%02d", d.year(), d.month(), d.day());
}

QByteArray cutAtLineEnd(const QByteArray& text)
{
    const qsizetype end = text.indexOf("\r\n");
    return end < 0 ? text : text.left(end);
}

QString singleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QByteArray singleLine(QByteArray text)
{
    text.replace('\r', ' ');
    text.replace('\n', ' ');
    return text;
}

bool appendToFile(const QString& fileName, const QByteArray& bytes)
{
    if (fileName.isEmpty())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    const bool flushed = file.flush();
    file.close();
    return written && flushed && file.error() == QFileDevice::NoError;
}

} // namespace LogLine
