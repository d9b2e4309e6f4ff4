#include "config/KeepRunning.h"

#include "config/ConfigValues.h"
#include "config/RdWrConfig.h"
#include "core/WholeFileWrite.h"
#include "platform/ICommandRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString KeepRunning::Key = QStringLiteral("KEEPRUNNING");
const QString KeepRunning::UnitName = QStringLiteral("veltra-logger.service");

namespace {

const QString Systemctl = QStringLiteral("systemctl");

QString reasonOf(const CommandResult& result)
{
    if (!result.error.isEmpty())
        return result.error;
    return result.output.isEmpty() ? QStringLiteral("systemctl ended with %1").arg(result.exitCode) : result.output;
}

// One argument of an Exec line: quoted with its specials escaped, then
// escaped again as the string the whole value is.
QString execArgument(const QString& program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray KeepRunning::autostartEntry(const QString& program)
{
    if (program.contains(QLatin1Char('\n')) || program.contains(QLatin1Char('\r')))
        return {};
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=VELTRA Data Logger\n"
                          "Comment=Starts the data logger with the desktop session\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(program))
        .toUtf8();
}

KeepRunning::Outcome KeepRunning::set(bool on)
{
    return on ? switchOn() : switchOff();
}

CommandResult KeepRunning::systemctl(const QStringList& arguments)
{
    return p_.commands.run(Systemctl, QStringList{QStringLiteral("--user")} + arguments);
}

bool KeepRunning::unitEnabled()
{
    const CommandResult state = systemctl({QStringLiteral("is-enabled"), UnitName});
    return state.finished && state.output == QLatin1String("enabled");
}

KeepRunning::Outcome KeepRunning::switchOn()
{
    // "active" only when the user's systemd instance answers and the session
    // started its target, which is what starts the unit at login.
    const bool unitUsable = p_.place.installed
        && systemctl({QStringLiteral("is-active"), QStringLiteral("graphical-session.target")}).succeeded();
    if (unitUsable) {
        const CommandResult enabled = systemctl({QStringLiteral("enable"), UnitName});
        if (!enabled.succeeded())
            return {false, QStringLiteral("The user service %1 could not be switched on:\n%2")
                               .arg(UnitName, reasonOf(enabled))};
        // One way only: an entry of before would start a second logger.
        removeEntry();
        return stored(true, QStringLiteral("From your next login on, the logger starts with your desktop session "
                                           "and starts again by itself within seconds after an unexpected end "
                                           "(user service %1).")
                                .arg(UnitName));
    }
    if (const QString error = writeEntry(); !error.isEmpty())
        return {false, QStringLiteral("The autostart entry %1 could not be written:\n%2")
                           .arg(p_.place.autostartFile, error)};
    const QString why = p_.place.installed
        ? QStringLiteral("This desktop session has no systemd user instance that reaches graphical-session.target")
        : QStringLiteral("The user service starts only the installed program, and this is a copy in %1")
              .arg(QFileInfo(p_.place.program).absolutePath());
    return stored(true, QStringLiteral("From your next login on, the logger starts with your desktop session "
                                       "(autostart entry %1).\n%2, so after an unexpected end it is not started "
                                       "again by itself.")
                            .arg(p_.place.autostartFile, why));
}

KeepRunning::Outcome KeepRunning::switchOff()
{
    if (unitEnabled()) {
        const CommandResult disabled = systemctl({QStringLiteral("disable"), UnitName});
        if (!disabled.succeeded())
            return {false, QStringLiteral("The user service %1 could not be switched off:\n%2")
                               .arg(UnitName, reasonOf(disabled))};
    }
    if (const QString error = removeEntry(); !error.isEmpty())
        return {false, QStringLiteral("The autostart entry %1 could not be removed:\n%2")
                           .arg(p_.place.autostartFile, error)};
    QString message = QStringLiteral("The logger no longer starts with your desktop session.");
    // Switched on for every user (systemctl --global enable): not one
    // user's to switch off.
    if (unitEnabled())
        message = QStringLiteral("The user service %1 stays on: it is switched on for every user of this computer, "
                                 "which only an administrator can change (systemctl --global disable %1).")
                      .arg(UnitName);
    return stored(false, message);
}

QString KeepRunning::writeEntry()
{
    const QByteArray entry = autostartEntry(p_.place.program);
    if (entry.isEmpty())
        return QStringLiteral("the program's path cannot be named in an entry");
    if (!QDir().mkpath(QFileInfo(p_.place.autostartFile).absolutePath()))
        return QStringLiteral("its folder cannot be made");
    return writeFileWhole(p_.place.autostartFile, entry);
}

QString KeepRunning::removeEntry()
{
    QFile entry(p_.place.autostartFile);
    if (!entry.exists() || entry.remove())
        return QString();
    return entry.errorString();
}

KeepRunning::Outcome KeepRunning::stored(bool on, QString message)
{
    p_.values.KEEPRUNNING = on ? 1 : 0;
    if (!p_.store.SetConfigValue(p_.values.ConfigFileName, Key, on ? QStringLiteral("1") : QStringLiteral("0"))) {
        message += QStringLiteral("\nThe setting could not be saved in %1").arg(p_.values.ConfigFileName);
        if (!p_.store.lastError().isEmpty())
            message += QStringLiteral(": ") + p_.store.lastError();
    }
    return {true, message};
}
