#pragma once
#include "config/ConfigValues.h"

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class ISerialPort;
class IMessageBox;

// "Setup Serial Port": the user picks a port number and a baud rate. OK
// accepts a choice only after a test open of that port with the dialog's own
// port control, which is always left closed. The chosen baud text goes into
// PortBaud at once on OK, even when the test then fails; the port number
// field changes only when the test passes.
class FrmCommPort : public QDialog {
    Q_OBJECT
public:
    FrmCommPort(ConfigValues& values, ISerialPort& testPort, IMessageBox& messageBox, QString homeDirectory,
                QWidget* parent = nullptr);

    void SetCommPortNumber(int16_t port) { portNumber_ = port; }
    int16_t GetCommPortNumber() const { return portNumber_; }

    void CmdOk_Click();
    void CmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void showDevice();

    ConfigValues& values_;
    ISerialPort& MSComm1;
    IMessageBox& messageBox_;
    QString home_;
    QString selectedBaud_;
    int16_t portNumber_ = 1;

    QComboBox* ComboCom;
    QComboBox* select_baud;
    QLabel* deviceLabel_;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
