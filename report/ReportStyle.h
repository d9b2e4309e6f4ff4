#pragma once
// The report's look: an A4 portrait page, its margins, header and footer,
// fonts and colours, in the units of the device it is painted on.
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;

class ReportStyle {
public:
    // The device's resolution makes the units; the page is A4 portrait.
    explicit ReportStyle(QPaintDevice& device);

    double mm(double millimetres) const { return millimetres * unitsPerMm_; }
    QRectF page() const { return page_; }
    QRectF header() const; // above the body: installation and range
    QRectF body() const;   // what the sections fill
    QRectF footer() const; // below the body: page numbers

    QFont title() const { return font(14, true); }
    QFont heading() const { return font(11, true); }
    QFont text() const { return font(8.5, false); }
    QFont bold() const { return font(8.5, true); }
    QFont small() const { return font(7, false); }

    double lineHeight(const QFont& font) const;
    double width(const QFont& font, const QString& text) const;
    // The height `text` takes broken into lines `width` wide.
    double height(const QFont& font, const QString& text, double width) const;

    // A sensor's colour, dark enough to read on white paper: the chart's
    // colour of the sensor, darkened; sensor 6's olive, which would come out
    // as sensor 5's yellow does, a dark grey.
    static QColor sensorColour(int sensor);
    static QColor noteColour() { return QColor(0xE0, 0x70, 0x00); } // the chart's orange
    static QColor rule() { return QColor(0x80, 0x80, 0x80); }
    static QColor grid() { return QColor(0xD8, 0xD8, 0xD8); }

private:
    QFont font(double points, bool bold) const;

    QPaintDevice& device_;
    double unitsPerMm_;
    QRectF page_;
};
