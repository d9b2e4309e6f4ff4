#pragma once
#include <QDialog>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;

// "Evaluator messages extended": records the raw evaluator lines while the
// recording flag is set. Showing the window sets the flag, "Stop" clears it
// (the box keeps its text), "Continue" sets it again; closing the window in
// any way clears it. The main window keeps the recorded text (the record
// decoder extends it while recording() is true) and shows it here.
class FrmMessage_show final : public QDialog {
    Q_OBJECT
public:
    explicit FrmMessage_show(QWidget* parent = nullptr);

    bool recording() const { return recording_; }
    // Shows the recorded text with the caret at a character index of it.
    void setMessages(const QString& text, int caret);

    QGroupBox* Frame;
    QPlainTextEdit* TxtMessages_ext;
    QPushButton* Cmdclose;
    QPushButton* Cmdcontinue;
    QPushButton* Cmdstop;

signals:
    void recordingChanged(bool recording);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setRecording(bool recording);

    bool recording_ = false;
};
