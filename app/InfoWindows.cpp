#include "app/InfoWindows.h"

#include "app/AppTexts.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* namedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
} // namespace

FrmSplash::FrmSplash(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("About"));
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Image1 = namedLabel("Image1", Frame1);
    Image1->setText(QStringLiteral("VELTRA"));
    Image1->setProperty("role", QStringLiteral("logo"));
    Image1->setAlignment(Qt::AlignCenter);
    lblProductName = namedLabel("lblProductName", Frame1);
    LblVersion = namedLabel("LblVersion", Frame1);
    lbllogo = namedLabel("lbllogo", Frame1);

    auto* inner = new QVBoxLayout(Frame1);
    inner->addWidget(Image1);
    inner->addWidget(lblProductName);
    inner->addWidget(LblVersion);
    inner->addWidget(lbllogo);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Frame1);

    Image1->hide();
    LblVersion->setText(AppTexts::Version + QStringLiteral("    ") + AppTexts::BuildDate);
    lblProductName->setText(AppTexts::ProductName);
    lbllogo->setText(AppTexts::OwnerNotice);
    Image1->show();

    Frame1->installEventFilter(this);
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    accept();
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

Frmlog::Frmlog(DiagnosticsFlag& flag, int badLineCount, QWidget* parent) : QDialog(parent), flag_(flag)
{
    setObjectName(QStringLiteral("Frmlog"));
    setWindowTitle(QStringLiteral("Software info "));
    Lbllogtype = namedLabel("Lbllogtype", this);
    LblVersion = namedLabel("LblVersion", this);
    Lbldate = namedLabel("Lbldate", this);
    Lbldev = namedLabel("Lbldev", this);
    Lblprog = namedLabel("Lblprog", this);
    Lbl_build = namedLabel("Lbl_build", this);
    Lbl_nSek = namedLabel("Lbl_nSek", this);
    Lbl_NSekold = namedLabel("Lbl_NSekold", this);
    Lbl_rserr1 = namedLabel("Lbl_rserr1", this);
    Cmd_ok = new QPushButton(QStringLiteral("ok"), this);
    Cmd_ok->setObjectName(QStringLiteral("Cmd_ok"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Logger:"), Lbllogtype);
    form->addRow(QStringLiteral("Version:"), LblVersion);
    form->addRow(QStringLiteral("Date:"), Lbldate);
    form->addRow(QStringLiteral("Developed by:"), Lbldev);
    form->addRow(QStringLiteral("Programmed by:"), Lblprog);
    form->addRow(QStringLiteral("Build:"), Lbl_build);
    auto* diagnostics = new QHBoxLayout;
    diagnostics->addWidget(Lbl_nSek);
    diagnostics->addWidget(Lbl_NSekold);
    diagnostics->addWidget(Lbl_rserr1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(diagnostics);
    outer->addWidget(Cmd_ok, 0, Qt::AlignRight);

    Lbllogtype->setText(QStringLiteral("one system"));
    LblVersion->setText(AppTexts::Version);
    Lbldate->setText(AppTexts::BuildDate);
    Lbldev->setText(AppTexts::AuthorText);
    Lblprog->setText(AppTexts::AuthorText);
    Lbl_build->setText(QStringLiteral("B1"));
    Lbl_build->setToolTip(QStringLiteral("Double-click to show or hide the diagnostics"));
    Lbl_nSek->hide();
    Lbl_NSekold->hide();
    Lbl_rserr1->setText(QString::number(badLineCount));
    Lbl_rserr1->hide();

    Lbl_build->installEventFilter(this);
    connect(Cmd_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void Frmlog::setSeconds(int32_t secondsCounter, int32_t highestSeconds)
{
    Lbl_nSek->setText(QString::number(secondsCounter));
    Lbl_NSekold->setText(QString::number(highestSeconds));
}

void Frmlog::setBadLineCount(int badLineCount)
{
    Lbl_rserr1->setText(QString::number(badLineCount));
}

void Frmlog::Lbl_build_DblClick()
{
    const bool show = !flag_.DiagnosticsShown;
    Lbl_nSek->setVisible(show);
    Lbl_NSekold->setVisible(show);
    Lbl_rserr1->setVisible(show);
    flag_.DiagnosticsShown = show;
}

bool Frmlog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Lbl_build && event->type() == QEvent::MouseButtonDblClick) {
        Lbl_build_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
