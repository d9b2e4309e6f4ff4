#pragma once
#include <QString>

// The device that port number n opens: serial/COM<n> inside the program's
// home directory when that entry exists (a symbolic link to /dev/ttyUSB0, a
// /dev/serial/by-id/... name or a pseudo-terminal), otherwise /dev/ttyS<n-1>.
QString serialDevicePath(const QString& homeDirectory, int port);
