#include "platform/QtDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
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
