#include "config/FrmInstall.h"

#include "config/OkCancelButtons.h"
#include "platform/IFileDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Positions 0..2 are REFRESH 1..3.
const char* const RefreshTexts[] = {"250 mSec", "500 mSec", "1   Sec"};
} // namespace

FrmInstall::FrmInstall(ConfigValues& values, IFileDialog& fileDialog, QWidget* parent)
    : QDialog(parent), values_(values), CommonDialog1(fileDialog)
{
    setWindowTitle(QStringLiteral("Setup Installation"));

    TxtInstall = new QLineEdit(this);
    TxtInstall->setObjectName(QStringLiteral("TxtInstall"));
    TxtInstall->setAccessibleName(QStringLiteral("Installation name"));
    TxtDir = new QLineEdit(this);
    TxtDir->setObjectName(QStringLiteral("TxtDir"));
    TxtDir->setAccessibleName(QStringLiteral("Logfile directory"));
    TxtDir->setReadOnly(true);
    CommandDir = new QPushButton(QStringLiteral("Change Dir"), this);
    CommandDir->setObjectName(QStringLiteral("CommandDir"));
    ComboRefresh = new QComboBox(this);
    ComboRefresh->setObjectName(QStringLiteral("ComboRefresh"));
    ComboRefresh->setAccessibleName(QStringLiteral("Chart refresh time"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Installation:"), TxtInstall);
    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(TxtDir, 1);
    dirRow->addWidget(CommandDir);
    form->addRow(QStringLiteral("Logfile directory:"), dirRow);
    form->addRow(QStringLiteral("Refresh time:"), ComboRefresh);

    auto* names = new QGroupBox(QStringLiteral("Sensor names"), this);
    auto* namesForm = new QFormLayout(names);
    for (int i = 0; i < 6; ++i) {
        Txt_sname[i] = new QLineEdit(names);
        Txt_sname[i]->setObjectName(QStringLiteral("Txt_sname%1").arg(i));
        Txt_sname[i]->setAccessibleName(QStringLiteral("Sensor %1 name").arg(i + 1));
        namesForm->addRow(QStringLiteral("Sensor %1:").arg(i + 1), Txt_sname[i]);
    }

    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(names);
    layout->addWidget(buttons);

    connect(CommandDir, &QPushButton::clicked, this, &FrmInstall::CommandDir_Click);
    connect(CmdOk, &QPushButton::clicked, this, &FrmInstall::CmdOk_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FrmInstall::CmdCancel_Click);
}

void FrmInstall::showDirectory()
{
    // The field grows to show the whole directory, up to most of the screen;
    // past that the whole directory is in its tool tip.
    TxtDir->setText(directory_);
    TxtDir->setToolTip(directory_);
    TxtDir->setCursorPosition(0);
    const int frame = 2 * TxtDir->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
    const QScreen* screen = this->screen();
    const int most = screen ? screen->availableGeometry().width() * 2 / 3 : 800;
    TxtDir->setMinimumWidth(std::min(TxtDir->fontMetrics().horizontalAdvance(directory_) + frame, most));
    adjustSize();
}

QString FrmInstall::directoryOf(const QString& path)
{
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return separator < 0 ? QString() : path.left(separator + 1);
}

void FrmInstall::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void FrmInstall::Form_Load()
{
    TxtInstall->setText(installation_);
    directory_ = directoryOf(fileName_);
    showDirectory();
    ComboRefresh->clear();
    for (const char* text : RefreshTexts)
        ComboRefresh->addItem(QString::fromLatin1(text));
    ComboRefresh->setCurrentIndex(refreshIndex_ >= 0 && refreshIndex_ < ComboRefresh->count() ? refreshIndex_ : -1);
    for (int i = 0; i < 6; ++i)
        Txt_sname[i]->setText(values_.LBL_S[i]);
}

void FrmInstall::CommandDir_Click()
{
    const QString suggested =
        values_.LOGDIR + values_.LogDate + QStringLiteral("Ls_") + TxtInstall->text() + QStringLiteral(".vlg");
    const QString chosen = CommonDialog1.getSaveFileName(suggested, QStringLiteral("*.vlg"));
    if (chosen.isEmpty())
        return;
    // Only the directory counts; the file part of the chosen name is dropped.
    directory_ = directoryOf(chosen);
    showDirectory();
}

void FrmInstall::CmdOk_Click()
{
    installation_ = TxtInstall->text();
    refreshIndex_ = int16_t(ComboRefresh->currentIndex());
    for (int i = 0; i < 6; ++i)
        values_.LBL_S[i] = Txt_sname[i]->text();
    accept();
}

void FrmInstall::CmdCancel_Click()
{
    reject();
}
