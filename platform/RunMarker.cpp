#include "platform/RunMarker.h"

#include "core/IClock.h"
#include "platform/ITimer.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
// "2026-02-11T09:34:25Z": always 20 characters for four-digit years.
QByteArray markerText(const QDateTime& when)
{
    return when.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

const QString RunMarker::FileName = QStringLiteral("VELTRA-logger1.running");

RunMarker::RunMarker(QString path, const IClock& clock, ITimer& heartbeat)
    : path_(std::move(path)), clock_(clock), heartbeat_(heartbeat)
{
    heartbeat_.setInterval(HeartbeatMs);
    heartbeat_.onTimeout = [this] { write(false); };
}

std::optional<QDateTime> RunMarker::begin()
{
    const std::optional<QDateTime> ended = lastRunEnd();
    write(true);
    heartbeat_.setEnabled(true);
    return ended;
}

void RunMarker::end()
{
    heartbeat_.setEnabled(false);
    QFile marker(path_);
    error_ = !marker.exists() || marker.remove() ? QString() : marker.errorString();
}

std::optional<QDateTime> RunMarker::lastRunEnd() const
{
    QFile marker(path_);
    if (!marker.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QDateTime written = QDateTime::fromString(QString::fromLatin1(marker.read(64).trimmed()), Qt::ISODate);
    if (written.isValid())
        return written.toLocalTime();
    return QFileInfo(marker).lastModified();
}

void RunMarker::write(bool truncate)
{
    const QByteArray text = markerText(clock_.now());
    // A beat makes the marker again when someone removed it.
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : 0);
    const int fd = ::open(QFile::encodeName(path_).constData(), flags, 0644);
    if (fd < 0) {
        error_ = systemError();
        return;
    }
    const ssize_t wrote = ::pwrite(fd, text.constData(), size_t(text.size()), 0);
    error_ = wrote == ssize_t(text.size()) ? QString() : wrote < 0 ? systemError() : QStringLiteral("short write");
    ::close(fd);
}
