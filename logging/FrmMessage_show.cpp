#include "logging/FrmMessage_show.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPlainTextEdit* makeMessagesEdit()
{
    auto* edit = new QPlainTextEdit;
    edit->setObjectName(QStringLiteral("TxtMessages_ext"));
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setAccessibleName(QStringLiteral("Incoming messages from Evaluator"));
    return edit;
}
} // namespace

FrmMessage_show::FrmMessage_show(QWidget* parent) : QDialog(parent), TxtMessages_ext(makeMessagesEdit())
{
    setObjectName(QStringLiteral("FrmMessage_show"));
    setWindowTitle(QStringLiteral("Evaluator messages extended"));
    resize(640, 420);

    Frame = new QGroupBox(QStringLiteral("Incoming messages from Evaluator"), this);
    auto* frameLayout = new QVBoxLayout(Frame);
    frameLayout->addWidget(TxtMessages_ext);

    Cmdclose = new QPushButton(QStringLiteral("Close window"), this);
    Cmdclose->setObjectName(QStringLiteral("Cmdclose"));
    Cmdcontinue = new QPushButton(QStringLiteral("Continue"), this);
    Cmdcontinue->setObjectName(QStringLiteral("Cmdcontinue"));
    Cmdstop = new QPushButton(QStringLiteral("Stop"), this);
    Cmdstop->setObjectName(QStringLiteral("Cmdstop"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmdstop);
    buttons->addWidget(Cmdcontinue);
    buttons->addStretch();
    buttons->addWidget(Cmdclose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame);
    layout->addLayout(buttons);

    connect(Cmdcontinue, &QPushButton::clicked, this, [this] { setRecording(true); });
    connect(Cmdstop, &QPushButton::clicked, this, [this] { setRecording(false); });
    connect(Cmdclose, &QPushButton::clicked, this, [this] {
        setRecording(false);
        accept();
    });
}

void FrmMessage_show::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setRecording(true);
}

// Every way of closing (button, Escape, window manager) hides the window.
void FrmMessage_show::hideEvent(QHideEvent* event)
{
    setRecording(false);
    QDialog::hideEvent(event);
}

void FrmMessage_show::setRecording(bool recording)
{
    if (recording_ == recording)
        return;
    recording_ = recording;
    emit recordingChanged(recording_);
}

void FrmMessage_show::setMessages(const QString& text, int caret)
{
    TxtMessages_ext->setPlainText(text);
    // The widget keeps each CR LF as one paragraph break.
    const int clamped = qBound(0, caret, int(text.size()));
    const int position = clamped - int(text.left(clamped).count(QLatin1String("\r\n")));
    QTextCursor cursor = TxtMessages_ext->textCursor();
    cursor.setPosition(qMin(position, TxtMessages_ext->document()->characterCount() - 1));
    TxtMessages_ext->setTextCursor(cursor);
    TxtMessages_ext->ensureCursorVisible();
}
