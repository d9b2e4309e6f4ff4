#include "logging/frmstatustext.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmstatustext::frmstatustext(std::function<QString()> eventListText, QWidget* parent)
    : QDialog(parent), eventListText_(std::move(eventListText))
{
    setObjectName(QStringLiteral("frmstatustext"));
    setWindowTitle(QStringLiteral("Status window"));
    resize(560, 420);

    Text_status = new QPlainTextEdit(this);
    Text_status->setObjectName(QStringLiteral("Text_status"));
    Text_status->setReadOnly(true);
    Text_status->setAccessibleName(QStringLiteral("Event list copy"));
    Cmdrefresh = new QPushButton(QStringLiteral("Refresh"), this);
    Cmdrefresh->setObjectName(QStringLiteral("Cmdrefresh"));
    Cmdclose = new QPushButton(QStringLiteral("Close"), this);
    Cmdclose->setObjectName(QStringLiteral("Cmdclose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmdrefresh);
    buttons->addStretch();
    buttons->addWidget(Cmdclose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text_status);
    layout->addLayout(buttons);

    connect(Cmdrefresh, &QPushButton::clicked, this, &frmstatustext::Cmdrefresh_Click);
    connect(Cmdclose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmstatustext::showEvent(QShowEvent* event)
{
    Cmdrefresh_Click();
    QDialog::showEvent(event);
}

void frmstatustext::Cmdrefresh_Click()
{
    Text_status->setPlainText(eventListText_ ? eventListText_() : QString());
    Text_status->moveCursor(QTextCursor::End);
}
