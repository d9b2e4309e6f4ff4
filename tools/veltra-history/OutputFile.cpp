#include "OutputFile.h"

#include "Commands.h"
#include "HistoryRequest.h"

#include <QSaveFile>
#include <cstdio>

namespace OutputFile {

int write(const QString& path, const std::function<bool(const Write&, QString* problem)>& produce)
{
    QString problem;
    if (path.isEmpty()) {
        const Write toStdout = [](const QByteArray& bytes) {
            return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
        };
        if (!produce(toStdout, &problem) || std::fflush(stdout) != 0)
            return complain(problem.isEmpty() ? QStringLiteral("cannot write to standard output") : problem,
                            Exit::Failed);
        return Exit::Ok;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()), Exit::Failed);
    const Write toFile = [&](const QByteArray& bytes) { return file.write(bytes) == bytes.size(); };
    if (!produce(toFile, &problem) || !file.commit())
        return complain(problem.isEmpty() ? QStringLiteral("cannot write %1: %2").arg(path, file.errorString())
                                          : problem,
                        Exit::Failed);
    return Exit::Ok;
}

} // namespace OutputFile
