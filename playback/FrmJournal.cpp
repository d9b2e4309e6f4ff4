#include "playback/FrmJournal.h"

#include "history/JournalText.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// A cell that sorts by a number of its own (an instant, a duration) rather
// than by its text.
class SortedItem final : public QTableWidgetItem {
public:
    SortedItem(const QString& text, qint64 key) : QTableWidgetItem(text) { setData(Qt::UserRole, key); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toLongLong() < other.data(Qt::UserRole).toLongLong();
    }
};

QString timeText(int64_t instant)
{
    return QDateTime::fromSecsSinceEpoch(instant).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

const char* const KindTexts[] = {"Sensor alarms", "Alarm relays", "Evaluator lost", "Measurement stopped",
                                 "Logger not running"};
} // namespace

FrmJournal::FrmJournal(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Journal"));
    LblRange = new QLabel(this);
    ComboSensor = new QComboBox(this);
    ComboSensor->setObjectName(QStringLiteral("ComboSensor"));
    ComboKind = new QComboBox(this);
    ComboKind->setObjectName(QStringLiteral("ComboKind"));
    ComboKind->addItem(QStringLiteral("All kinds"));
    for (const char* kind : KindTexts)
        ComboKind->addItem(QLatin1String(kind));
    TableJournal = new QTableWidget(0, Columns, this);
    TableJournal->setObjectName(QStringLiteral("TableJournal"));
    TableJournal->setHorizontalHeaderLabels({QStringLiteral("Start"), QStringLiteral("End"), QStringLiteral("Duration"),
                                             QStringLiteral("Kind"), QStringLiteral("Sensor"), QStringLiteral("What"),
                                             QStringLiteral("Confirmed"), QStringLiteral("Remarks")});
    TableJournal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableJournal->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableJournal->verticalHeader()->hide();
    TableJournal->horizontalHeader()->setStretchLastSection(true);

    auto* filters = new QHBoxLayout;
    filters->addWidget(LblRange, 1);
    filters->addWidget(new QLabel(QStringLiteral("Show:"), this));
    filters->addWidget(ComboSensor);
    filters->addWidget(ComboKind);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(TableJournal, 1);
    resize(1150, 440);

    connect(ComboSensor, &QComboBox::currentIndexChanged, this, &FrmJournal::fill);
    connect(ComboKind, &QComboBox::currentIndexChanged, this, &FrmJournal::fill);
    connect(TableJournal, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const QTableWidgetItem* start = TableJournal->item(row, Start);
        const QTableWidgetItem* end = TableJournal->item(row, End);
        if (start && end)
            emit entryChosen(start->data(Qt::UserRole).toLongLong(), end->data(Qt::UserRole).toLongLong());
    });
}

void FrmJournal::setEntries(std::vector<JournalEntry> entries, const QStringList& sensorNames, const QString& title)
{
    entries_ = std::move(entries);
    sensorNames_ = sensorNames;
    LblRange->setText(title);
    const QSignalBlocker quiet(ComboSensor);
    const int chosen = ComboSensor->currentIndex();
    ComboSensor->clear();
    ComboSensor->addItem(QStringLiteral("All sensors"));
    for (int s = 0; s < 6; ++s)
        ComboSensor->addItem(sensorNames.value(s, QStringLiteral("Sensor %1").arg(s + 1)));
    ComboSensor->setCurrentIndex(std::max(chosen, 0));
    fill();
}

bool FrmJournal::passes(const JournalEntry& e) const
{
    const int sensor = ComboSensor->currentIndex(); // 0: all
    const int kind = ComboKind->currentIndex() - 1; // -1: all
    return (sensor == 0 || e.sensor == sensor) && (kind < 0 || int(e.kind) == kind);
}

void FrmJournal::fill()
{
    TableJournal->setSortingEnabled(false);
    TableJournal->setRowCount(0);
    for (const JournalEntry& e : entries_) {
        if (!passes(e))
            continue;
        const int row = TableJournal->rowCount();
        TableJournal->insertRow(row);
        TableJournal->setItem(row, Start, new SortedItem(timeText(e.start), e.start));
        TableJournal->setItem(row, End, new SortedItem(e.open ? QStringLiteral("(still on)") : timeText(e.end), e.end));
        TableJournal->setItem(row, Duration, new SortedItem(JournalText::duration(e.duration()), e.duration()));
        TableJournal->setItem(row, Kind, new QTableWidgetItem(QLatin1String(KindTexts[int(e.kind)])));
        TableJournal->setItem(row, Sensor, new SortedItem(e.sensor > 0 ? QString::number(e.sensor) : QString(), e.sensor));
        TableJournal->setItem(row, What, new QTableWidgetItem(JournalText::what(e, sensorNames_)));
        TableJournal->setItem(row, Confirmed, new SortedItem(e.isConfirmed() ? timeText(e.confirmed) : QString(),
                                                             e.isConfirmed() ? e.confirmed : 0));
        TableJournal->setItem(row, Remarks, new QTableWidgetItem(JournalText::remarks(e)));
    }
    TableJournal->setSortingEnabled(true);
    TableJournal->resizeColumnsToContents();
}

int FrmJournal::rowCount() const
{
    return TableJournal->rowCount();
}
