#include "report/ReportTable.h"

#include <QPainter>

ReportTable::ReportTable(const ReportStyle& style, std::vector<ReportColumn> columns, const QFont& font)
    : style_(style)
    , columns_(std::move(columns))
    , font_(font == QFont() ? style.text() : font)
    , headerFont_(font_)
{
    headerFont_.setBold(true);
    double used = 0;
    for (const ReportColumn& c : columns_)
        used += c.width;
    if (!columns_.empty() && columns_.back().width <= 0)
        columns_.back().width = std::max(style_.mm(10), style_.body().width() - used);
}

void ReportTable::addRow(const QStringList& cells, bool group)
{
    rows_.push_back({cells, group});
}

double ReportTable::heightOf(const QStringList& cells, const QFont& font) const
{
    double height = style_.lineHeight(font);
    for (size_t i = 0; i < columns_.size() && qsizetype(i) < cells.size(); ++i)
        height = std::max(height, style_.height(font, cells[qsizetype(i)], columns_[i].width - style_.mm(2)));
    return height + style_.mm(1.2);
}

void ReportTable::place(ReportPages& pages, const QStringList& cells, const QFont& font, bool header,
                        bool group) const
{
    const QRectF row = pages.take(heightOf(cells, font));
    const std::vector<ReportColumn> columns = columns_;
    const double pad = style_.mm(1);
    const double line = style_.mm(header || group ? 0.25 : 0.1);
    pages.draw([=](QPainter& p) {
        if (header)
            p.fillRect(row, QColor(0xEE, 0xEE, 0xEE));
        p.setPen(QPen(header || group ? ReportStyle::rule() : ReportStyle::grid(), line));
        p.drawLine(row.topLeft(), row.topRight());
        if (header)
            p.drawLine(row.bottomLeft(), row.bottomRight());
        p.setPen(Qt::black);
        p.setFont(font);
        double x = row.left();
        for (size_t i = 0; i < columns.size(); ++i) {
            const QRectF cell(x + pad, row.top() + pad * 0.6, columns[i].width - 2 * pad, row.height() - pad * 0.6);
            if (qsizetype(i) < cells.size())
                p.drawText(cell, int(columns[i].align | Qt::AlignTop | Qt::TextWordWrap), cells[qsizetype(i)]);
            x += columns[i].width;
        }
    });
}

void ReportTable::layOut(ReportPages& pages) const
{
    QStringList titles;
    for (const ReportColumn& c : columns_)
        titles << c.title;
    const QFont headerFont = headerFont_;
    const QFont rowFont = font_;
    const double headerHeight = heightOf(titles, headerFont);
    bool headed = false;
    for (const Row& r : rows_) {
        const double height = heightOf(r.cells, rowFont);
        if (!headed || height > pages.room()) {
            if (!pages.pageEmpty() && (headed || headerHeight + height > pages.room()))
                pages.newPage();
            place(pages, titles, headerFont, true, false);
            headed = true;
        }
        place(pages, r.cells, rowFont, false, r.group);
    }
}
