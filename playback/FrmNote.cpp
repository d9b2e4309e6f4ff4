#include "playback/FrmNote.h"

#include "config/OkCancelButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmNote::FrmNote(const QDateTime& when, const QStringList& sensorNames, const QStringList& presets, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add note"));
    LblTime = new QLabel(when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), this);
    LblTime->setObjectName(QStringLiteral("LblTime"));
    ComboSensor = new QComboBox(this);
    ComboSensor->setObjectName(QStringLiteral("ComboSensor"));
    ComboSensor->addItem(QStringLiteral("All sensors"));
    for (int s = 0; s < 6; ++s)
        ComboSensor->addItem(sensorNames.value(s, QStringLiteral("Sensor%1").arg(s + 1)));
    // A preset, or any text typed over it.
    ComboText = new QComboBox(this);
    ComboText->setObjectName(QStringLiteral("ComboText"));
    ComboText->setEditable(true);
    ComboText->setInsertPolicy(QComboBox::NoInsert);
    ComboText->addItems(presets);
    ComboText->setMinimumContentsLength(28);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Time:"), LblTime);
    form->addRow(QStringLiteral("Sensor:"), ComboSensor);
    form->addRow(QStringLiteral("Note:"), ComboText);
    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboText, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { CmdOk->setEnabled(!text.trimmed().isEmpty()); });
}

int FrmNote::sensor() const
{
    return ComboSensor->currentIndex();
}

void FrmNote::setSensor(int sensor)
{
    ComboSensor->setCurrentIndex(sensor >= 0 && sensor <= 6 ? sensor : 0);
}

QString FrmNote::text() const
{
    return ComboText->currentText().trimmed();
}

void FrmNote::setText(const QString& text)
{
    ComboText->setCurrentText(text);
}
