#pragma once
#include <QDialog>
#include <functional>

class QPlainTextEdit;
class QPushButton;

// "Status window": a copy of the event list, taken when the window is shown
// and again on "Refresh"; it does not follow new events by itself.
class frmstatustext final : public QDialog {
    Q_OBJECT
public:
    // eventListText returns the current text of the event list.
    explicit frmstatustext(std::function<QString()> eventListText, QWidget* parent = nullptr);

    QPlainTextEdit* Text_status;
    QPushButton* Cmdrefresh;
    QPushButton* Cmdclose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Cmdrefresh_Click();

    std::function<QString()> eventListText_;
};
