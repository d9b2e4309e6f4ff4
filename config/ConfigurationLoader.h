#pragma once
#include "config/ConfigValues.h"

#include <QString>
#include <functional>

class RdWrConfig;
class ISerialPort;
class IMessageBox;

// Title of the message box that reports configuration problems.
inline const QString ConfigErrorTitle = QStringLiteral("VELTRA-logger.ini   File Error!!");

// Loads every configuration key into ConfigValues: creates the default file
// when its first line is not the header, repairs bad values, sets up and
// test-opens the main window's serial port (left closed), reports the last
// problem found in one message box, and enables Start only when there was
// none. Runs at start-up and after the serial port and installation setups.
class ConfigurationLoader {
public:
    ConfigurationLoader(ConfigValues& values, RdWrConfig& store, ISerialPort& port, IMessageBox& messageBox,
                        std::function<void(bool)> enableStart);

    void LoadConfiguration();

private:
    QString text(const QString& key) const;
    int16_t number(const QString& key) const;
    void store(const QString& key, const QString& value);
    QString createDefaultFile();
    QString testPort();

    ConfigValues& values_;
    RdWrConfig& store_;
    ISerialPort& port_;
    IMessageBox& messageBox_;
    std::function<void(bool)> enableStart_;
    bool defaultsInMemory_ = false;
    QString portHint_; // why the port test failed, when the user can fix it
};
