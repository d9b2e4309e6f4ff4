// Every dialog's captions have room for their whole text in the default
// font, as the dialogs lay themselves out.
#include "app/InfoWindows.h"
#include "config/ConfigValues.h"
#include "config/FrmCommPort.h"
#include "config/FrmInstall.h"
#include "config/FrmPassword.h"
#include "config/FrmUplink.h"
#include "config/RdWrConfig.h"
#include "core/Record.h"
#include "display/FrmAlert.h"
#include "link/FrmVersion.h"
#include "logging/FrmMessage_show.h"
#include "logging/frmstatustext.h"
#include "support/FakeMqttClient.h"
#include "support/Fakes.h"
#include "window/CaptionRoom.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void expectWhole(QWidget& dialog, const char* name)
{
    dialog.show();
    QCoreApplication::processEvents();
    const QStringList cut = cutCaptions(dialog);
    EXPECT_TRUE(cut.isEmpty()) << name << ": " << cut.join(QStringLiteral(", ")).toStdString();
}

TEST(DialogCaptions, EveryDialogShowsItsCaptionsWhole)
{
    QTemporaryDir home;
    ConfigValues values;
    FakeFileDialog files;
    FakeSerialPort port;
    RecordingMessageBox messages;
    FakeSerialPortList systemPorts;
    RdWrConfig store(home.path());
    FakeMqttClient mqtt;
    DiagnosticsFlag diagnostics;

    FrmInstall install(values, files);
    install.SetFileName(QStringLiteral("/home/operator/.local/share/VELTRA/veltra-logger/logs/20261209Ls_Main_Engine.vlg"));
    expectWhole(install, "Setup Installation");
    FrmCommPort commPort(values, port, messages, home.path(), &systemPorts);
    expectWhole(commPort, "Serial port");
    FrmPassword password(values, store, messages);
    expectWhole(password, "Password");
    FrmUplink uplink(mqtt, files);
    expectWhole(uplink, "Plant uplink");
    const ParameterInfo info;
    FrmVersion version(info);
    expectWhole(version, "Evaluator Parameter Info");
    FrmAlert alert(nullptr, nullptr, nullptr, std::make_unique<FakeTimer>());
    alert.showRelay(1);
    expectWhole(alert, "Alarm info");
    FrmSplash splash;
    expectWhole(splash, "About");
    Frmlog log(diagnostics, 3);
    expectWhole(log, "Software info");
    FrmMessage_show message;
    expectWhole(message, "Message");
    frmstatustext status([] { return QStringLiteral("12-09-2026 05:35:07 Alarm Relay 1 ON"); });
    expectWhole(status, "Status");
}

} // namespace
