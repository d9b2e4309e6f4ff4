#pragma once
#include "platform/ISerialPortList.h"

// The ports QSerialPortInfo finds, in the order of their device names, with
// their names from /dev/serial/by-id where the system made one.
class QtSerialPortList final : public ISerialPortList {
public:
    std::vector<SystemSerialPort> ports() const override;
};

// Sets byIdName of every port that a link in byIdDir leads to.
void addByIdNames(std::vector<SystemSerialPort>& ports, const QString& byIdDir);
