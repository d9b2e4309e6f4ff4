#pragma once
#include "config/ConfigValues.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class IMessageBox;
class RdWrConfig;

// "Setup Password": OK is enabled only while the current-password field
// equals PASSWORD exactly; it stores the new password, typed twice the same
// way, in the configuration file and in ConfigValues. The fields start empty
// every time the dialog is shown.
class FrmPassword : public QDialog {
    Q_OBJECT
public:
    FrmPassword(ConfigValues& values, RdWrConfig& store, IMessageBox& messageBox, QWidget* parent = nullptr);

    void CmdOk_Click();
    void CmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void oldpasswd_Change();

    ConfigValues& values_;
    RdWrConfig& store_;
    IMessageBox& messageBox_;

    QLineEdit* oldpasswd;
    QLineEdit* newpasswd;
    QLineEdit* newpasswd2;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
