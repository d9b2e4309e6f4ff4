#include "display/LinearGauge.h"

#include "core/Contrast.h"
#include "chart/Colour.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
constexpr int PointerZone = 12; // pointer or bar, left of the band

// A tick's number, with no more decimals than the step between ticks can
// show: a step of 120.2 labels 1080, not 1079.8 (a pixel of a gauge spans
// more than the difference); a step of 2.4 labels 7.2.
QString tickLabel(double value, double step)
{
    const double places = step >= 10.0 ? 1.0 : step >= 1.0 ? 10.0 : 100.0;
    const double rounded = std::round(value * places) / places;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'g', 7);
}

// The position as the accessible description gives it, without binary noise.
QString positionText(double value)
{
    const double rounded = std::round(value * 1000.0) / 1000.0;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'g', 7);
}
} // namespace

LinearGauge::LinearGauge(QWidget* parent)
    : QWidget(parent)
{
    sectionColor_[1] = Colours::Silver;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(positionText(position_));
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
    setAccessibleDescription(positionText(v));
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
    const int foot = footnote_.isEmpty() ? 0 : footnoteRect().height() + 2;
    return std::max(scaleTop() + 1, height() - 1 - fontMetrics().height() / 2 - 2 - foot);
}

QFont LinearGauge::footnoteFont() const
{
    QFont small = font();
    small.setPixelSize(std::max(9, fontMetrics().height() * 3 / 4));
    return small;
}

QRect LinearGauge::footnoteRect() const
{
    if (footnote_.isEmpty())
        return {};
    const int lines = 2 * QFontMetrics(footnoteFont()).height();
    return QRect(0, height() - lines, width(), lines);
}

void LinearGauge::setFootnote(const QString& text, uint32_t colour)
{
    if (text == footnote_ && colour == footnoteColour_)
        return;
    footnote_ = text;
    footnoteColour_ = colour;
    changed();
}

void LinearGauge::drawFootnote(QPainter& p) const
{
    if (footnote_.isEmpty())
        return;
    p.setFont(footnoteFont());
    p.setPen(toQColor(footnoteColour_));
    p.drawText(footnoteRect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, footnote_);
}

int LinearGauge::bandLeft() const
{
    return PointerZone;
}

int LinearGauge::bandRight() const
{
    return PointerZone + geometry().band;
}

int LinearGauge::widestLabel() const
{
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    const int majors = tickMajorCount_;
    if (majors < 2 || !(positionMax_ > positionMin_))
        return widest;
    const double step = (positionMax_ - positionMin_) / (majors - 1);
    for (int m = 0; m < majors; ++m)
        widest = std::max(widest, fm.horizontalAdvance(tickLabel(positionMin_ + step * m, step)));
    return widest;
}

LinearGauge::Geometry LinearGauge::geometry() const
{
    // The labels get the room they need: where the gauge is narrow, the gap,
    // the ticks and then the band give way, down to a least size each.
    Geometry g;
    int shortBy = PointerZone + g.band + g.majorTick + g.gap + widestLabel() - width();
    const auto giveWay = [&](int& length, int least) {
        const int given = std::clamp(shortBy, 0, length - least);
        length -= given;
        shortBy -= given;
    };
    giveWay(g.gap, 1);
    giveWay(g.majorTick, 5);
    g.minorTick = std::min(g.minorTick, g.majorTick - 2);
    giveWay(g.band, 5);
    return g;
}

QRect LinearGauge::tickLabelRect(int major) const
{
    if (tickMajorCount_ < 2 || !(positionMax_ > positionMin_) || major < 0 || major >= tickMajorCount_)
        return {};
    const Geometry g = geometry();
    const double step = (positionMax_ - positionMin_) / (tickMajorCount_ - 1);
    const double value = positionMin_ + step * major;
    const QFontMetrics fm = fontMetrics();
    const int left = PointerZone + g.band + g.majorTick + g.gap;
    return QRect(left, rowOf(value) - fm.height() / 2, fm.horizontalAdvance(tickLabel(value, step)), fm.height());
}

bool LinearGauge::labelsFit() const
{
    const Geometry g = geometry();
    return bandRight() + g.majorTick + g.gap + widestLabel() <= width();
}

int LinearGauge::offScale() const
{
    if (!(positionMax_ > positionMin_) || std::isnan(position_))
        return 0;
    return position_ > positionMax_ ? 1 : position_ < positionMin_ ? -1 : 0;
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
    drawFootnote(p);
}

void LinearGauge::drawSections(QPainter& p) const
{
    const int bandWidth = bandRight() - bandLeft();
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
            p.fillRect(QRect(bandLeft(), yTop, bandWidth, yBottom - yTop + 1), toQColor(sectionColor_[i]));
        }
        from = std::max(from, to);
    }
}

void LinearGauge::drawTicks(QPainter& p) const
{
    const Geometry g = geometry();
    const int x0 = PointerZone + g.band;
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
            p.drawLine(x0, y, x0 + g.minorTick, y);
        }
    }

    const QFontMetrics fm = fontMetrics();
    const int labelLeft = x0 + g.majorTick + g.gap;
    const QColor labelColour = toQColor(labelColourOf(scaleColor_, backgroundColor_));
    for (int m = 0; m < majors; ++m) {
        const double value = positionMin_ + step * m;
        const int y = rowOf(value);
        p.setPen(toQColor(tickMajorColor_));
        p.drawLine(x0, y, x0 + g.majorTick, y);
        p.setPen(labelColour);
        const QRect labelBox(labelLeft, y - fm.height() / 2, std::max(0, width() - labelLeft), fm.height());
        p.drawText(labelBox, Qt::AlignLeft | Qt::AlignVCenter, tickLabel(value, step));
    }
}

uint32_t LinearGauge::labelColourOf(uint32_t scaleColour, uint32_t background)
{
    // A scale in the background's own colour is a blank scale (a sensor that
    // is not there); any other colour is drawn dark or light enough to read.
    return scaleColour == background ? scaleColour : Contrast::readableOn(scaleColour, background);
}

void LinearGauge::drawPointer(QPainter& p) const
{
    const QColor colour = toQColor(pointerColor_);
    const int y = rowOf(position_);
    const int beyond = offScale();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (pointerStyle_ == 3) {
        // Thermometer look: a bar from the scale minimum up to the position.
        const int bottom = rowOf(positionMin_);
        const QRect bar(3, y, PointerZone - 5, bottom - y + 1);
        p.fillRect(bar, colour);
        p.setPen(colour.darker(150));
        p.drawRect(bar.adjusted(0, 0, -1, -1));
    }
    QPainterPath shape;
    if (beyond != 0) {
        // Beyond the scale: an arrow at that end, pointing out of the scale.
        const int end = beyond > 0 ? 0 : height() - 1;
        const int base = beyond > 0 ? scaleTop() + 4 : scaleBottom() - 4;
        shape.moveTo(PointerZone / 2.0, end);
        shape.lineTo(PointerZone - 0.5, base);
        shape.lineTo(0.5, base);
    } else if (pointerStyle_ != 3) {
        shape.moveTo(PointerZone - 1, y);
        shape.lineTo(1, y - 6);
        shape.lineTo(1, y + 6);
    } else {
        return;
    }
    shape.closeSubpath();
    p.setPen(colour.darker(170));
    p.setBrush(colour);
    p.drawPath(shape);
}
