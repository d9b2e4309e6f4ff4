#include "report/ReportStyle.h"

#include "core/Colours.h"

#include <QFontMetricsF>
#include <QPaintDevice>

namespace {
constexpr double PageWidth = 210;
constexpr double PageHeight = 297;
constexpr double Side = 15;     // left and right margins
constexpr double Top = 12;      // above the header
constexpr double HeaderHeight = 10;
constexpr double FooterHeight = 8;
constexpr double Bottom = 10;   // below the footer
} // namespace

ReportStyle::ReportStyle(QPaintDevice& device)
    : device_(device), unitsPerMm_(device.logicalDpiX() / 25.4), page_(0, 0, mm(PageWidth), mm(PageHeight))
{
}

QRectF ReportStyle::header() const
{
    return QRectF(mm(Side), mm(Top), mm(PageWidth - 2 * Side), mm(HeaderHeight));
}

QRectF ReportStyle::body() const
{
    const double top = Top + HeaderHeight + 4;
    return QRectF(mm(Side), mm(top), mm(PageWidth - 2 * Side), mm(PageHeight - top - Bottom - FooterHeight - 2));
}

QRectF ReportStyle::footer() const
{
    return QRectF(mm(Side), mm(PageHeight - Bottom - FooterHeight), mm(PageWidth - 2 * Side), mm(FooterHeight));
}

QFont ReportStyle::font(double points, bool bold) const
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Plain Latin text without ligatures, so a reader of the PDF's text
    // (pdftotext, a search) finds "fi" as two letters.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

double ReportStyle::lineHeight(const QFont& font) const
{
    return QFontMetricsF(font, &device_).lineSpacing();
}

double ReportStyle::width(const QFont& font, const QString& text) const
{
    return QFontMetricsF(font, &device_).horizontalAdvance(text);
}

double ReportStyle::height(const QFont& font, const QString& text, double width) const
{
    const QFontMetricsF metrics(font, &device_);
    return metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text).height();
}

QColor ReportStyle::sensorColour(int sensor)
{
    if (sensor == 6)
        return QColor(0x50, 0x50, 0x50);
    const uint32_t bgr = sensor >= 1 && sensor <= 6 ? Colours::Sensor[sensor - 1] : Colours::Black;
    QColor c(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
    // Aqua, lime and yellow vanish on white: the same hue, darker and full.
    return QColor::fromHsvF(c.hsvHueF(), std::max(0.75f, c.hsvSaturationF()), std::min(0.62f, c.valueF()));
}
