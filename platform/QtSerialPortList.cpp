#include "platform/QtSerialPortList.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

std::vector<SystemSerialPort> QtSerialPortList::ports() const
{
    std::vector<SystemSerialPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.systemLocation(), QString(), info.description()});
    std::sort(ports.begin(), ports.end(),
              [](const SystemSerialPort& a, const SystemSerialPort& b) { return a.device < b.device; });
    addByIdNames(ports, QStringLiteral("/dev/serial/by-id"));
    return ports;
}

void addByIdNames(std::vector<SystemSerialPort>& ports, const QString& byIdDir)
{
    const QDir dir(byIdDir);
    const QFileInfoList links = dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        if (!link.isSymLink())
            continue;
        const QString target = link.canonicalFilePath();
        for (SystemSerialPort& port : ports) {
            if (port.byIdName.isEmpty() && !target.isEmpty()
                && QFileInfo(port.device).canonicalFilePath() == target)
                port.byIdName = link.absoluteFilePath();
        }
    }
}
