#pragma once
#include "config/ConfigValues.h"

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;
class IFileDialog;

// "Setup Installation": installation name, logfile directory, display
// refresh time and the six sensor names. The fields outlive the dialog's
// closing; the main window reads them after the modal wait whichever button
// closed it. OK writes the sensor names straight into the sensor labels of
// ConfigValues; Cancel copies nothing.
class FrmInstall : public QDialog {
    Q_OBJECT
public:
    FrmInstall(ConfigValues& values, IFileDialog& fileDialog, QWidget* parent = nullptr);

    void SetInstallation(const QString& installation) { installation_ = installation; }
    QString GetInstallation() const { return installation_; }
    // The suggested full logfile name; the directory is taken from it.
    void SetFileName(const QString& fileName) { fileName_ = fileName; }
    // Ends in the directory separator unless it is empty.
    QString GetDirectory() const { return directory_; }
    void SetRefresh(int16_t refresh) { refreshIndex_ = int16_t(refresh - 1); }
    int16_t GetRefresh() const { return int16_t(refreshIndex_ + 1); }

    void CommandDir_Click();
    void CmdOk_Click();
    void CmdCancel_Click();

    // The part of a path up to and including its last separator.
    static QString directoryOf(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void showDirectory();

    ConfigValues& values_;
    IFileDialog& CommonDialog1;
    QString installation_;
    QString fileName_;
    QString directory_;
    int16_t refreshIndex_ = 1;

    QLineEdit* TxtInstall;
    QLineEdit* TxtDir;
    QComboBox* ComboRefresh;
    QLineEdit* Txt_sname[6];
    QPushButton* CommandDir;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
