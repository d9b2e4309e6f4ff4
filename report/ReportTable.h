#pragma once
// A table of the report that runs over as many pages as it needs, its
// header row again at the top of each page it goes on to. A cell's text is
// broken into lines within its column, so nothing is cut off.
#include "report/ReportPages.h"
#include "report/ReportStyle.h"

#include <QStringList>
#include <vector>

struct ReportColumn {
    QString title;
    double width = 0; // device units; 0 for the last column: what is left
    Qt::Alignment align = Qt::AlignLeft;
};

class ReportTable {
public:
    // Rows in `font` (the style's text font unless given), the header bold.
    ReportTable(const ReportStyle& style, std::vector<ReportColumn> columns, const QFont& font = QFont());

    // `group`: a rule above the row, where a new group of rows begins.
    void addRow(const QStringList& cells, bool group = false);
    bool empty() const { return rows_.empty(); }

    // The rows from the pages' current place on.
    void layOut(ReportPages& pages) const;

private:
    struct Row {
        QStringList cells;
        bool group = false;
    };
    double heightOf(const QStringList& cells, const QFont& font) const;
    void place(ReportPages& pages, const QStringList& cells, const QFont& font, bool header, bool group) const;

    const ReportStyle& style_;
    std::vector<ReportColumn> columns_;
    QFont font_;
    QFont headerFont_;
    std::vector<Row> rows_;
};
