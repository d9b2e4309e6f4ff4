#include "config/UplinkSetup.h"

#include "config/ConfigurationLoader.h"
#include "config/FrmUplink.h"
#include "config/RdWrConfig.h"
#include "platform/IDialogRunner.h"
#include "platform/IMessageBox.h"

UplinkSetup::UplinkSetup(Parts parts, QWidget* dialogParent) : parts_(std::move(parts)), dialogParent_(dialogParent) {}

UplinkSetup::~UplinkSetup()
{
    delete dialog_.data();
}

void UplinkSetup::MenueSetupUplink_Click()
{
    if (!dialog_)
        dialog_ = new FrmUplink(parts_.testClient, parts_.fileDialog, dialogParent_);
    dialog_->setSettings(UplinkSettings::read(parts_.store, parts_.configFile));
    if (parts_.runner.exec(*dialog_) != QDialog::Accepted)
        return;
    if (!dialog_->settings().write(parts_.store, parts_.configFile)) {
        QString text = parts_.store.lastFailure() == RdWrConfig::Failure::TableFull
            ? QStringLiteral("The uplink settings could not all be saved, VELTRA-logger1.ini has no room for "
                             "another line !")
            : QStringLiteral("The uplink settings could not be saved, VELTRA-logger1.ini could not be written !");
        if (!parts_.store.lastError().isEmpty())
            text += QLatin1Char('\n') + parts_.store.lastError();
        parts_.messageBox.show(ConfigErrorTitle, text, MessageIcon::Error);
    }
    emit settingsChanged();
}
