#include "config/FrmUplink.h"

#include "config/OkCancelButtons.h"
#include "platform/IFileDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* field(QWidget* parent, const char* objectName, const QString& accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(accessibleName);
    return edit;
}

QPushButton* button(QWidget* parent, const char* objectName, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmUplink::FrmUplink(IMqttClient& testClient, IFileDialog& fileDialog, QWidget* parent)
    : QDialog(parent), fileDialog_(fileDialog), test_(testClient, this)
{
    setWindowTitle(QStringLiteral("Plant uplink"));
    TxtHost = field(this, "TxtHost", QStringLiteral("Broker host"));
    TxtHost->setPlaceholderText(QStringLiteral("empty: the uplink is off"));
    TxtPort = field(this, "TxtPort", QStringLiteral("Broker port"));
    TxtPort->setPlaceholderText(QStringLiteral("1883, with TLS 8883"));
    TxtUser = field(this, "TxtUser", QStringLiteral("User name"));
    TxtPassword = field(this, "TxtPassword", QStringLiteral("Password"));
    TxtPassword->setEchoMode(QLineEdit::Password);
    ChkTls = new QCheckBox(QStringLiteral("TLS"), this);
    ChkTls->setObjectName(QStringLiteral("ChkTls"));
    TxtCaFile = field(this, "TxtCaFile", QStringLiteral("CA file"));
    TxtCaFile->setPlaceholderText(QStringLiteral("empty: the system's certificates"));
    CmdCaFile = button(this, "CmdCaFile", QStringLiteral("Browse..."));
    CmdTest = button(this, "CmdTest", QStringLiteral("Test connection"));
    LblResult = new QLabel(this);
    LblResult->setObjectName(QStringLiteral("LblResult"));
    LblResult->setWordWrap(true);
    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);

    auto* caRow = new QHBoxLayout;
    caRow->addWidget(TxtCaFile);
    caRow->addWidget(CmdCaFile);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Broker host:"), TxtHost);
    form->addRow(QStringLiteral("Port:"), TxtPort);
    form->addRow(QStringLiteral("User name:"), TxtUser);
    form->addRow(QStringLiteral("Password:"), TxtPassword);
    form->addRow(QString(), ChkTls);
    form->addRow(QStringLiteral("CA file:"), caRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(CmdTest, 0, Qt::AlignLeft);
    layout->addWidget(LblResult);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    connect(CmdOk, &QPushButton::clicked, this, &FrmUplink::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmUplink::CmdCancel_Click);
    connect(CmdTest, &QPushButton::clicked, this, &FrmUplink::CmdTest_Click);
    connect(CmdCaFile, &QPushButton::clicked, this, &FrmUplink::CmdCaFile_Click);
    connect(&test_, &UplinkConnectionTest::finished, this, [this](bool, const QString& text) {
        CmdTest->setEnabled(true);
        showResult(text);
    });
}

void FrmUplink::setSettings(const UplinkSettings& s)
{
    TxtHost->setText(s.host);
    TxtPort->setText(s.port > 0 ? QString::number(s.port) : QString());
    TxtUser->setText(s.user);
    TxtPassword->setText(s.password);
    ChkTls->setChecked(s.tls);
    TxtCaFile->setText(s.caFile);
    LblResult->clear();
}

UplinkSettings FrmUplink::settings(QString* problem) const
{
    UplinkSettings s;
    s.host = TxtHost->text().trimmed();
    s.user = TxtUser->text();
    s.password = TxtPassword->text();
    s.tls = ChkTls->isChecked();
    s.caFile = TxtCaFile->text().trimmed();
    const QString port = TxtPort->text().trimmed();
    bool ok = true;
    s.port = port.isEmpty() ? 0 : port.toInt(&ok);
    if (problem) {
        *problem = s.problem();
        if (!ok || s.port < 0 || s.port > 65535)
            *problem = QStringLiteral("The port must be a number from 1 to 65535.");
    }
    return s;
}

QString FrmUplink::resultText() const
{
    return LblResult->text();
}

void FrmUplink::showResult(const QString& text)
{
    LblResult->setText(text);
}

void FrmUplink::CmdTest_Click()
{
    QString problem;
    const UplinkSettings s = settings(&problem);
    if (!problem.isEmpty() || !s.enabled()) {
        showResult(problem.isEmpty() ? QStringLiteral("Enter the broker's host first.") : problem);
        return;
    }
    CmdTest->setEnabled(false);
    showResult(QStringLiteral("Connecting to %1:%2 ...").arg(s.host).arg(s.portInUse()));
    test_.run(s);
}

void FrmUplink::CmdCaFile_Click()
{
    const QString chosen = fileDialog_.getOpenFileName(TxtCaFile->text(), QStringLiteral("Certificates (*.pem *.crt)|*.pem;*.crt"));
    if (!chosen.isEmpty())
        TxtCaFile->setText(chosen);
}

void FrmUplink::CmdOk_Click()
{
    QString problem;
    settings(&problem);
    if (!problem.isEmpty()) {
        showResult(problem);
        return;
    }
    test_.cancel();
    CmdTest->setEnabled(true);
    accept();
}

void FrmUplink::CmdCancel_Click()
{
    test_.cancel();
    CmdTest->setEnabled(true);
    reject();
}
