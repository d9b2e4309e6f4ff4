#include "display/AlarmPopup.h"

#include "display/FrmAlert.h"
#include "platform/ITimer.h"

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
    }
    window_->showRelay(relay);
}
