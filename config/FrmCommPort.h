#pragma once
#include "config/ConfigValues.h"

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class ISerialPort;
class ISerialPortList;
class IMessageBox;

// "Setup Serial Port": the user picks a port number and a baud rate. OK
// accepts a choice only after a test open of that port with the dialog's own
// port control, which is always left closed. The chosen baud text goes into
// PortBaud at once on OK, even when the test then fails; the port number
// field changes only when the test passes.
//
// Beside the numbers the dialog lists the serial ports the system has (none
// without systemPorts). Choosing one points serial/COM<n> in the home at it
// for the test; a failed test puts the old link back.
class FrmCommPort : public QDialog {
    Q_OBJECT
public:
    FrmCommPort(ConfigValues& values, ISerialPort& testPort, IMessageBox& messageBox, QString homeDirectory,
                const ISerialPortList* systemPorts, QWidget* parent = nullptr);

    void SetCommPortNumber(int16_t port) { portNumber_ = port; }
    int16_t GetCommPortNumber() const { return portNumber_; }

    void CmdOk_Click();
    void CmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void showDevice();
    void fillSystemPorts();
    bool testPort(int port);

    ConfigValues& values_;
    ISerialPort& MSComm1;
    IMessageBox& messageBox_;
    QString home_;
    const ISerialPortList* systemPorts_;
    QString selectedBaud_;
    int16_t portNumber_ = 1;

    QComboBox* ComboCom;
    QComboBox* select_baud;
    QLabel* deviceLabel_;
    QComboBox* systemPortCombo_;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
