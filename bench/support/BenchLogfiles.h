#pragma once
// The logfiles the benchmarks load: written once by the evaluator simulator
// (or, without it, by a generator here) and kept in /tmp/veltra-bench.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <cstdint>

namespace BenchLogfiles {

const QString CacheDir = QStringLiteral("/tmp/veltra-bench");

inline QString simulatorPath()
{
    const QString benchDir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {benchDir + QStringLiteral("/../tools/evaluator-sim"),
                                     benchDir + QStringLiteral("/../tools/evaluator-sim/evaluator-sim")}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return QString();
}

// Six sensors, one record each per second, an info line every hour.
inline bool generateFallback(const QString& path, qint64 bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    qint64 written = 0;
    for (qint64 sec = 0; written < bytes; ++sec) {
        const int day = int(sec / 86400) % 28 + 1, h = int(sec / 3600 % 24), m = int(sec / 60 % 60), s = int(sec % 60);
        const QByteArray stamp = QByteArrayLiteral("#02-") + QByteArray::number(day).rightJustified(2, '0')
            + "-2026 " + QByteArray::number(h).rightJustified(2, '0') + ':'
            + QByteArray::number(m).rightJustified(2, '0') + ':' + QByteArray::number(s).rightJustified(2, '0') + ' ';
        if (m == 0 && s == 0)
            block += stamp + "Evaluator connected at Main_Engine !\r\n";
        for (int sensor = 0; sensor < 6; ++sensor)
            block += stamp + ":0" + QByteArray::number(sensor) + "1E0226001900C800EB0021000000000000\r\n";
        if (block.size() > (1 << 20)) {
            written += f.write(block);
            block.clear();
        }
    }
    f.write(block);
    return true;
}

// The logfile of about `megabytes` MB; made once, then reused.
inline QString logfileOf(int megabytes)
{
    QDir().mkpath(CacheDir);
    const QString path = CacheDir + QStringLiteral("/playback-%1M.vlg").arg(megabytes);
    const qint64 bytes = qint64(megabytes) * 1000000;
    if (QFileInfo(path).size() >= bytes)
        return path;
    const QString sim = simulatorPath();
    if (sim.isEmpty() || QProcess::execute(sim, {QStringLiteral("--logfile"), path, QStringLiteral("--bytes"),
                                                 QString::number(bytes)}) != 0
        || QFileInfo(path).size() < bytes)
        generateFallback(path, bytes);
    return path;
}

// Reads the file once (warming the cache) and counts its lines.
inline int64_t warmAndCountLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    QByteArray block(4 << 20, Qt::Uninitialized);
    int64_t lines = 0;
    for (qint64 got; (got = f.read(block.data(), block.size())) > 0;)
        lines += std::count(block.constData(), block.constData() + got, '\n');
    return lines;
}

} // namespace BenchLogfiles
