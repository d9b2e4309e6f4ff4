#pragma once
#include <QDialog>

struct ParameterInfo;
class QLabel;
class QLineEdit;
class QPushButton;

// "Evaluator Parameter Info": shows the identity and alarm levels of the
// last parameter record. It only displays; the values are read once, when
// the window is built.
class FrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit FrmVersion(const ParameterInfo& info, QWidget* parent = nullptr);

    // The model code of the system this logger is made for.
    static constexpr const char* KnownModelCode = "07K31";

    QLabel* LblVersion = nullptr;
    QLabel* LblVersion2 = nullptr;
    QLabel* Lbl_ID = nullptr;
    QLabel* Lbl_snr = nullptr;
    QLineEdit* Txt_eva_nrsens = nullptr;
    QLineEdit* Txt_almlevel = nullptr;
    QLineEdit* Txt_prealarmlevel = nullptr;
    QLineEdit* Txt_almlevel_h = nullptr;
    QLineEdit* Txt_prealarmlevel_h = nullptr;
    QLineEdit* Txt_talmlevel = nullptr;
    QLineEdit* Txt_talmplevel = nullptr;
    QLineEdit* Txt_malarmlevel2 = nullptr;
    QLineEdit* Txt_prealarmlevel2 = nullptr;
    QLineEdit* Txt_alm2sensor = nullptr;
    QLineEdit* Txt_talmlevel2 = nullptr;
    QLineEdit* Txt_talmplevel2 = nullptr;
    QPushButton* CmdOk = nullptr;

private:
    void Form_Load(const ParameterInfo& info);
    void CmdOk_Click();
};
