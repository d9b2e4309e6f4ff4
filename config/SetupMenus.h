#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

struct ConfigValues;
class RdWrConfig;
class ConfigurationLoader;
class FrmCommPort;
class FrmInstall;
class FrmPassword;
class IClock;
class KeepRunning;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class ISerialPort;
class ISerialPortList;
class QWidget;


// The commands of the Setup menu but the plant uplink's. The serial port,
// installation and password commands show their dialogs modally (created on
// first use) and then run the main window's steps, which for the serial
// port and the installation also run after Cancel and store the values as
// they stand. A setting that could not be saved is reported in a message
// box before the configuration is loaded again. The installation setup's
// changes beyond the configuration go out as signals, in this order:
// caption, chart rebuild, sensor names, cleared write failures.
class SetupMenus final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ConfigValues& values;
        RdWrConfig& store;
        ConfigurationLoader& loader;
        IDialogRunner& runner;
        IMessageBox& messageBox;
        IFileDialog& fileDialog;
        ISerialPort& dialogPort; // the serial port dialog's own port, used only for its test
        const IClock& clock;
        const ISerialPortList* systemPorts = nullptr; // listed in the serial port dialog
        KeepRunning* keepRunning = nullptr;           // null: the item is not offered
    };

    SetupMenus(Parts parts, QWidget* dialogParent = nullptr);
    ~SetupMenus() override;

    void MenueSetupSerialPort_Click();
    void MenueSetupInstallation_Click();
    void MenueSetupPassword_Click();
    // Keep logger running: switches KEEPRUNNING over, says what was done (or
    // why not) in a message box, and reports the setting as it now stands.
    void MenueSetupKeepRunning_Click();
    // Daily reports: switches DAILYREPORTS over and stores it.
    void MenueSetupDailyReports_Click();
    // File > Export > CSV for spreadsheets: switches CSVBOM over and stores it.
    void csvForSpreadsheets_Click();

    // The caption the installation setup gives the main window.
    static QString installationCaption(const QString& installation);

signals:
    void captionChanged(const QString& caption);
    // The chart channel set-up, which also applies the display interval.
    void chartRebuildNeeded();
    // Sensor 1..6: enable its CheckShow box and show its name label.
    void sensorNameChanged(int sensor, const QString& caption, const QString& toolTip);
    // LogWriteFailed and EventWriteFailed are to be cleared.
    void writeFailuresCleared();
    // KEEPRUNNING as it stands after the Keep logger running item.
    void keepRunningShown(bool on);
    // DAILYREPORTS as it stands after the Daily reports item.
    void dailyReportsShown(bool on);
    void csvForSpreadsheetsShown(bool on);

private:
    bool store(const QString& key, const QString& value);
    void reportUnsaved();

    Parts parts_;
    QWidget* dialogParent_;
    QPointer<FrmCommPort> commPort_;
    QPointer<FrmInstall> install_;
    QPointer<FrmPassword> password_;
    QString unsaved_; // why a setting of the running command was not saved
};
