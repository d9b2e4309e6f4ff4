#include "app/InfoWindowMenus.h"

#include "app/DecoderView.h"
#include "app/MainWidgets.h"
#include "link/FrmVersion.h"
#include "link/MeasurementState.h"
#include "logging/FrmMessage_show.h"
#include "logging/PlainTextBox.h"
#include "logging/frmstatustext.h"
#include "platform/IDialogRunner.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

InfoWindowMenus::InfoWindowMenus(const Parts& parts) : p_(parts) {}

InfoWindowMenus::~InfoWindowMenus() = default;

void InfoWindowMenus::connectWidgets()
{
    MainWidgets& w = p_.widgets;
    if (w.Lbl_name)
        w.Lbl_name->installEventFilter(this);
    if (w.controls.Txt_event)
        w.controls.Txt_event->viewport()->installEventFilter(this);
    if (w.about)
        connect(w.about, &QAction::triggered, this, &InfoWindowMenus::about_Click);
    if (w.MenueVers)
        connect(w.MenueVers, &QAction::triggered, this, &InfoWindowMenus::MenueVers_Click);
    if (w.controls.cmd_ext)
        connect(w.controls.cmd_ext, &QPushButton::clicked, this, &InfoWindowMenus::cmd_ext_Click);
}

bool InfoWindowMenus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == p_.widgets.Lbl_name) {
            Lbl_name_DblClick();
            return true;
        }
        if (p_.widgets.controls.Txt_event && watched == p_.widgets.controls.Txt_event->viewport()) {
            Txt_event_DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void InfoWindowMenus::Lbl_name_DblClick()
{
    frmlog_ = std::make_unique<Frmlog>(diagnostics_, p_.state.badLineCount, p_.window);
    p_.dialogs.exec(*frmlog_);
    frmlog_.reset();
}

void InfoWindowMenus::about_Click()
{
    FrmSplash splash(p_.window);
    p_.dialogs.exec(splash);
}

void InfoWindowMenus::Txt_event_DblClick()
{
    frmstatustext status([this] { return p_.eventBox.text(); }, p_.window);
    p_.dialogs.exec(status);
}

void InfoWindowMenus::cmd_ext_Click()
{
    DecoderView& view = p_.decoderView;
    FrmMessage_show messages(p_.window);
    messages.setMessages(view.extended.text, view.extended.caret);
    connect(&messages, &FrmMessage_show::recordingChanged, &view, [&view](bool recording) { view.recording = recording; });
    connect(&view, &DecoderView::extendedMessagesChanged, &messages, &FrmMessage_show::setMessages);
    p_.dialogs.exec(messages);
    view.recording = false;
}

void InfoWindowMenus::MenueVers_Click()
{
    FrmVersion version(p_.state.parameterInfo, p_.window);
    p_.dialogs.exec(version);
}

void InfoWindowMenus::showSeconds(int32_t secondsCounter, int32_t highestSeconds)
{
    if (frmlog_)
        frmlog_->setSeconds(secondsCounter, highestSeconds);
}

void InfoWindowMenus::showBadLineCount(int count)
{
    if (frmlog_)
        frmlog_->setBadLineCount(count);
}
