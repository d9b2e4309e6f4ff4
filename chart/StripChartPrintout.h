#pragma once
#include <QFont>
#include <QMarginsF>
#include <QRectF>
#include <QStringList>
#include <functional>

class QPainter;
class QPrinter;

// One printed page of the strip chart: the chart across the page and the
// comment lines below it, inside the margins, in the chosen orientation.
class StripChartPrintout {
public:
    // Paints the chart into `area`, given in logical pixels of 1/96 inch.
    using ChartPainter = std::function<void(QPainter&, const QRectF& area)>;

    StripChartPrintout();

    void addComment(const QString& text) { comments_ << text; }
    void clearComments() { comments_.clear(); }
    const QStringList& comments() const { return comments_; }
    void setCommentFont(const QFont& font) { commentFont_ = font; }
    // Inches; negative values count as 0.
    void setMargins(double left, double right, double top, double bottom);
    // 1 landscape, anything else portrait.
    void setOrientation(int orientation) { landscape_ = orientation == 1; }

    // Applies orientation and margins to the printer (before any dialog, so
    // the dialog shows them).
    void setUp(QPrinter& printer) const;
    // Prints the page; false when the printer could not be opened.
    bool print(QPrinter& printer, const ChartPainter& paintChart) const;

private:
    QStringList comments_;
    QFont commentFont_;
    QMarginsF margins_;
    bool landscape_ = false;
};
