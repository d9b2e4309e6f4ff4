#include "support/BrokerProcess.h"

#include "support/ProgramProcess.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool takesConnections(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    return socket.waitForConnected(200);
}

} // namespace

int freeLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

BrokerProcess::BrokerProcess() : BrokerProcess(Options{}) {}

BrokerProcess::BrokerProcess(Options options) : options_(options)
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

QString BrokerProcess::missingTools()
{
    for (const char* tool : {"mosquitto", "mosquitto_passwd", "openssl"}) {
        const QString name = QString::fromLatin1(tool);
        if (QStandardPaths::findExecutable(name).isEmpty()
            && QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin")}).isEmpty())
            return name + QStringLiteral(" is not installed (bash tools/setup.sh installs it)");
    }
    return QString();
}

bool BrokerProcess::makeCertificate()
{
    return run(QStringLiteral("openssl"),
               {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1"),
                QStringLiteral("-keyout"), dir_.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"), caFile()});
}

bool BrokerProcess::writeConfiguration()
{
    port_ = options_.port > 0 ? options_.port : freeLoopbackPort();
    const QString passwords = dir_.filePath(QStringLiteral("passwd"));
    if (!run(QStringLiteral("mosquitto_passwd"), {QStringLiteral("-b"), QStringLiteral("-c"), passwords,
                                                  QLatin1String(User), QLatin1String(Password)}))
        return false;
    if (options_.tls && !makeCertificate())
        return false;
    QStringList lines{QStringLiteral("listener %1 127.0.0.1").arg(port_), QStringLiteral("allow_anonymous false"),
                      QStringLiteral("password_file ") + passwords,
                      // Started by root it would switch to the mosquitto user, who cannot read this folder.
                      QStringLiteral("user ") + QString::fromLocal8Bit(getpwuid(getuid())->pw_name),
                      QStringLiteral("max_queued_messages 1000000"),
                      QStringLiteral("max_inflight_messages 1000"),
                      QStringLiteral("log_type error"),
                      QStringLiteral("log_type warning"), QStringLiteral("log_dest stdout")};
    if (options_.tls)
        lines << QStringLiteral("certfile ") + caFile() << QStringLiteral("keyfile ") + dir_.filePath("key.pem");
    if (options_.persistence)
        lines << QStringLiteral("persistence true") << QStringLiteral("persistence_location ") + dir_.path() + '/'
              << QStringLiteral("autosave_interval 86400");
    QFile file(dir_.filePath(QStringLiteral("mosquitto.conf")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return true;
}

bool BrokerProcess::start()
{
    if (!configured_ && !(configured_ = writeConfiguration()))
        return false;
    QString program = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin")});
    process_.start(program, {QStringLiteral("-c"), dir_.filePath(QStringLiteral("mosquitto.conf"))});
    if (!process_.waitForStarted())
        return false;
    return waitUntil([this] { return takesConnections(port_) || !running(); }, 10000) && running();
}

void BrokerProcess::kill()
{
    if (!running())
        return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(5000);
}

void BrokerProcess::terminate()
{
    if (!running())
        return;
    process_.terminate();
    process_.waitForFinished(5000);
}

QString BrokerProcess::output()
{
    output_ += process_.readAll();
    return QString::fromUtf8(output_);
}
