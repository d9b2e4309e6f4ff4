#include "Programs.h"

#include <QProcess>

namespace Programs {

Run run(const QString& program, const QStringList& arguments, const QString& zone)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), zone);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString simulator()
{
    return QStringLiteral(VELTRA_BINARY_DIR "/tools/evaluator-sim");
}

QString historyTool()
{
    return QStringLiteral(VELTRA_BINARY_DIR "/tools/veltra-history");
}

QStringList pdfPages(const QString& pdf)
{
    const Run r = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")},
                      QStringLiteral("UTC"));
    QStringList pages = QString::fromUtf8(r.out).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace Programs
