#include "display/LampWidget.h"

#include "chart/Colour.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

LampWidget::LampWidget(Shape shape, QWidget* parent)
    : QWidget(parent)
    , shape_(shape)
{
    setAccessibleDescription(QStringLiteral("unlit"));
}

void LampWidget::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    setAccessibleDescription(active ? QStringLiteral("lit") : QStringLiteral("unlit"));
    update();
}

void LampWidget::SetActiveColor(uint32_t colour)
{
    activeColor_ = colour;
    update();
}

void LampWidget::SetInactiveColor(uint32_t colour)
{
    inactiveColor_ = colour;
    update();
}

void LampWidget::SetVisible(bool visible)
{
    setVisible(visible);
}

bool LampWidget::IsVisible() const
{
    return !isHidden();
}

QSize LampWidget::sizeHint() const
{
    return shape_ == Shape::Round ? QSize(20, 20) : QSize(24, 14);
}

void LampWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor base = toQColor(active_ ? activeColor_ : inactiveColor_);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // The glow takes a rim of the widget; the lamp body sits inside it.
    const qreal rim = std::min(outer.width(), outer.height()) * 0.15;
    const QRectF body = outer.adjusted(rim, rim, -rim, -rim);

    if (active_) {
        QRadialGradient glow(outer.center(), std::max(outer.width(), outer.height()) / 2.0);
        QColor inner = base;
        inner.setAlpha(150);
        QColor fade = base;
        fade.setAlpha(0);
        glow.setColorAt(0.55, inner);
        glow.setColorAt(1.0, fade);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        if (shape_ == Shape::Round)
            p.drawEllipse(outer);
        else
            p.drawRoundedRect(outer, rim * 1.5, rim * 1.5);
    }

    // A highlight towards the top left gives the lens its depth.
    QRadialGradient lens(body.left() + body.width() * 0.35, body.top() + body.height() * 0.3,
                         std::max(body.width(), body.height()) * 0.8);
    lens.setColorAt(0.0, active_ ? base.lighter(170) : base.lighter(130));
    lens.setColorAt(0.6, base);
    lens.setColorAt(1.0, base.darker(active_ ? 120 : 140));
    p.setBrush(lens);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    if (shape_ == Shape::Round)
        p.drawEllipse(body);
    else
        p.drawRect(body);
}
