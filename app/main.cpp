#include "app/FrmMain.h"
#include "app/RealDisplayWidgets.h"
#include "platform/AppHome.h"
#include "core/IClock.h"
#include "platform/MosquittoClient.h"
#include "platform/QtDialogs.h"
#include "platform/QtScreen.h"
#include "platform/QtSerialPort.h"
#include "platform/QtSerialPortList.h"
#include "platform/QtSound.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELTRA Data Logger"));
    // Ties the window to the installed desktop entry (its icon in a dock).
    QGuiApplication::setDesktopFileName(QStringLiteral(VELTRA_APP_ID));

    const ProgramFolders folders = programFolders();
    const QString home = folders.home;
    // Relative names resolve in the program's home.
    QDir::setCurrent(home);

    SystemClock clock;
    QtMessageBox messageBox;
    QtDialogRunner dialogs;
    QtFileDialog fileDialog;
    QtProgressWindow progress;
    QtSound sound(folders.data);
    QtSerialPort serialPort(home);
    QtSerialPortList systemPorts;

    const DisplayWidgetFactory widgets = realDisplayWidgets(clock);

    QtScreen screen;
    FrmMain window(FrmMainServices{messageBox, dialogs, fileDialog, progress, sound, clock, serialPort, screen, systemPorts, home,
                                   widgets,
                                   [&home] { return std::unique_ptr<ISerialPort>(new QtSerialPort(home)); },
                                   [] { return std::unique_ptr<IMqttClient>(new MosquittoClient); }});
    messageBox.setParent(&window);
    fileDialog.setParent(&window);
    progress.setParent(&window);
    if (!window.Form_Load())
        return 0;
    // Restored, the window keeps its design size (fitted into the screen).
    window.showMaximized();
    return app.exec();
}
