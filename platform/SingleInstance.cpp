#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
const QByteArray ShowRequest = "show\n";
const QByteArray ShownReply = "shown\n";
// A request is one short line; anything longer is not from a logger.
constexpr qint64 MaxRequest = 64;
constexpr int RetryMs = 50;
} // namespace

const QString SingleInstance::LockFileName = QStringLiteral("VELTRA-logger1.lock");

SingleInstance::SingleInstance(const QString& homeDirectory, QObject* parent)
    : QObject(parent), name_(serverName(homeDirectory)), lock_(QDir(homeDirectory).filePath(LockFileName))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection())
            serve(socket);
    });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& homeDirectory)
{
    const QFileInfo home(homeDirectory);
    const QString path = home.canonicalFilePath().isEmpty() ? home.absoluteFilePath() : home.canonicalFilePath();
    const QString name = QStringLiteral("veltra-logger-")
        + QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256)
                                  .toHex()
                                  .left(32));
    // The runtime folder is the user's alone (0700); without one the socket
    // goes to the temporary folder, still open to its user only.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : QDir(runtime).filePath(name);
}

SingleInstance::Claim SingleInstance::claim(int patienceMs)
{
    const QDeadlineTimer deadline(patienceMs);
    for (;;) {
        const HomeLock::State state = lock_.tryLock();
        if (state == HomeLock::State::Failed) {
            why_ = QStringLiteral("%1 cannot be locked: %2").arg(lock_.path(), lock_.error());
            return Claim::First;
        }
        if (state == HomeLock::State::Held) {
            listen();
            return Claim::First;
        }
        const Ask ask = askToShow(deadline);
        if (ask == Ask::Shown)
            return Claim::Shown;
        if (ask == Ask::NoAnswer || deadline.hasExpired()) {
            if (ask == Ask::NoServer)
                why_ = QStringLiteral("it does not listen on %1").arg(name_);
            return Claim::Unreachable;
        }
        QThread::msleep(RetryMs);
    }
}

SingleInstance::Ask SingleInstance::askToShow(const QDeadlineTimer& deadline)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) {
        const auto error = socket.error();
        if (error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError)
            return Ask::NoServer;
        why_ = socket.errorString();
        return Ask::NoAnswer;
    }
    socket.write(ShowRequest);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) {
            why_ = socket.state() == QLocalSocket::ConnectedState ? QStringLiteral("it does not answer")
                                                                   : socket.errorString();
            return Ask::NoAnswer;
        }
    }
    if (socket.readLine(MaxRequest) == ShownReply)
        return Ask::Shown;
    why_ = QStringLiteral("it gave an answer no logger gives");
    return Ask::NoAnswer;
}

void SingleInstance::listen()
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_))
        return;
    // A logger that was killed leaves its socket behind; the lock is ours,
    // so nobody listens on it any more.
    if (server_.serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name_);
        if (server_.listen(name_))
            return;
    }
    why_ = QStringLiteral("%1: %2").arg(name_, server_.errorString());
}

void SingleInstance::serve(QLocalSocket* socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > MaxRequest)
                socket->abort();
            return;
        }
        if (socket->readLine(MaxRequest) == ShowRequest) {
            emit showRequested();
            socket->write(ShownReply);
        }
        socket->disconnectFromServer();
    });
}
