#include "support/KeptLogger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

namespace {

QString systemctl(const QStringList& arguments, bool* ok = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("systemctl"), QStringList{QStringLiteral("--user")} + arguments);
    const bool finished = p.waitForStarted(5000) && p.waitForFinished(20000);
    if (ok)
        *ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QByteArray said =
        finished ? p.readAllStandardOutput() + p.readAllStandardError() : p.errorString().toLocal8Bit();
    return QString::fromLocal8Bit(said).trimmed();
}

// The [Service] lines the restart rule is made of.
struct UnitRules {
    QStringList execStart;
    QString restart;
    int restartMs = 100; // systemd's default RestartSec
};

UnitRules readRules(const QString& text)
{
    UnitRules rules;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = line.section(QLatin1Char('='), 1).trimmed();
        if (key == QLatin1String("ExecStart"))
            rules.execStart = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        else if (key == QLatin1String("Restart"))
            rules.restart = value;
        else if (key == QLatin1String("RestartSec"))
            rules.restartMs = value.endsWith(QLatin1String("ms"))
                ? value.chopped(2).toInt()
                : int(QString(value).remove(QLatin1Char('s')).toDouble() * 1000);
    }
    return rules;
}

// Restart=on-failure as systemd reads it: a signal, or an exit code not 0.
bool restartWanted(const QString& rule, QProcess::ExitStatus status, int exitCode)
{
    const bool failed = status == QProcess::CrashExit || exitCode != 0;
    return rule == QLatin1String("always") || (rule == QLatin1String("on-failure") && failed);
}

class Supervisor final : public QObject, public KeptLogger {
public:
    Supervisor(const ProgramHome& home, QProcessEnvironment env, QString why)
        : home_(home), env_(std::move(env)), why_(std::move(why)),
          rules_(readRules(QString::fromUtf8(readFileBytes(packagedUnitFile()))))
    {
    }
    ~Supervisor() override
    {
        ended_ = true;
        if (process_) {
            process_->disconnect();
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    bool start() override { return !rules_.execStart.isEmpty() && launch(); }
    qint64 pid() override { return process_ && process_->state() == QProcess::Running ? process_->processId() : 0; }
    bool endedForGood() override { return ended_; }
    QString how() const override
    {
        return QStringLiteral("the test's supervisor, after the unit's ExecStart, Restart=%1 and RestartSec=%2 ms (%3)")
            .arg(rules_.restart)
            .arg(rules_.restartMs)
            .arg(why_);
    }

private:
    bool launch()
    {
        if (process_)
            process_.release()->deleteLater();
        process_ = std::make_unique<QProcess>();
        QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        all.insert(env_);
        process_->setProcessEnvironment(all);
        process_->setWorkingDirectory(home_.path());
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->setStandardOutputFile(QProcess::nullDevice());
        connect(process_.get(), &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
            if (ended_ || !restartWanted(rules_.restart, status, code)) {
                ended_ = true;
                return;
            }
            QTimer::singleShot(rules_.restartMs, this, [this] { launch(); });
        });
        // The unit's command with its program swapped for the copy under test.
        process_->start(home_.program(), rules_.execStart.mid(1));
        return process_->waitForStarted();
    }

    const ProgramHome& home_;
    QProcessEnvironment env_;
    QString why_;
    UnitRules rules_;
    std::unique_ptr<QProcess> process_;
    bool ended_ = false;
};

class SystemdUnit final : public KeptLogger {
public:
    SystemdUnit(const ProgramHome& home, const QProcessEnvironment& env)
        : name_(QStringLiteral("veltra-logger-test-%1.service").arg(QCoreApplication::applicationPid()))
    {
        const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/systemd/user");
        QDir().mkpath(dir);
        file_ = dir + QLatin1Char('/') + name_;
        QString text = QString::fromUtf8(readFileBytes(packagedUnitFile()));
        text.replace(QRegularExpression(QStringLiteral("(?m)^ExecStart=\\S+")),
                     QStringLiteral("ExecStart=") + home.program());
        QString environment;
        for (const QString& key : env.keys())
            environment += QStringLiteral("Environment=\"%1=%2\"\n").arg(key, env.value(key));
        text.replace(QStringLiteral("[Service]\n"), QStringLiteral("[Service]\n") + environment);
        QFile out(file_);
        if (out.open(QIODevice::WriteOnly))
            out.write(text.toUtf8());
    }
    ~SystemdUnit() override
    {
        systemctl({QStringLiteral("stop"), name_});
        QFile::remove(file_);
        systemctl({QStringLiteral("daemon-reload")});
        systemctl({QStringLiteral("reset-failed"), name_});
    }
    bool start() override
    {
        bool ok = false;
        systemctl({QStringLiteral("daemon-reload")});
        systemctl({QStringLiteral("start"), name_}, &ok);
        return ok;
    }
    qint64 pid() override { return property(QStringLiteral("MainPID")).toLongLong(); }
    bool endedForGood() override { return property(QStringLiteral("ActiveState")) == QLatin1String("inactive"); }
    QString how() const override { return QStringLiteral("the user's systemd instance (unit %1)").arg(name_); }

private:
    QString property(const QString& name) const
    {
        return systemctl({QStringLiteral("show"), QStringLiteral("-p"), name, QStringLiteral("--value"), name_});
    }

    QString name_;
    QString file_;
};

} // namespace

QString packagedUnitFile()
{
    return builtProgram(QStringLiteral("packaging/veltra-logger.service"));
}

std::unique_ptr<KeptLogger> keepLoggerRunning(const ProgramHome& home, const QProcessEnvironment& env)
{
    bool answers = false;
    const QString said = systemctl({QStringLiteral("show-environment")}, &answers);
    if (answers && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return std::make_unique<SystemdUnit>(home, env);
    const QString why = answers ? QStringLiteral("XDG_RUNTIME_DIR is not set")
                                : QStringLiteral("no systemd user instance: ") + said.section(QLatin1Char('\n'), 0, 0);
    return std::make_unique<Supervisor>(home, env, why);
}

bool processGone(qint64 pid)
{
    const QByteArray stat = readFileBytes(QStringLiteral("/proc/%1/stat").arg(pid));
    // "pid (name) S ...": the state follows the name's closing parenthesis.
    const qsizetype close = stat.lastIndexOf(')');
    return stat.isEmpty() || (close > 0 && stat.mid(close + 2, 1) == "Z");
}
