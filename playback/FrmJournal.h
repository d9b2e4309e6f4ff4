#pragma once
#include "history/JournalEntry.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;

// "Journal": the alarm journal of the history shown, as a table that sorts
// by any column (a click on its header) and filters by sensor and kind. A
// double-click on an entry asks for the chart's cursor to go there. It stays
// open beside the window.
class FrmJournal : public QDialog {
    Q_OBJECT
public:
    enum Column { Start, End, Duration, Kind, Sensor, What, Confirmed, Remarks, Columns };

    explicit FrmJournal(QWidget* parent = nullptr);

    // The entries, the names of the sensors, and the range's title.
    void setEntries(std::vector<JournalEntry> entries, const QStringList& sensorNames, const QString& title);
    const std::vector<JournalEntry>& entries() const { return entries_; }
    // The rows shown under the filters, in the order shown.
    int rowCount() const;
    QTableWidget* table() const { return TableJournal; }
    QComboBox* sensorFilter() const { return ComboSensor; }
    QComboBox* kindFilter() const { return ComboKind; }

signals:
    // An entry was double-clicked: its start (UTC seconds) and end.
    void entryChosen(qint64 start, qint64 end);

private:
    void fill();
    bool passes(const JournalEntry& e) const;

    QLabel* LblRange;
    QComboBox* ComboSensor;
    QComboBox* ComboKind;
    QTableWidget* TableJournal;
    std::vector<JournalEntry> entries_;
    QStringList sensorNames_;
};
