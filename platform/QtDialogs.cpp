#include "platform/QtDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStringList>

void QtMessageBox::show(const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(parent_);
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

int QtDialogRunner::exec(QDialog& dialog)
{
    return dialog.exec();
}

QString QtFileDialog::toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return filter;
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i];
    return entries.join(QStringLiteral(";;"));
}

QString QtFileDialog::getOpenFileName(const QString& initialName, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, QString(), initialName, toQtFilter(filter));
}

QString QtFileDialog::getSaveFileName(const QString& initialName, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, QString(), initialName, toQtFilter(filter),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialog::getNewFileName(const QString& initialName, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent_, QString(), initialName, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialog::getExistingDirectory(const QString& initialFolder)
{
    return QFileDialog::getExistingDirectory(parent_, QString(), initialFolder);
}

QtProgressWindow::QtProgressWindow(QWidget* parent) : parent_(parent) {}

QtProgressWindow::~QtProgressWindow() = default;

void QtProgressWindow::open(const QString& text)
{
    dialog_ = std::make_unique<QProgressDialog>(text, QStringLiteral("Stop"), 0, 100, parent_);
    dialog_->setWindowTitle(QCoreApplication::applicationName());
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // A short job finishes before the window would flash up.
    dialog_->setMinimumDuration(400);
    dialog_->setValue(0);
}

void QtProgressWindow::setPercent(int percent)
{
    if (dialog_)
        dialog_->setValue(qBound(0, percent, 100));
}

bool QtProgressWindow::stopRequested() const
{
    return dialog_ && dialog_->wasCanceled();
}

void QtProgressWindow::close()
{
    dialog_.reset();
}
