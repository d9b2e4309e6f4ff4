#include "display/AlarmPopup.h"

#include "display/FrmAlert.h"
#include "platform/ITimer.h"

#include <QScreen>
#include <algorithm>

AlarmPopup::AlarmPopup(IInfoLog* info, IEventSink* events, ISound* sound,
                       std::function<std::unique_ptr<ITimer>()> makeTimer, QWidget* parent)
    : info_(info)
    , events_(events)
    , sound_(sound)
    , makeTimer_(std::move(makeTimer))
    , parent_(parent)
{
}

AlarmPopup::~AlarmPopup()
{
    // The window refers to the sinks and sound that die with the owner.
    delete window_.data();
}

void AlarmPopup::open(int relay)
{
    if (!window_) {
        std::unique_ptr<ITimer> timer = makeTimer_ ? makeTimer_() : nullptr;
        if (!timer)
            return;
        window_ = new FrmAlert(info_, events_, sound_, std::move(timer), parent_);
        FrmAlert* opened = window_;
        QObject::connect(opened, &FrmAlert::closed, opened, [this, opened] {
            if (window_ == opened)
                window_ = nullptr;
        });
        place(*opened);
    }
    window_->showRelay(relay);
}

FrmAlert* AlarmPopup::window() const
{
    return window_;
}

void AlarmPopup::dismiss()
{
    if (window_)
        window_->closeWithoutConfirmation();
}

void AlarmPopup::place(FrmAlert& window) const
{
    if (!anchor_)
        return;
    const QRect anchor(anchor_->mapToGlobal(QPoint(0, 0)), anchor_->size());
    const QSize size = window.size();
    QPoint topLeft(anchor.center().x() - size.width() / 2, anchor.top() + 16);
    if (const QScreen* screen = anchor_->screen()) {
        const QRect free = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), free.left(), std::max(free.left(), free.right() - size.width())));
        topLeft.setY(std::clamp(topLeft.y(), free.top(), std::max(free.top(), free.bottom() - size.height())));
    }
    window.move(topLeft);
}
