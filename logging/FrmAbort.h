#pragma once
#include <QDialog>
#include <cstdint>

class QLineEdit;
class QPushButton;

// "stop data logging": asks for the password before a running measurement
// may be stopped. "Stop Logging" is enabled only while the typed text equals
// the password exactly. GetStatus is -1 after "Stop Logging" and 0 after
// "Continue Logging" or any other way of closing.
class FrmAbort final : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbort(const QString& expectedPassword, QWidget* parent = nullptr);

    int16_t GetStatus() const { return status_; }

    QLineEdit* TextPassword;
    QPushButton* CmdContinue;
    QPushButton* CmdStop;

private:
    void TextPassword_Change(const QString& text);

    QString expectedPassword_;
    int16_t status_ = 0;
};
