#pragma once
#include <QWidget>
#include <memory>

class IEventSink;
class IInfoLog;
class ISound;
class ITimer;
class QLabel;
class QPushButton;

// The alarm pop-up "Alarm info". It blinks every 750 ms between a quiet
// phase and an alarm phase (red, beep, wave sound), starting with the alarm
// phase, until the user confirms it with "confirm" or the close box.
// Closing records one confirmation (main alarm when Lbl_relay is shown,
// else pre-alarm) and deletes the window. It is a dialog window of its
// parent, so the window manager keeps it above the main window.
class FrmAlert final : public QWidget {
    Q_OBJECT
public:
    // The window takes the blink timer; sinks and sound may be null.
    FrmAlert(IInfoLog* info, IEventSink* events, ISound* sound, std::unique_ptr<ITimer> timer,
             QWidget* parent = nullptr);
    ~FrmAlert() override;

    // Shows, raises and activates the window with the label of main alarm
    // relay 1 or pre-alarm relay 2 made visible (the other label stays as it
    // is).
    void showRelay(int relay);

    // Closes the window without recording a confirmation (the program ends).
    void closeWithoutConfirmation();

    // One blink of timer_alert.
    void timer_alert_Timer();
    void CmdAck_Click();

    bool relayLabelShown() const { return relayShown_; }
    bool relay2LabelShown() const { return relay2Shown_; }

    QLabel* Lbl_relay = nullptr;
    QLabel* Lbl_relay2 = nullptr;
    QLabel* Lbl_attention = nullptr;
    QWidget* Image1 = nullptr;
    QWidget* Image2 = nullptr;
    QPushButton* CmdAck = nullptr;

signals:
    // After the confirmation was recorded; the window deletes itself later.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setBackground(uint32_t colour);
    void confirm();

    IInfoLog* info_;
    IEventSink* events_;
    ISound* sound_;
    std::unique_ptr<ITimer> timer_alert;
    bool relayShown_ = false;
    bool relay2Shown_ = false;
    bool closed_ = false;
    bool confirmOnClose_ = true;
};
