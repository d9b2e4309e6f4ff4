#include "history/WholeLineAppend.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace WholeLineAppend {

namespace {

bool failed(int error, QString* reason)
{
    if (reason)
        *reason = QString::fromLocal8Bit(std::strerror(error));
    return false;
}

bool endsInLineEnd(int fd, off_t size)
{
    char tail[2] = {};
    return size == 0 || (size >= 2 && ::pread(fd, tail, 2, size - 2) == 2 && tail[0] == '\r' && tail[1] == '\n');
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

bool append(const QString& fileName, QByteArrayView line, QString* reason)
{
    if (fileName.isEmpty())
        return failed(ENOENT, reason);
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return failed(errno, reason);
    struct stat info {};
    const off_t before = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    QByteArray bytes;
    if (before > 0 && !endsInLineEnd(fd, before))
        bytes = QByteArrayLiteral("\r\n");
    bytes += line;
    bytes += "\r\n";
    if (!writeAll(fd, bytes.constData(), size_t(bytes.size()))) {
        const int error = errno;
        if (before >= 0) {
            [[maybe_unused]] const int undone = ::ftruncate(fd, before);
        }
        ::close(fd);
        return failed(error, reason);
    }
    return ::close(fd) == 0 || failed(errno, reason);
}

} // namespace WholeLineAppend
