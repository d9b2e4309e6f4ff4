#pragma once
#include "platform/IDialogRunner.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"

class QWidget;

// Message boxes and file dialogs belong to a window (setParent), so the
// window manager keeps them above it: a modal box hidden behind the main
// window would leave the program looking frozen.
class QtMessageBox final : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& title, const QString& text, MessageIcon icon) override;

private:
    QWidget* parent_;
};

class QtDialogRunner final : public IDialogRunner {
public:
    int exec(QDialog& dialog) override;
};

class QtFileDialog final : public IFileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QString getOpenFileName(const QString& initialName, const QString& filter) override;
    QString getSaveFileName(const QString& initialName, const QString& filter) override;

    // "Text (*.a)|*.a|Other (*.b)|*.b" becomes "Text (*.a);;Other (*.b)".
    static QString toQtFilter(const QString& filter);

private:
    QWidget* parent_;
};
