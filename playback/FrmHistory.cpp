#include "playback/FrmHistory.h"

#include "config/OkCancelButtons.h"
#include "core/GaugeLooks.h"
#include "history/LogfileCatalog.h"
#include "platform/IFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDateEdit* dateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}
} // namespace

FrmHistory::FrmHistory(IFileDialog& fileDialog, QWidget* parent) : QDialog(parent), fileDialog_(fileDialog)
{
    setWindowTitle(QStringLiteral("History"));
    TxtFolder = new QLineEdit(this);
    TxtFolder->setObjectName(QStringLiteral("TxtFolder"));
    TxtFolder->setReadOnly(true);
    CmdFolder = new QPushButton(QStringLiteral("Other folder..."), this);
    CmdFolder->setObjectName(QStringLiteral("CmdFolder"));
    ComboInstallation = new QComboBox(this);
    ComboInstallation->setObjectName(QStringLiteral("ComboInstallation"));
    DateFrom = dateEdit(this, "DateFrom");
    DateTo = dateEdit(this, "DateTo");

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(TxtFolder, 1);
    folderRow->addWidget(CmdFolder);
    auto* presetRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        const HistoryRange::Preset preset = HistoryRange::Presets[i];
        CmdPreset[i] = new QPushButton(HistoryRange::presetText(preset), this);
        CmdPreset[i]->setObjectName(QStringLiteral("CmdPreset%1").arg(i));
        CmdPreset[i]->setAutoDefault(false);
        presetRow->addWidget(CmdPreset[i]);
        connect(CmdPreset[i], &QPushButton::clicked, this, [this, preset] { CmdPreset_Click(preset); });
    }
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(DateFrom);
    dateRow->addWidget(new QLabel(QStringLiteral("to"), this));
    dateRow->addWidget(DateTo);
    dateRow->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Folder:"), folderRow);
    form->addRow(QStringLiteral("Installation:"), ComboInstallation);
    form->addRow(QStringLiteral("Days:"), dateRow);
    form->addRow(QString(), presetRow);

    QDialogButtonBox* buttons = makeOkCancelButtons(this, CmdOk, CmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(seriesBoxes());
    layout->addWidget(buttons);

    connect(CmdFolder, &QPushButton::clicked, this, &FrmHistory::CmdFolder_Click);
    connect(CmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DateFrom, &QDateEdit::dateChanged, this, [this] { keepRangeInOrder(true); });
    connect(DateTo, &QDateEdit::dateChanged, this, [this] { keepRangeInOrder(false); });
}

QHBoxLayout* FrmHistory::seriesBoxes()
{
    auto* values = new QGroupBox(QStringLiteral("Values"), this);
    auto* valueBoxes = new QVBoxLayout(values);
    for (int v = 1; v <= 5; ++v) {
        CheckValue[v] = new QCheckBox(QLatin1String(GaugeLooks::forValue(v)->chartCaption), values);
        CheckValue[v]->setObjectName(QStringLiteral("CheckValue%1").arg(v));
        valueBoxes->addWidget(CheckValue[v]);
    }
    auto* sensors = new QGroupBox(QStringLiteral("Sensors"), this);
    auto* sensorBoxes = new QVBoxLayout(sensors);
    for (int s = 1; s <= 6; ++s) {
        CheckSensor[s] = new QCheckBox(sensors);
        CheckSensor[s]->setObjectName(QStringLiteral("CheckSensor%1").arg(s));
        sensorBoxes->addWidget(CheckSensor[s]);
    }
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(values);
    boxes->addWidget(sensors);
    return boxes;
}

void FrmHistory::setChoice(const HistoryChoice& choice, const QStringList& sensorNames, QDate today)
{
    today_ = today;
    TxtFolder->setText(choice.folder);
    listInstallations(choice.folder, choice.installation);
    DateFrom->setDate(choice.days.from);
    DateTo->setDate(choice.days.to);
    for (int v = 1; v <= 5; ++v)
        CheckValue[v]->setChecked(choice.values[v]);
    for (int s = 1; s <= 6; ++s) {
        CheckSensor[s]->setText(sensorNames.value(s - 1, QStringLiteral("Sensor%1").arg(s)));
        CheckSensor[s]->setChecked(choice.sensors[s]);
    }
}

HistoryChoice FrmHistory::choice() const
{
    HistoryChoice result;
    result.folder = TxtFolder->text();
    result.installation = ComboInstallation->currentText();
    result.days = {DateFrom->date(), DateTo->date()};
    for (int v = 1; v <= 5; ++v)
        result.values[v] = CheckValue[v]->isChecked();
    for (int s = 1; s <= 6; ++s)
        result.sensors[s] = CheckSensor[s]->isChecked();
    return result;
}

void FrmHistory::listInstallations(const QString& folder, const QString& wanted)
{
    ComboInstallation->clear();
    ComboInstallation->addItems(LogfileCatalog(folder).installations());
    const int index = ComboInstallation->findText(wanted);
    ComboInstallation->setCurrentIndex(index >= 0 ? index : 0);
    CmdOk->setEnabled(ComboInstallation->count() > 0);
}

void FrmHistory::CmdFolder_Click()
{
    const QString folder = fileDialog_.getExistingDirectory(TxtFolder->text());
    if (folder.isEmpty())
        return;
    TxtFolder->setText(folder);
    listInstallations(folder, ComboInstallation->currentText());
}

void FrmHistory::CmdPreset_Click(HistoryRange::Preset preset)
{
    QDate first, last;
    for (const LogfileInfo& file : LogfileCatalog(TxtFolder->text()).files(ComboInstallation->currentText())) {
        if (!first.isValid() || file.day < first)
            first = file.day;
        if (!last.isValid() || file.day > last)
            last = file.day;
    }
    const HistoryRange::Days days = HistoryRange::preset(preset, today_, first, last);
    DateFrom->setDate(days.from);
    DateTo->setDate(days.to);
}

void FrmHistory::keepRangeInOrder(bool fromMoved)
{
    if (DateFrom->date() <= DateTo->date())
        return;
    if (fromMoved)
        DateTo->setDate(DateFrom->date());
    else
        DateFrom->setDate(DateTo->date());
}
