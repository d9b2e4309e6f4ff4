#include "SerialOutput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
speed_t speedFor(int baud)
{
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return 0;
    }
}
} // namespace

SerialOutput::~SerialOutput()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
}

bool SerialOutput::openPty(std::string* error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // Raw, so the line discipline neither holds bytes back until a newline
    // nor echoes them into our unread side.
    termios tio {};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    fd_ = master;
    slaveFd_ = slave;
    path_ = name;
    return true;
}

bool SerialOutput::openDevice(const std::string& path, int baud, std::string* error)
{
    const speed_t speed = speedFor(baud);
    if (speed == 0) {
        *error = "unsupported baud rate " + std::to_string(baud);
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    termios tio {};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE);
        tio.c_cflag |= CS8;
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    fd_ = fd;
    path_ = path;
    return true;
}

void SerialOutput::send(const std::string& bytes)
{
    drainEcho();
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return; // full or gone: the rest is lost, as on a real line
        }
    }
}

void SerialOutput::drainEcho()
{
    char discard[512];
    while (::read(fd_, discard, sizeof discard) > 0) {
    }
}

bool SerialOutput::sendAll(const std::string& bytes, const volatile std::sig_atomic_t& stop)
{
    size_t done = 0;
    while (done < bytes.size() && !stop) {
        drainEcho();
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd writable {fd_, POLLOUT, 0};
            ::poll(&writable, 1, 100);
        } else {
            return false;
        }
    }
    return done == bytes.size();
}
