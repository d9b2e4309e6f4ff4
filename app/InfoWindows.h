#pragma once
#include <QDialog>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;

// The about window: product, version and owner notice. Any key or a click
// on its frame closes it.
class FrmSplash final : public QDialog {
    Q_OBJECT
public:
    explicit FrmSplash(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lbllogo = nullptr;
    QGroupBox* Frame1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Whether the software info window's diagnostic labels were last switched
// on; lives for the whole run, across closing and reopening the window.
struct DiagnosticsFlag {
    bool DiagnosticsShown = false;
};

// The software info window. Its three diagnostic labels are hidden each
// time it is created; a double-click on the build label toggles them.
class Frmlog final : public QDialog {
    Q_OBJECT
public:
    Frmlog(DiagnosticsFlag& flag, int badLineCount, QWidget* parent = nullptr);

    void setSeconds(int32_t secondsCounter, int32_t highestSeconds);
    void setBadLineCount(int badLineCount);
    // What a double-click on Lbl_build does.
    void Lbl_build_DblClick();

    QLabel* Lbllogtype = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* Lbldate = nullptr;
    QLabel* Lbldev = nullptr;
    QLabel* Lblprog = nullptr;
    QLabel* Lbl_build = nullptr;
    QLabel* Lbl_nSek = nullptr;
    QLabel* Lbl_NSekold = nullptr;
    QLabel* Lbl_rserr1 = nullptr;
    QPushButton* Cmd_ok = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DiagnosticsFlag& flag_;
};
