#pragma once
#include <QString>

// The serial/COM<n> links in the program's home, which serialDevicePath
// follows. Only links are changed: an entry of another kind is left alone.
class SerialLinks {
public:
    explicit SerialLinks(QString homeDirectory);

    // Where serial/COM<port> points; empty when it is no link.
    QString target(int port) const;
    // Points serial/COM<port> at device, replacing the link that was there in
    // one step. False, with error() saying why, when it cannot.
    bool point(int port, const QString& device);
    // Puts back what target(port) returned before point(): that link, or none.
    bool restore(int port, const QString& previousTarget);

    QString error() const { return error_; }

private:
    QString linkPath(int port) const;
    bool fail(const QString& why);

    QString home_;
    QString error_;
};
