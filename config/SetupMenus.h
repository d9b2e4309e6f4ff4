#pragma once
#include <QPointer>
#include <QString>
#include <functional>

struct ConfigValues;
class RdWrConfig;
class ConfigurationLoader;
class FrmCommPort;
class FrmInstall;
class FrmPassword;
class IClock;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class ISerialPort;
class ISerialPortList;
class QWidget;

// What the installation setup changes beyond the configuration; these parts
// live in the main window. Unset hooks are skipped.
struct InstallationSetupHooks {
    std::function<void(const QString& caption)> setCaption;
    // The chart channel set-up, which also applies the display interval.
    std::function<void()> rebuildChart;
    // Sensor 1..6: enable its CheckShow box and show its name label.
    std::function<void(int sensor, const QString& caption, const QString& toolTip)> showSensorName;
    // Clears LogWriteFailed and EventWriteFailed.
    std::function<void()> clearWriteFailures;
};

// The three commands of the Setup menu. Each shows its dialog modally (the
// dialogs are created on first use) and then runs the main window's steps,
// which for the serial port and the installation also run after Cancel and
// store the values as they stand. A setting that could not be saved is
// reported in a message box before the configuration is loaded again.
class SetupMenus {
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
    };

    SetupMenus(Parts parts, InstallationSetupHooks hooks, QWidget* dialogParent = nullptr);
    ~SetupMenus();
    SetupMenus(const SetupMenus&) = delete;
    SetupMenus& operator=(const SetupMenus&) = delete;

    void MenueSetupSerialPort_Click();
    void MenueSetupInstallation_Click();
    void MenueSetupPassword_Click();

    // The caption the installation setup gives the main window.
    static QString installationCaption(const QString& installation);

private:
    bool store(const QString& key, const QString& value);
    void reportUnsaved();

    Parts parts_;
    InstallationSetupHooks hooks_;
    QWidget* dialogParent_;
    QPointer<FrmCommPort> commPort_;
    QPointer<FrmInstall> install_;
    QPointer<FrmPassword> password_;
    QString unsaved_; // why a setting of the running command was not saved
};
