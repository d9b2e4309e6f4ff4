#include "display/LinearGauge.h"

#include "platform/Colour.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
constexpr int PointerZone = 12; // pointer or bar, left of the band
constexpr int BandWidth = 10;
constexpr int MajorTickLength = 8;
constexpr int MinorTickLength = 4;
constexpr int LabelGap = 3;

QString scaleLabel(double value)
{
    // Tick values come from a division; round away the binary noise so that
    // a step of 2.4 labels 7.2, not 7.199999.
    const double rounded = std::round(value * 1000.0) / 1000.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'g', 7);
}
} // namespace

LinearGauge::LinearGauge(QWidget* parent)
    : QWidget(parent)
{
    sectionColor_[1] = Colours::Silver;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(scaleLabel(position_));
}

void LinearGauge::changed()
{
    if (updateDepth_ > 0)
        pendingRepaint_ = true;
    else
        update();
}

void LinearGauge::SetPositionMin(double v)
{
    positionMin_ = v;
    changed();
}

void LinearGauge::SetPositionMax(double v)
{
    positionMax_ = v;
    changed();
}

void LinearGauge::SetPosition(double v)
{
    position_ = v;
    setAccessibleDescription(scaleLabel(v));
    changed();
}

void LinearGauge::SetTickMajorCount(int n)
{
    tickMajorCount_ = n;
    changed();
}

void LinearGauge::SetTickMinorCount(int n)
{
    tickMinorCount_ = n;
    changed();
}

void LinearGauge::SetSectionCount(int n)
{
    sectionCount_ = std::clamp(n, 1, 5);
    changed();
}

void LinearGauge::SetSectionEnd(int index, double v)
{
    if (index < 1 || index > 4)
        return;
    sectionEnd_[index] = v;
    changed();
}

double LinearGauge::SectionEnd(int index) const
{
    return index >= 1 && index <= 4 ? sectionEnd_[index] : 0.0;
}

void LinearGauge::SetSectionColor(int index, uint32_t colour)
{
    if (index < 1 || index > 5)
        return;
    sectionColor_[index] = colour;
    changed();
}

uint32_t LinearGauge::SectionColor(int index) const
{
    return index >= 1 && index <= 5 ? sectionColor_[index] : 0;
}

void LinearGauge::SetScaleColor(uint32_t colour)
{
    scaleColor_ = colour;
    changed();
}

void LinearGauge::SetPointerStyle(int style)
{
    pointerStyle_ = style;
    changed();
}

void LinearGauge::SetTickMajorColor(uint32_t colour)
{
    tickMajorColor_ = colour;
    changed();
}

void LinearGauge::SetTickMinorColor(uint32_t colour)
{
    tickMinorColor_ = colour;
    changed();
}

void LinearGauge::SetScaleLineColor(uint32_t colour)
{
    scaleLineColor_ = colour;
    changed();
}

void LinearGauge::SetPointerColor(uint32_t colour)
{
    pointerColor_ = colour;
    changed();
}

uint32_t LinearGauge::PointerColor(int index) const
{
    return index == 0 ? pointerColor_ : 0;
}

void LinearGauge::SetBackgroundColor(uint32_t colour)
{
    backgroundColor_ = colour;
    changed();
}

void LinearGauge::SetVisible(bool visible)
{
    setVisible(visible);
}

bool LinearGauge::IsVisible() const
{
    return !isHidden();
}

void LinearGauge::BeginUpdate()
{
    ++updateDepth_;
}

void LinearGauge::EndUpdate()
{
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0 && pendingRepaint_) {
        pendingRepaint_ = false;
        update();
    }
}

QSize LinearGauge::sizeHint() const
{
    return {70, 300};
}

QSize LinearGauge::minimumSizeHint() const
{
    return {40, 60};
}

int LinearGauge::scaleTop() const
{
    return fontMetrics().height() / 2 + 2;
}

int LinearGauge::scaleBottom() const
{
    return std::max(scaleTop() + 1, height() - 1 - fontMetrics().height() / 2 - 2);
}

int LinearGauge::bandLeft() const
{
    return PointerZone;
}

int LinearGauge::bandRight() const
{
    return PointerZone + BandWidth;
}

int LinearGauge::rowOf(double value) const
{
    const double span = positionMax_ - positionMin_;
    const int top = scaleTop();
    const int bottom = scaleBottom();
    if (!(span > 0.0) || !std::isfinite(value))
        return bottom;
    const double f = std::clamp((value - positionMin_) / span, 0.0, 1.0);
    return int(std::lround(bottom - f * (bottom - top)));
}

void LinearGauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(backgroundColor_));
    drawSections(p);
    drawTicks(p);
    drawPointer(p);
}

void LinearGauge::drawSections(QPainter& p) const
{
    const double span = positionMax_ - positionMin_;
    if (!(span > 0.0))
        return;
    double from = positionMin_;
    for (int i = 1; i <= sectionCount_; ++i) {
        const double to = i < sectionCount_ ? sectionEnd_[i] : positionMax_;
        const double lo = std::max(from, positionMin_);
        const double hi = std::min(to, positionMax_);
        if (hi > lo) {
            const int yTop = rowOf(hi);
            const int yBottom = rowOf(lo);
            p.fillRect(QRect(bandLeft(), yTop, BandWidth, yBottom - yTop + 1), toQColor(sectionColor_[i]));
        }
        from = std::max(from, to);
    }
}

void LinearGauge::drawTicks(QPainter& p) const
{
    const int x0 = bandRight();
    p.setPen(toQColor(scaleLineColor_));
    p.drawLine(x0, scaleTop(), x0, scaleBottom());

    const int majors = tickMajorCount_;
    if (majors < 2 || !(positionMax_ > positionMin_))
        return;
    const double step = (positionMax_ - positionMin_) / (majors - 1);
    const int minors = std::clamp(tickMinorCount_, 0, 50);

    p.setPen(toQColor(tickMinorColor_));
    for (int m = 0; m + 1 < majors; ++m) {
        for (int n = 1; n <= minors; ++n) {
            const int y = rowOf(positionMin_ + step * (m + double(n) / (minors + 1)));
            p.drawLine(x0, y, x0 + MinorTickLength, y);
        }
    }

    const QFontMetrics fm = fontMetrics();
    for (int m = 0; m < majors; ++m) {
        const double value = positionMin_ + step * m;
        const int y = rowOf(value);
        p.setPen(toQColor(tickMajorColor_));
        p.drawLine(x0, y, x0 + MajorTickLength, y);
        p.setPen(toQColor(scaleColor_));
        const QRect labelBox(x0 + MajorTickLength + LabelGap, y - fm.height() / 2,
                             std::max(0, width() - (x0 + MajorTickLength + LabelGap)), fm.height());
        p.drawText(labelBox, Qt::AlignLeft | Qt::AlignVCenter, scaleLabel(value));
    }
}

void LinearGauge::drawPointer(QPainter& p) const
{
    const QColor colour = toQColor(pointerColor_);
    const int y = rowOf(position_);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (pointerStyle_ == 3) {
        // Thermometer look: a bar from the scale minimum up to the position.
        const int bottom = rowOf(positionMin_);
        const QRect bar(3, y, PointerZone - 5, bottom - y + 1);
        p.fillRect(bar, colour);
        p.setPen(colour.darker(150));
        p.drawRect(bar.adjusted(0, 0, -1, -1));
    } else {
        QPainterPath triangle;
        triangle.moveTo(PointerZone - 1, y);
        triangle.lineTo(1, y - 6);
        triangle.lineTo(1, y + 6);
        triangle.closeSubpath();
        p.setPen(colour.darker(170));
        p.setBrush(colour);
        p.drawPath(triangle);
    }
}
