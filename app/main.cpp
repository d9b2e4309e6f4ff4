#include "app/FrmMain.h"
#include "app/RealDisplayWidgets.h"
#include "platform/AppHome.h"
#include "core/FreedMemory.h"
#include "core/IClock.h"
#include "platform/MosquittoClient.h"
#include "platform/ProcessRunner.h"
#include "platform/QtDialogs.h"
#include "platform/QtScreen.h"
#include "platform/QtSerialPort.h"
#include "platform/QtSerialPortList.h"
#include "platform/QtSound.h"
#include "platform/QtTimer.h"
#include "platform/RunMarker.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationRequests.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

// One logger per home: a second start shows the running logger's window
// and ends. Returns whether this program is the home's logger.
bool claimHome(SingleInstance& instance, IMessageBox& messageBox, const QString& home)
{
    switch (instance.claim()) {
    case SingleInstance::Claim::Shown:
        return false;
    case SingleInstance::Claim::Unreachable:
        messageBox.show(QString(),
                        QStringLiteral("A VELTRA Data Logger already runs for\n%1\nbut it could not be asked to show "
                                       "its window: %2.\n\nThis second start ends; the logger that runs goes on.")
                            .arg(QDir::toNativeSeparators(home), instance.why()),
                        MessageIcon::Warning);
        return false;
    case SingleInstance::Claim::First:
        break;
    }
    if (!instance.why().isEmpty())
        qWarning("A second logger for this home cannot be kept out: %s", qPrintable(instance.why()));
    return true;
}

// Begins this run's marker; returns when the last run ended unexpectedly.
std::optional<QDateTime> beginRun(RunMarker& marker)
{
    const std::optional<QDateTime> unexpectedEnd = marker.begin();
    if (!marker.error().isEmpty())
        qWarning("%s: %s", qPrintable(marker.path()), qPrintable(marker.error()));
    return unexpectedEnd;
}

// Asked to end by the system: the exit routine, then a normal end. exit()
// rather than quit(): it also ends a message box of the start-up, before
// the main loop runs, and no later one waits.
void endWhenAsked(const TerminationRequests& requests, FrmMain& window)
{
    QObject::connect(&requests, &TerminationRequests::requested, &window, [&window] {
        window.exitRoutine();
        QCoreApplication::exit(0);
    });
}

SessionStartPlace sessionStartPlace(const ProgramFolders& folders)
{
    return {QCoreApplication::applicationFilePath(), folders.installed,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                + QStringLiteral("/autostart/" VELTRA_APP_ID ".desktop")};
}

} // namespace

int main(int argc, char** argv)
{
    FreedMemory::limitHeaps();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELTRA Data Logger"));
    // Ties the window to the installed desktop entry (its icon in a dock).
    QGuiApplication::setDesktopFileName(QStringLiteral(VELTRA_APP_ID));

    const ProgramFolders folders = programFolders();
    const QString home = folders.home;
    // Relative names resolve in the program's home.
    QDir::setCurrent(home);

    QtMessageBox messageBox;
    SingleInstance instance(home);
    if (!claimHome(instance, messageBox, home))
        return 0;

    SystemClock clock;
    QtTimer heartbeat;
    RunMarker marker(QDir(home).filePath(RunMarker::FileName), clock, heartbeat);
    const std::optional<QDateTime> unexpectedEnd = beginRun(marker);

    QtDialogRunner dialogs;
    QtFileDialog fileDialog;
    QtProgressWindow progress;
    QtSound sound(folders.data);
    QtSerialPort serialPort(home);
    QtSerialPortList systemPorts;
    ProcessRunner commands;

    const DisplayWidgetFactory widgets = realDisplayWidgets(clock);

    QtScreen screen;
    FrmMain window(FrmMainServices{messageBox, dialogs, fileDialog, progress, sound, clock, serialPort, screen, systemPorts, home,
                                   widgets,
                                   [&home] { return std::unique_ptr<ISerialPort>(new QtSerialPort(home)); },
                                   [] { return std::unique_ptr<IMqttClient>(new MosquittoClient); },
                                   &commands, sessionStartPlace(folders)});
    messageBox.setParent(&window);
    fileDialog.setParent(&window);
    progress.setParent(&window);
    QObject::connect(&instance, &SingleInstance::showRequested, &window, &FrmMain::bringToFront);
    if (unexpectedEnd)
        window.noteUnexpectedEnd(*unexpectedEnd);
    TerminationRequests termination;
    endWhenAsked(termination, window);

    // A normal end removes the marker and returns 0, so the session's
    // restart on failure leaves it ended; a crash does neither.
    if (window.Form_Load() && !window.exited()) {
        // Restored, the window keeps its design size (fitted into the screen).
        window.showMaximized();
        app.exec();
    }
    marker.end();
    return 0;
}
