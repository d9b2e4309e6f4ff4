#pragma once
// The logfiles the history benchmark reads: made on demand by the evaluator
// simulator and kept outside the repository in /tmp/veltra-history-bench.
//
//   VELTRA_HISTORY_BENCH=small (default): a month, six sensors, a record
//     each 10 s (some 90 MB): seconds, for CI.
//   VELTRA_HISTORY_BENCH=year: 365 days, six sensors, a record each second
//     (some 11 GB; free disk is checked first).
//   VELTRA_HISTORY_BENCH=year-minutes: 365 days, six sensors, a record each
//     minute (some 200 MB): a year of hours for what reads the hour tier.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QString>
#include <cstdio>

struct HistoryBenchSet {
    QString name;
    QDate from;
    int days = 0;
    int everySeconds = 1;

    QString dir() const { return QStringLiteral("/tmp/veltra-history-bench/") + name; }
    QString store() const { return dir() + QStringLiteral("-store.sqlite"); }
    QDate to() const { return from.addDays(days - 1); }
    QString marker() const { return dir() + QStringLiteral("/.complete-%1-%2").arg(days).arg(everySeconds); }

    static HistoryBenchSet chosen()
    {
        if (qgetenv("VELTRA_HISTORY_BENCH") == "year")
            return {QStringLiteral("year"), QDate(2025, 1, 1), 365, 1};
        if (qgetenv("VELTRA_HISTORY_BENCH") == "year-minutes")
            return {QStringLiteral("year-minutes"), QDate(2025, 1, 1), 365, 60};
        // June: no time zone changes its offset, so the check can stay simple.
        return {QStringLiteral("small"), QDate(2026, 6, 1), 30, 10};
    }

    static QString builtProgram(const QString& name)
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/") + name;
    }

    // Writes the files unless they are there; false with a message printed.
    bool make() const
    {
        if (QFileInfo::exists(marker()))
            return true;
        QDir(dir()).removeRecursively();
        QDir().mkpath(dir());
        const double neededGb = double(days) * 31.0 / everySeconds / 1000.0 + 1.0;
        const double freeGb = double(QStorageInfo(dir()).bytesAvailable()) / 1e9;
        if (freeGb < neededGb * 1.2) {
            std::fprintf(stderr, "history bench: %.1f GB free in /tmp, %.1f GB needed\n", freeGb, neededGb);
            return false;
        }
        std::fprintf(stderr, "history bench: writing %d days into %s ...\n", days, qPrintable(dir()));
        const int exit = QProcess::execute(
            builtProgram(QStringLiteral("evaluator-sim")),
            {QStringLiteral("--history"), dir(), QStringLiteral("--from"), from.toString(Qt::ISODate),
             QStringLiteral("--days"), QString::number(days), QStringLiteral("--every-seconds"),
             QString::number(everySeconds), QStringLiteral("--lost"), QStringLiteral("20")});
        if (exit != 0) {
            std::fprintf(stderr, "history bench: evaluator-sim failed (%d)\n", exit);
            return false;
        }
        QFile done(marker());
        return done.open(QIODevice::WriteOnly);
    }
};
