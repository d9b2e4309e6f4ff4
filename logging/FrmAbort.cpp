#include "logging/FrmAbort.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmAbort::FrmAbort(const QString& expectedPassword, QWidget* parent)
    : QDialog(parent), expectedPassword_(expectedPassword)
{
    setObjectName(QStringLiteral("FrmAbort"));
    setWindowTitle(QStringLiteral("stop data logging"));
    setModal(true);

    auto* prompt = new QLabel(QStringLiteral("Password"), this);
    TextPassword = new QLineEdit(this);
    TextPassword->setObjectName(QStringLiteral("TextPassword"));
    TextPassword->setEchoMode(QLineEdit::Password);
    TextPassword->setAccessibleName(QStringLiteral("Password"));
    prompt->setBuddy(TextPassword);

    CmdContinue = new QPushButton(QStringLiteral("Continue Logging"), this);
    CmdContinue->setObjectName(QStringLiteral("CmdContinue"));
    CmdStop = new QPushButton(QStringLiteral("Stop Logging"), this);
    CmdStop->setObjectName(QStringLiteral("CmdStop"));
    CmdStop->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdContinue);
    buttons->addWidget(CmdStop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(TextPassword);
    layout->addLayout(buttons);

    connect(TextPassword, &QLineEdit::textChanged, this, &FrmAbort::TextPassword_Change);
    connect(CmdContinue, &QPushButton::clicked, this, [this] {
        status_ = 0;
        accept();
    });
    connect(CmdStop, &QPushButton::clicked, this, [this] {
        status_ = -1;
        accept();
    });
    TextPassword->setFocus();
}

void FrmAbort::TextPassword_Change(const QString& text)
{
    const bool matches = text == expectedPassword_;
    CmdStop->setEnabled(matches);
    if (matches)
        CmdStop->setFocus();
}
