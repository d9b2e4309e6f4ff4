#include "config/FrmPassword.h"

#include "config/OkCancelButtons.h"
#include "config/RdWrConfig.h"
#include "platform/IMessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QLineEdit* passwordField(QWidget* parent, const char* objectName, const QString& accessibleName)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setAccessibleName(accessibleName);
    field->setEchoMode(QLineEdit::Password);
    return field;
}
} // namespace

FrmPassword::FrmPassword(ConfigValues& values, RdWrConfig& store, IMessageBox& messageBox, QWidget* parent)
    : QDialog(parent), values_(values), store_(store), messageBox_(messageBox)
{
    setWindowTitle(QStringLiteral("Setup Password"));

    oldpasswd = passwordField(this, "oldpasswd", QStringLiteral("Current password"));
    newpasswd = passwordField(this, "newpasswd", QStringLiteral("New password"));
    newpasswd2 = passwordField(this, "newpasswd2", QStringLiteral("New password again"));

    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Current password:"), oldpasswd);
    form->addRow(QStringLiteral("New password:"), newpasswd);
    form->addRow(QStringLiteral("New password again:"), newpasswd2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(oldpasswd, &QLineEdit::textChanged, this, &FrmPassword::oldpasswd_Change);
    connect(CmdOk, &QPushButton::clicked, this, &FrmPassword::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmPassword::CmdCancel_Click);
}

void FrmPassword::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void FrmPassword::Form_Load()
{
    oldpasswd->clear();
    newpasswd->clear();
    newpasswd2->clear();
    // Last, because clearing the field above re-runs the comparison.
    CmdOk->setEnabled(false);
}

void FrmPassword::oldpasswd_Change()
{
    CmdOk->setEnabled(oldpasswd->text() == values_.PASSWORD);
}

void FrmPassword::CmdOk_Click()
{
    if (!CmdOk->isEnabled())
        return;
    if (newpasswd2->text() != newpasswd->text()) {
        messageBox_.show(QString(),
                         QStringLiteral("New password inputs different !! \r\nPlease enter password again ! "),
                         MessageIcon::Error);
        return;
    }
    // A password that did not reach the file would silently come back at the
    // next start, so it is not taken into use either.
    if (!store_.SetConfigValue(values_.ConfigFileName, QStringLiteral("PASSWORD"), newpasswd->text())) {
        QString text = QStringLiteral("The new password could not be saved in VELTRA-logger1.ini !");
        if (!store_.lastError().isEmpty())
            text += QLatin1Char('\n') + store_.lastError();
        messageBox_.show(QString(), text, MessageIcon::Error);
        return;
    }
    values_.PASSWORD = newpasswd->text();
    accept();
}

void FrmPassword::CmdCancel_Click()
{
    reject();
}
