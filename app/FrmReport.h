#pragma once
#include "report/ReportRange.h"

#include <QDialog>
#include <optional>

class QDateEdit;
class QPushButton;
class QRadioButton;

// File › "Report…": the day, week or month of a date, or the history's
// range when one is shown, to put into a report.
class FrmReport : public QDialog {
    Q_OBJECT
public:
    // history: the range of the history shown, if any.
    FrmReport(const QDate& date, const std::optional<ReportRange::Days>& history, QWidget* parent = nullptr);

    ReportRange::Days days() const;

private:
    QRadioButton* OptionDay;
    QRadioButton* OptionWeek;
    QRadioButton* OptionMonth;
    QRadioButton* OptionHistory;
    QDateEdit* DateReport;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
    std::optional<ReportRange::Days> history_;
};
