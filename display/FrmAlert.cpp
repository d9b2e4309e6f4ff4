#include "display/FrmAlert.h"

#include "logging/EventSinks.h"
#include "chart/Colour.h"
#include "platform/ISound.h"
#include "platform/ITimer.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr uint32_t QuietBackground = 0xE0E0E0;
constexpr int BlinkMilliseconds = 750;
const QString MainAlarmWave = QStringLiteral("688dv4.wav");
const QString PreAlarmWave = QStringLiteral("625ppalm.wav");

// A yellow warning triangle with an exclamation mark.
class WarningSign final : public QWidget {
public:
    explicit WarningSign(QWidget* parent) : QWidget(parent) { setFixedSize(64, 58); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF r = QRectF(rect()).adjusted(3, 3, -3, -3);
        QPainterPath triangle;
        triangle.moveTo(r.center().x(), r.top());
        triangle.lineTo(r.right(), r.bottom());
        triangle.lineTo(r.left(), r.bottom());
        triangle.closeSubpath();
        p.setPen(QPen(Qt::black, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(toQColor(Colours::Yellow));
        p.drawPath(triangle);
        const qreal cx = r.center().x();
        p.setPen(QPen(Qt::black, 6.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx, r.top() + r.height() * 0.35), QPointF(cx, r.top() + r.height() * 0.68));
        p.drawPoint(QPointF(cx, r.top() + r.height() * 0.84));
    }
};

// The red is drawn as dark a red as the light ground needs to read well.
void setForeColour(QLabel* label, uint32_t colour)
{
    setReadableTextColour(*label, colour);
}

uint32_t foreColour(const QLabel* label)
{
    return fromQColor(label->palette().color(QPalette::WindowText));
}

QLabel* makeLabel(const QString& text, int pointSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    // The labels keep their own light ground, so the red text stays readable
    // while the window blinks red behind them.
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, toQColor(QuietBackground));
    label->setPalette(palette);
    label->setContentsMargins(8, 2, 8, 2);
    setForeColour(label, Colours::Black);
    return label;
}
} // namespace

FrmAlert::FrmAlert(IInfoLog* info, IEventSink* events, ISound* sound, std::unique_ptr<ITimer> timer,
                   QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , info_(info)
    , events_(events)
    , sound_(sound)
    , timer_alert(std::move(timer))
{
    setWindowTitle(QStringLiteral("Alarm info"));
    setAutoFillBackground(true);
    setBackground(QuietBackground);

    Lbl_attention = makeLabel(QStringLiteral("ATTENTION"), 20, this);
    Lbl_relay = makeLabel(QStringLiteral("Main Alarm Relay triggered!"), 14, this);
    Lbl_relay2 = makeLabel(QStringLiteral("Pre- Alarm Relay triggered!"), 14, this);
    Image1 = new WarningSign(this);
    Image2 = new WarningSign(this);
    CmdAck = new QPushButton(QStringLiteral("confirm"), this);
    Lbl_relay->hide();
    Lbl_relay2->hide();
    Image1->hide();
    Image2->hide();

    auto* texts = new QVBoxLayout;
    texts->addWidget(Lbl_attention, 0, Qt::AlignHCenter);
    texts->addWidget(Lbl_relay, 0, Qt::AlignHCenter);
    texts->addWidget(Lbl_relay2, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    row->addWidget(Image1);
    row->addLayout(texts, 1);
    row->addWidget(Image2);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(row);
    outer->addWidget(CmdAck, 0, Qt::AlignHCenter);
    resize(sizeHint().expandedTo(QSize(480, 190)));

    QObject::connect(CmdAck, &QPushButton::clicked, this, [this] { CmdAck_Click(); });
    if (timer_alert) {
        timer_alert->onTimeout = [this] { timer_alert_Timer(); };
        timer_alert->setInterval(BlinkMilliseconds);
        timer_alert->setEnabled(true);
    }
}

FrmAlert::~FrmAlert()
{
    if (timer_alert) {
        timer_alert->setEnabled(false);
        timer_alert->onTimeout = nullptr;
    }
}

void FrmAlert::setBackground(uint32_t colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    setPalette(palette);
}

void FrmAlert::showRelay(int relay)
{
    if (relay == 1) {
        relayShown_ = true;
        Lbl_relay->show();
    } else if (relay == 2) {
        relay2Shown_ = true;
        Lbl_relay2->show();
    }
    show();
    raise();
    activateWindow();
}

void FrmAlert::closeWithoutConfirmation()
{
    confirmOnClose_ = false;
    close();
}

void FrmAlert::timer_alert_Timer()
{
    const QString wave = relayShown_ ? MainAlarmWave : PreAlarmWave;
    if (foreColour(Lbl_relay) != Colours::Black) {
        setForeColour(Lbl_relay, Colours::Black);
        setForeColour(Lbl_relay2, Colours::Black);
        setForeColour(Lbl_attention, Colours::Black);
        setBackground(QuietBackground);
        Image1->hide();
        Image2->hide();
        return;
    }
    setForeColour(Lbl_relay, Colours::Red);
    setForeColour(Lbl_relay2, Colours::Red);
    if (sound_)
        sound_->beep();
    setForeColour(Lbl_attention, Colours::Red);
    setBackground(Colours::Red);
    Image1->show();
    Image2->show();
    if (sound_)
        sound_->playWave(wave);
}

void FrmAlert::CmdAck_Click()
{
    if (timer_alert)
        timer_alert->setEnabled(false);
    close();
}

void FrmAlert::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (closed_)
        return;
    closed_ = true;
    if (confirmOnClose_)
        confirm();
    if (timer_alert)
        timer_alert->setEnabled(false);
    relayShown_ = false;
    relay2Shown_ = false;
    Lbl_relay->hide();
    Lbl_relay2->hide();
    emit closed();
    deleteLater();
}

void FrmAlert::confirm()
{
    // The main alarm's confirmation when both labels were shown; the texts
    // go to the files before the event goes to the list.
    const EventCode code = relayShown_ ? EventCode::MainAlarmConfirmed : EventCode::PreAlarmConfirmed;
    if (info_) {
        info_->SetInfotext(Events::logfileText(code));
        info_->SetEvtInfotext(Events::eventfileText(code));
    }
    if (events_)
        events_->SetEventtext(code, 0);
}
