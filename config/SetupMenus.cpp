#include "config/SetupMenus.h"

#include "config/ConfigValues.h"
#include "config/ConfigurationLoader.h"
#include "config/FrmCommPort.h"
#include "config/FrmInstall.h"
#include "config/FrmPassword.h"
#include "config/KeepRunning.h"
#include "config/RdWrConfig.h"
#include "core/LogLine.h"
#include "core/Version.h"
#include "core/IClock.h"
#include "platform/IDialogRunner.h"
#include "platform/IMessageBox.h"

SetupMenus::SetupMenus(Parts parts, QWidget* dialogParent) : parts_(parts), dialogParent_(dialogParent) {}

SetupMenus::~SetupMenus()
{
    // A dialog already deleted with its parent window reads as null here.
    delete commPort_.data();
    delete install_.data();
    delete password_.data();
}

QString SetupMenus::installationCaption(const QString& installation)
{
    return QStringLiteral("VELTRA Logger ") + QLatin1String(Version::Text) + QStringLiteral("  ") + installation;
}

bool SetupMenus::store(const QString& key, const QString& value)
{
    if (parts_.store.SetConfigValue(parts_.values.ConfigFileName, key, value))
        return true;
    switch (parts_.store.lastFailure()) {
    case RdWrConfig::Failure::TableFull:
        unsaved_ = QStringLiteral("The settings could not all be saved, VELTRA-logger1.ini has no room for "
                                  "another line !");
        break;
    case RdWrConfig::Failure::WriteFailed:
    case RdWrConfig::Failure::InvalidKey:
        unsaved_ = QStringLiteral("The settings could not be saved, VELTRA-logger1.ini could not be written !");
        if (!parts_.store.lastError().isEmpty())
            unsaved_ += QLatin1Char('\n') + parts_.store.lastError();
        break;
    case RdWrConfig::Failure::NoFile: // the following load re-creates and reports the file
    case RdWrConfig::Failure::None:
        break;
    }
    return false;
}

void SetupMenus::reportUnsaved()
{
    if (!unsaved_.isEmpty())
        parts_.messageBox.show(ConfigErrorTitle, unsaved_, MessageIcon::Error);
    unsaved_.clear();
}

void SetupMenus::MenueSetupSerialPort_Click()
{
    ConfigValues& v = parts_.values;
    if (!commPort_)
        commPort_ = new FrmCommPort(v, parts_.dialogPort, parts_.messageBox, parts_.store.homeDirectory(),
                                    parts_.systemPorts, dialogParent_);
    commPort_->SetCommPortNumber(v.COM);
    parts_.runner.exec(*commPort_);

    v.COM = commPort_->GetCommPortNumber();
    store(QStringLiteral("COM"), QString::number(v.COM));
    store(QStringLiteral("BAUDRATE"), v.PortBaud);
    reportUnsaved();
    parts_.loader.LoadConfiguration();
}

void SetupMenus::MenueSetupInstallation_Click()
{
    ConfigValues& v = parts_.values;
    if (!install_)
        install_ = new FrmInstall(v, parts_.fileDialog, dialogParent_);
    install_->SetInstallation(v.INSTALLATION);
    v.LogDate = parts_.clock.now().date().toString(QStringLiteral("yyyyMMdd"));
    install_->SetFileName(LogLine::suggestedLogfileName(v.LOGDIR, v.LogDate, v.INSTALLATION));
    install_->SetRefresh(v.REFRESH);
    parts_.runner.exec(*install_);

    v.INSTALLATION = install_->GetInstallation();
    v.LOGDIR = install_->GetDirectory();
    emit captionChanged(installationCaption(v.INSTALLATION));
    store(QStringLiteral("INSTALLATION"), v.INSTALLATION);
    store(QStringLiteral("LOGDIR"), v.LOGDIR);
    for (int n = 1; n <= 6; ++n)
        store(QStringLiteral("LBL_S%1").arg(n), v.LBL_S[n - 1]);
    v.REFRESH = install_->GetRefresh();
    store(QStringLiteral("REFRESH"), QString::number(v.REFRESH));
    reportUnsaved();

    parts_.loader.LoadConfiguration();
    emit chartRebuildNeeded();
    for (int n = 1; n <= 6; ++n)
        emit sensorNameChanged(n, v.LBL_S[n - 1].left(14), v.LBL_S[n - 1]);
    emit writeFailuresCleared();
}

void SetupMenus::MenueSetupPassword_Click()
{
    if (!password_)
        password_ = new FrmPassword(parts_.values, parts_.store, parts_.messageBox, dialogParent_);
    parts_.runner.exec(*password_);
}

void SetupMenus::MenueSetupDailyReports_Click()
{
    const bool on = parts_.values.DAILYREPORTS != 1;
    if (store(QStringLiteral("DAILYREPORTS"), on ? QStringLiteral("1") : QStringLiteral("0")))
        parts_.values.DAILYREPORTS = on ? 1 : 0;
    reportUnsaved();
    emit dailyReportsShown(parts_.values.DAILYREPORTS == 1);
}

void SetupMenus::csvForSpreadsheets_Click()
{
    const bool on = parts_.values.CSVBOM != 1;
    if (store(QStringLiteral("CSVBOM"), on ? QStringLiteral("1") : QStringLiteral("0")))
        parts_.values.CSVBOM = on ? 1 : 0;
    reportUnsaved();
    emit csvForSpreadsheetsShown(parts_.values.CSVBOM == 1);
}

void SetupMenus::MenueSetupKeepRunning_Click()
{
    if (!parts_.keepRunning)
        return;
    const KeepRunning::Outcome outcome = parts_.keepRunning->set(parts_.values.KEEPRUNNING != 1);
    parts_.messageBox.show(QStringLiteral("Keep logger running"), outcome.message,
                           outcome.done ? MessageIcon::Information : MessageIcon::Error);
    emit keepRunningShown(parts_.values.KEEPRUNNING == 1);
}
