#include "link/FrmVersion.h"

#include "link/MeasurementState.h"
#include "chart/Colour.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString numberText(int value)
{
    return QString::number(value);
}

// Levels that switch a check off show "OFF" instead of their number.
QString levelText(int value, int offValue)
{
    return value == offValue ? QStringLiteral("OFF") : numberText(value);
}

} // namespace

FrmVersion::FrmVersion(const ParameterInfo& info, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmVersion"));
    setWindowTitle(QStringLiteral("Evaluator Parameter Info"));

    auto* layout = new QVBoxLayout(this);
    auto addLabel = [&](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        layout->addWidget(label);
        return label;
    };
    LblVersion = addLabel("LblVersion");
    LblVersion2 = addLabel("LblVersion2");
    Lbl_ID = addLabel("Lbl_ID");
    Lbl_snr = addLabel("Lbl_snr");

    auto* form = new QFormLayout;
    layout->addLayout(form);
    // Temperatures come in tenths of a degree, as the sensor records send
    // them; the other levels are plain numbers.
    const QString tenthsOfDegree = QStringLiteral("0.1 \u00B0C");
    auto addBox = [&](const char* name, const QString& caption, const QString& unit = QString()) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setReadOnly(true);
        box->setAccessibleName(caption);
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        auto* unitLabel = new QLabel(unit, this);
        unitLabel->setObjectName(QLatin1String(name) + QStringLiteral("_unit"));
        unitLabel->setMinimumWidth(fontMetrics().horizontalAdvance(tenthsOfDegree));
        row->addWidget(unitLabel);
        form->addRow(caption, row);
        return box;
    };
    Txt_eva_nrsens = addBox("Txt_eva_nrsens", QStringLiteral("Number of sensors"));
    Txt_almlevel = addBox("Txt_almlevel", QStringLiteral("Main alarm level"));
    Txt_prealarmlevel = addBox("Txt_prealarmlevel", QStringLiteral("Pre-alarm level"));
    Txt_almlevel_h = addBox("Txt_almlevel_h", QStringLiteral("Main alarm level high"));
    Txt_prealarmlevel_h = addBox("Txt_prealarmlevel_h", QStringLiteral("Pre-alarm level high"));
    Txt_talmlevel = addBox("Txt_talmlevel", QStringLiteral("Temperature alarm level"), tenthsOfDegree);
    Txt_talmplevel = addBox("Txt_talmplevel", QStringLiteral("Temperature pre-alarm level"), tenthsOfDegree);
    Txt_malarmlevel2 = addBox("Txt_malarmlevel2", QStringLiteral("Main alarm level 2"));
    Txt_prealarmlevel2 = addBox("Txt_prealarmlevel2", QStringLiteral("Pre-alarm level 2"));
    Txt_alm2sensor = addBox("Txt_alm2sensor", QStringLiteral("Alarm 2 sensor"));
    Txt_talmlevel2 = addBox("Txt_talmlevel2", QStringLiteral("Temperature alarm level 2"), tenthsOfDegree);
    Txt_talmplevel2 = addBox("Txt_talmplevel2", QStringLiteral("Temperature pre-alarm level 2"), tenthsOfDegree);

    CmdOk = new QPushButton(QStringLiteral("ok"), this);
    CmdOk->setObjectName(QStringLiteral("CmdOk"));
    CmdOk->setDefault(true);
    layout->addWidget(CmdOk, 0, Qt::AlignRight);
    connect(CmdOk, &QPushButton::clicked, this, &FrmVersion::CmdOk_Click);

    Form_Load(info);
}

void FrmVersion::Form_Load(const ParameterInfo& info)
{
    const bool known = info.modelCode == QLatin1String(KnownModelCode);
    LblVersion->setText(known ? QStringLiteral("Dravik VELTRA System connected")
                              : QStringLiteral("Unknown System connected"));
    setReadableTextColour(*LblVersion, known ? Colours::Red : Colours::Blue);
    QFont font = LblVersion->font();
    font.setPointSize(16);
    LblVersion->setFont(font);

    LblVersion2->setText(info.versionText);
    Lbl_ID->setText(QStringLiteral("ID: ") + info.modelCode);
    Lbl_snr->setText(QStringLiteral("Serial No.: ") + info.serialNumber);

    Txt_eva_nrsens->setText(numberText(info.sensorCount));
    Txt_almlevel->setText(numberText(info.mainAlarmLevel));
    Txt_prealarmlevel->setText(numberText(info.preAlarmLevel));
    Txt_almlevel_h->setText(levelText(info.mainAlarmLevelHigh, 1300));
    Txt_prealarmlevel_h->setText(levelText(info.preAlarmLevelHigh, 0));
    Txt_talmlevel->setText(numberText(info.tempAlarmLevel));
    Txt_talmplevel->setText(numberText(info.tempPreAlarmLevel));
    Txt_malarmlevel2->setText(levelText(info.mainAlarmLevel2, 0));
    Txt_prealarmlevel2->setText(levelText(info.preAlarmLevel2, 0));
    Txt_alm2sensor->setText(numberText(info.alarm2Sensor));
    Txt_talmlevel2->setText(numberText(info.tempAlarmLevel2));
    Txt_talmplevel2->setText(numberText(info.tempPreAlarmLevel2));
}

void FrmVersion::CmdOk_Click()
{
    accept();
}
