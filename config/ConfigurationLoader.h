#pragma once
#include "config/ConfigValues.h"

#include <QString>
#include <QStringList>
#include <QObject>

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
//
// A file that is replaced by the default file is first kept as
// "VELTRA-logger1.ini.bak" beside it; when no copy can be made it is not
// replaced, and the defaults run in memory. A write that fails is reported
// with the system's reason; the box names the kept copy on a line of its own.
class ConfigurationLoader final : public QObject {
    Q_OBJECT
public:
    ConfigurationLoader(ConfigValues& values, RdWrConfig& store, ISerialPort& port, IMessageBox& messageBox,
                        QObject* parent = nullptr);

    void LoadConfiguration();

signals:
    // At the end of every load: whether the Start/Stop command is enabled.
    void startEnabled(bool enabled);

private:
    QString text(const QString& key) const;
    int16_t number(const QString& key) const;
    void store(const QString& key, const QString& value);
    QString createDefaultFile();
    QString testPort();
    void noteWriteFailure();
    QString messageText(const QString& msg) const;
    void report(QString msg);
    QString logDirectory() const;

    ConfigValues& values_;
    RdWrConfig& store_;
    ISerialPort& port_;
    IMessageBox& messageBox_;
    bool defaultsInMemory_ = false;
    // Lines shown below the message: the kept copy, the reasons of failed writes.
    QStringList notes_;
    bool writeFailed_ = false;
    QString portHint_; // why the port test failed, when the user can fix it
};
