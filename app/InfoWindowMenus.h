#pragma once
#include "app/InfoWindows.h"

#include <QObject>
#include <memory>

class DecoderView;
class IDialogRunner;
class PlainTextBox;
class QWidget;
struct MainWidgets;
struct MeasurementState;

// The main window's information windows: the about window, the software
// info window (a double-click on "Data Logger"; it carries the diagnostic
// labels that the writer and the receiver keep up to date while it is open),
// the status window (a double-click on the event list), the extended
// messages window and the evaluator's parameter window.
class InfoWindowMenus final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        MainWidgets& widgets;
        const MeasurementState& state;
        const PlainTextBox& eventBox;
        DecoderView& decoderView;
        IDialogRunner& dialogs;
        QWidget* window;
    };

    explicit InfoWindowMenus(const Parts& parts);
    ~InfoWindowMenus() override;

    // Watches the double-clicks; call once, after the widgets exist.
    void connectWidgets();

    void Lbl_name_DblClick();
    void about_Click();
    void Txt_event_DblClick();
    void cmd_ext_Click();
    void MenueVers_Click();

    // Writers into the software info window while it is open.
    void showSeconds(int32_t secondsCounter, int32_t highestSeconds);
    void showBadLineCount(int count);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Parts p_;
    DiagnosticsFlag diagnostics_;
    std::unique_ptr<Frmlog> frmlog_;
};
