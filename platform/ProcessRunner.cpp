#include "platform/ProcessRunner.h"

#include <QProcess>

CommandResult ProcessRunner::run(const QString& program, const QStringList& arguments)
{
    CommandResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.error = QStringLiteral("%1 could not be started: %2").arg(program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.error = QStringLiteral("%1 did not finish within %2 s").arg(program).arg(TimeoutMs / 1000);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    result.error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (!result.finished && result.error.isEmpty())
        result.error = QStringLiteral("%1 crashed").arg(program);
    return result;
}
