#pragma once
#include "config/UplinkConnectionTest.h"
#include "config/UplinkSettings.h"

#include <QDialog>

class IFileDialog;
class IMqttClient;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Plant uplink": the broker's host (empty: the uplink is off), port, user
// name and password, TLS with the CA file to trust, and a connection test.
// OK keeps the dialog open while the settings have a problem, and says
// which; the caller stores them after an accepted dialog.
class FrmUplink : public QDialog {
    Q_OBJECT
public:
    FrmUplink(IMqttClient& testClient, IFileDialog& fileDialog, QWidget* parent = nullptr);

    void setSettings(const UplinkSettings& settings);
    // The settings as typed; `problem` (when given) tells what is wrong with them.
    UplinkSettings settings(QString* problem = nullptr) const;
    QString resultText() const;

    void CmdOk_Click();
    void CmdCancel_Click();
    void CmdTest_Click();
    void CmdCaFile_Click();

private:
    void showResult(const QString& text);

    IFileDialog& fileDialog_;
    UplinkConnectionTest test_;
    QLineEdit* TxtHost;
    QLineEdit* TxtPort;
    QLineEdit* TxtUser;
    QLineEdit* TxtPassword;
    QCheckBox* ChkTls;
    QLineEdit* TxtCaFile;
    QPushButton* CmdCaFile;
    QPushButton* CmdTest;
    QLabel* LblResult;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
