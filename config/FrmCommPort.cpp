#include "config/FrmCommPort.h"

#include "config/OkCancelButtons.h"
#include "platform/IMessageBox.h"
#include "platform/ISerialPort.h"
#include "platform/ISerialPortList.h"
#include "platform/SerialDevice.h"
#include "platform/SerialLinks.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const char* const BaudTexts[] = {"9600", "19200", "38400", "57600"};
constexpr int PortCount = 16;
} // namespace

FrmCommPort::FrmCommPort(ConfigValues& values, ISerialPort& testPort, IMessageBox& messageBox,
                         QString homeDirectory, const ISerialPortList* systemPorts, QWidget* parent)
    : QDialog(parent)
    , values_(values)
    , MSComm1(testPort)
    , messageBox_(messageBox)
    , home_(std::move(homeDirectory))
    , systemPorts_(systemPorts)
{
    setWindowTitle(QStringLiteral("Setup Serial Port"));

    ComboCom = new QComboBox(this);
    ComboCom->setObjectName(QStringLiteral("ComboCom"));
    ComboCom->setAccessibleName(QStringLiteral("Serial port"));
    select_baud = new QComboBox(this);
    select_baud->setObjectName(QStringLiteral("select_baud"));
    select_baud->setAccessibleName(QStringLiteral("Baud rate"));
    deviceLabel_ = new QLabel(this);
    deviceLabel_->setObjectName(QStringLiteral("deviceLabel"));
    deviceLabel_->setAccessibleName(QStringLiteral("Device of the selected port"));
    deviceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    systemPortCombo_ = new QComboBox(this);
    systemPortCombo_->setObjectName(QStringLiteral("ComboSystemPort"));
    systemPortCombo_->setAccessibleName(QStringLiteral("System serial port for the selected number"));
    // by-id names are long; they must be readable to tell two adapters apart.
    systemPortCombo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port:"), ComboCom);
    form->addRow(QStringLiteral("Baud rate:"), select_baud);
    form->addRow(QStringLiteral("Device:"), deviceLabel_);
    form->addRow(QStringLiteral("System port:"), systemPortCombo_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(CmdOk, &QPushButton::clicked, this, &FrmCommPort::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmCommPort::CmdCancel_Click);
    connect(ComboCom, &QComboBox::currentIndexChanged, this, &FrmCommPort::showDevice);
}

void FrmCommPort::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void FrmCommPort::Form_Load()
{
    fillSystemPorts();
    ComboCom->clear();
    for (int port = 1; port <= PortCount; ++port)
        ComboCom->addItem(QStringLiteral("COM %1").arg(port));
    ComboCom->setCurrentIndex(portNumber_ >= 1 && portNumber_ <= PortCount ? portNumber_ - 1 : -1);

    selectedBaud_ = values_.PortBaud;
    select_baud->clear();
    for (const char* baud : BaudTexts)
        select_baud->addItem(QString::fromLatin1(baud));
    // A baud rate the list does not offer (a hand-edited file) leaves nothing selected.
    select_baud->setCurrentIndex(select_baud->findText(values_.PortBaud, Qt::MatchExactly | Qt::MatchCaseSensitive));
    showDevice();
}

void FrmCommPort::fillSystemPorts()
{
    // The entries' data is what serial/COM<n> would point at; none keeps the link.
    systemPortCombo_->clear();
    systemPortCombo_->addItem(QStringLiteral("(leave as it is)"));
    std::vector<SystemSerialPort> ports;
    if (systemPorts_)
        ports = systemPorts_->ports();
    for (const SystemSerialPort& port : ports) {
        QString text = port.linkTarget();
        if (!port.byIdName.isEmpty())
            text += QStringLiteral(" (") + port.device + QLatin1Char(')');
        if (!port.description.isEmpty())
            text += QStringLiteral(" - ") + port.description;
        systemPortCombo_->addItem(text, port.linkTarget());
    }
    systemPortCombo_->setEnabled(!ports.empty());
    systemPortCombo_->setToolTip(ports.empty() ? QStringLiteral("No serial ports found") : QString());
}

void FrmCommPort::showDevice()
{
    const int port = ComboCom->currentIndex() + 1;
    deviceLabel_->setText(port >= 1 ? serialDevicePath(home_, port) : QString());
    const int linked = port >= 1 ? systemPortCombo_->findData(SerialLinks(home_).target(port)) : -1;
    systemPortCombo_->setCurrentIndex(std::max(linked, 0));
}

void FrmCommPort::CmdOk_Click()
{
    if (select_baud->currentIndex() < 0 || ComboCom->currentIndex() < 0) {
        messageBox_.show(QString(), QStringLiteral("Please select a port and a baud rate first !"),
                         MessageIcon::Warning);
        return;
    }
    selectedBaud_ = select_baud->currentText();
    values_.PortBaud = selectedBaud_;

    const int port = ComboCom->currentIndex() + 1;
    if (!testPort(port))
        return;
    portNumber_ = int16_t(port);
    accept();
}

bool FrmCommPort::testPort(int port)
{
    SerialLinks links(home_);
    const QString chosen = systemPortCombo_->currentData().toString();
    const QString previous = links.target(port);
    const bool relink = !chosen.isEmpty() && chosen != previous;
    if (relink && !links.point(port, chosen)) {
        messageBox_.show(QString(), links.error(), MessageIcon::Warning);
        return false;
    }

    if (MSComm1.portOpen())
        MSComm1.setPortOpen(false);
    MSComm1.setCommPort(port);
    MSComm1.setSettings(values_.PortBaud + QStringLiteral(",n,8,1"));
    const bool opened = MSComm1.setPortOpen(true);
    const std::optional<SerialAccessDenied> denied = opened ? std::nullopt : MSComm1.accessDenied();
    const bool closed = MSComm1.setPortOpen(false);
    if (opened && closed) {
        showDevice();
        return true;
    }

    QString text = QStringLiteral("Com-Port not availabel !");
    if (denied)
        text += QStringLiteral("\n") + serialAccessHint(*denied);
    if (relink && !links.restore(port, previous))
        text += QStringLiteral("\n") + links.error();
    messageBox_.show(QString(), text, MessageIcon::None);
    return false;
}

void FrmCommPort::CmdCancel_Click()
{
    reject();
}
