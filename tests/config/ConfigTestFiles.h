#pragma once
// Reading and writing raw configuration files in a test's home directory.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

inline QString configPath(const QString& home, const QString& name = QStringLiteral("VELTRA-logger1.ini"))
{
    return QDir(home).filePath(name);
}

inline void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

inline QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lines joined with CR LF, each one terminated.
inline QByteArray crlf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}
