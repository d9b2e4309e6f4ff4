#pragma once
#include "platform/IDialogRunner.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"
#include "platform/IProgressWindow.h"

#include <memory>

class QProgressDialog;
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
    QString getNewFileName(const QString& initialName, const QString& filter, const QString& suffix) override;
    QString getExistingDirectory(const QString& initialFolder) override;

    // "Text (*.a)|*.a|Other (*.b)|*.b" becomes "Text (*.a);;Other (*.b)".
    static QString toQtFilter(const QString& filter);

private:
    QWidget* parent_;
};

// A window-modal progress dialog: the window behind it keeps painting and
// its timers and serial events keep running, but takes no clicks, so nothing
// can clear the chart while a job reads it.
class QtProgressWindow final : public IProgressWindow {
public:
    explicit QtProgressWindow(QWidget* parent = nullptr);
    ~QtProgressWindow() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    void open(const QString& text) override;
    void setPercent(int percent) override;
    bool stopRequested() const override;
    void close() override;

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};
