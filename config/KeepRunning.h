#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

struct CommandResult;
struct ConfigValues;
class ICommandRunner;
class RdWrConfig;

// Where the desktop session's start of the logger lives for this user.
struct SessionStartPlace {
    QString program;        // absolute path of the running program
    bool installed = false; // the packaged program, the one the user unit starts
    QString autostartFile;  // the user's autostart entry (~/.config/autostart/<id>.desktop)
};

// Setup > Keep logger running: whether the desktop session starts the
// logger at login and starts it again after an unexpected end, for this
// user; the setting is the configuration key KEEPRUNNING (1 on, else off).
//
// On: the installed program is left to the user's systemd instance (the
// packaged user unit, enabled; it restarts the logger after a crash) when
// that instance runs and the session has reached graphical-session.target,
// the target the unit is started with. Otherwise an autostart entry that
// names this program goes into the user's autostart folder; it starts the
// logger at login but never again after a crash. Off undoes both.
class KeepRunning {
public:
    static const QString Key;      // KEEPRUNNING
    static const QString UnitName; // veltra-logger.service

    struct Parts {
        ConfigValues& values;
        RdWrConfig& store;
        ICommandRunner& commands;
        SessionStartPlace place;
    };
    // done: switched as asked (the setting is stored then); message: what
    // was done, or why it was not, in words for the person.
    struct Outcome {
        bool done = false;
        QString message;
    };

    explicit KeepRunning(Parts parts) : p_(std::move(parts)) {}

    Outcome set(bool on);

    // An autostart entry that starts `program`; empty for a path that no
    // entry can name (one with a line break in it).
    static QByteArray autostartEntry(const QString& program);

private:
    Outcome switchOn();
    Outcome switchOff();
    CommandResult systemctl(const QStringList& arguments);
    bool unitEnabled();
    QString writeEntry();
    QString removeEntry();
    Outcome stored(bool on, QString message);

    Parts p_;
};
