#pragma once
#include "playback/HistoryRange.h"

#include <QDialog>
#include <QStringList>

class IFileDialog;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// What File › "History…" shows: an installation's logfiles in a folder over
// a range of days, with the values and sensors to chart.
struct HistoryChoice {
    QString folder;
    QString installation;
    HistoryRange::Days days;
    bool values[6] = {};  // [1..5]
    bool sensors[7] = {}; // [1..6]
};

// File › "History…": the installation (from the logfile names in the log
// directory, or in another folder the person picks), the days with presets,
// and the values and sensors to chart, set as the chart's boxes are.
class FrmHistory : public QDialog {
    Q_OBJECT
public:
    FrmHistory(IFileDialog& fileDialog, QWidget* parent = nullptr);

    // Fills the dialog; sensorNames holds the six sensors' names.
    void setChoice(const HistoryChoice& choice, const QStringList& sensorNames, QDate today);
    HistoryChoice choice() const;

    void CmdFolder_Click();
    void CmdPreset_Click(HistoryRange::Preset preset);

private:
    void listInstallations(const QString& folder, const QString& wanted);
    void keepRangeInOrder(bool fromMoved);
    // The check boxes of the values and of the sensors, side by side.
    QHBoxLayout* seriesBoxes();

    IFileDialog& fileDialog_;
    QDate today_;
    QLineEdit* TxtFolder;
    QPushButton* CmdFolder;
    QComboBox* ComboInstallation;
    QDateEdit* DateFrom;
    QDateEdit* DateTo;
    QPushButton* CmdPreset[4];
    QCheckBox* CheckValue[6] = {}; // [1..5]
    QCheckBox* CheckSensor[7] = {}; // [1..6]
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
