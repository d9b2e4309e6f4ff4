#include "platform/HomeLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

HomeLock::~HomeLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

HomeLock::State HomeLock::tryLock()
{
    if (fd_ >= 0)
        return State::Held;
    const QByteArray name = QFile::encodeName(path_);
    // Close-on-exec: a program the logger starts (systemctl) must not keep
    // the lock alive after the logger has gone.
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EACCES)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return State::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::close(fd);
        if (reason == EWOULDBLOCK)
            return State::HeldByOther;
        error_ = QString::fromLocal8Bit(std::strerror(reason));
        return State::Failed;
    }
    fd_ = fd;
    return State::Held;
}
