#pragma once
#include <QDateTime>
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

// "Add note": a maintenance note at the chart's cursor: one of the preset
// texts or the person's own, for one sensor or all of them.
class FrmNote : public QDialog {
    Q_OBJECT
public:
    // sensorNames holds the six sensors' names; presets the offered texts.
    FrmNote(const QDateTime& when, const QStringList& sensorNames, const QStringList& presets,
            QWidget* parent = nullptr);

    // 0 for all sensors, else 1..6.
    int sensor() const;
    void setSensor(int sensor);
    QString text() const;
    void setText(const QString& text);

private:
    QLabel* LblTime;
    QComboBox* ComboSensor;
    QComboBox* ComboText;
    QPushButton* CmdOk;
    QPushButton* CmdCancel;
};
