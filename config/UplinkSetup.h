#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

class FrmUplink;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class IMqttClient;
class QWidget;
class RdWrConfig;

// Setup > "Plant uplink": shows the dialog with the settings from the
// configuration file and, after OK, stores them and announces the change.
// A setting that cannot be saved is reported, and the change is announced
// all the same for what did reach the file.
class UplinkSetup final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        RdWrConfig& store;
        QString configFile;
        IDialogRunner& runner;
        IMessageBox& messageBox;
        IFileDialog& fileDialog;
        IMqttClient& testClient; // the dialog's own, for its connection test
    };

    UplinkSetup(Parts parts, QWidget* dialogParent = nullptr);
    ~UplinkSetup() override;

    void MenueSetupUplink_Click();

signals:
    void settingsChanged();

private:
    Parts parts_;
    QWidget* dialogParent_;
    QPointer<FrmUplink> dialog_;
};
