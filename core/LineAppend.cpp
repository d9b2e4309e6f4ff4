#include "core/LineAppend.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AppendResult failure(int error)
{
    AppendResult result;
    result.status = error == ENAMETOOLONG ? AppendResult::Status::NameTooLong : AppendResult::Status::Failed;
    result.reason = QString::fromLocal8Bit(std::strerror(error));
    return result;
}

int openForAppend(const QByteArray& path, bool* canRead)
{
    int fd = ::open(path.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    *canRead = fd >= 0;
    // A file we may write but not read still takes lines, unchecked.
    if (fd < 0 && errno == EACCES)
        fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    return fd;
}

bool endsInLineEnd(int fd, off_t size)
{
    if (size == 0)
        return true;
    char tail[2] = {};
    if (size < 2 || ::pread(fd, tail, 2, size - 2) != 2)
        return false;
    return tail[0] == '\r' && tail[1] == '\n';
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

AppendResult appendWholeLine(const QString& fileName, QByteArrayView line)
{
    if (fileName.isEmpty())
        return failure(ENOENT);
    bool canRead = false;
    const int fd = openForAppend(QFile::encodeName(fileName), &canRead);
    if (fd < 0)
        return failure(errno);

    struct stat info {};
    const off_t before = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    QByteArray bytes;
    if (canRead && before > 0 && !endsInLineEnd(fd, before))
        bytes = QByteArrayLiteral("\r\n");
    bytes += line;

    if (!writeAll(fd, bytes.constData(), size_t(bytes.size()))) {
        const int error = errno;
        // Should the undo fail too, the next line still starts on a line of its own.
        if (before >= 0) {
            [[maybe_unused]] const int undone = ::ftruncate(fd, before);
        }
        ::close(fd);
        return failure(error);
    }
    if (::close(fd) != 0)
        return failure(errno);
    return {};
}
