#include "app/FrmReport.h"

#include "config/OkCancelButtons.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FrmReport::FrmReport(const QDate& date, const std::optional<ReportRange::Days>& history, QWidget* parent)
    : QDialog(parent), history_(history)
{
    setWindowTitle(QStringLiteral("Report"));
    OptionDay = new QRadioButton(QStringLiteral("The day"), this);
    OptionDay->setObjectName(QStringLiteral("OptionDay"));
    OptionWeek = new QRadioButton(QStringLiteral("Its week (Monday to Sunday)"), this);
    OptionWeek->setObjectName(QStringLiteral("OptionWeek"));
    OptionMonth = new QRadioButton(QStringLiteral("Its month"), this);
    OptionMonth->setObjectName(QStringLiteral("OptionMonth"));
    const QString range = history ? QStringLiteral("The history shown, %1 \u2013 %2")
                                        .arg(history->from.toString(Qt::ISODate), history->to.toString(Qt::ISODate))
                                  : QStringLiteral("The history shown");
    OptionHistory = new QRadioButton(range, this);
    OptionHistory->setObjectName(QStringLiteral("OptionHistory"));
    OptionHistory->setEnabled(history.has_value());
    (history ? OptionHistory : OptionDay)->setChecked(true);
    DateReport = new QDateEdit(date, this);
    DateReport->setObjectName(QStringLiteral("DateReport"));
    DateReport->setCalendarPopup(true);
    DateReport->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Day:"), DateReport);
    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QRadioButton* option : {OptionDay, OptionWeek, OptionMonth, OptionHistory})
        layout->addWidget(option);
    layout->addWidget(buttons);
    connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ReportRange::Days FrmReport::days() const
{
    if (OptionHistory->isChecked() && history_)
        return *history_;
    const ReportRange::Span span = OptionWeek->isChecked() ? ReportRange::Span::Week
        : OptionMonth->isChecked()                          ? ReportRange::Span::Month
                                                            : ReportRange::Span::Day;
    return ReportRange::of(span, DateReport->date());
}
