// Setup > "Plant uplink": what reaches the configuration file, and what the
// dialog tells before anything is saved.
#include "SetupFixture.h"
#include "config/FrmUplink.h"
#include "config/UplinkSetup.h"
#include "support/FakeMqttClient.h"

#include <QCheckBox>

namespace {

class UplinkSetupTest : public SetupTest {
protected:
    FakeMqttClient testClient;
    UplinkSetup setup{{store, values.ConfigFileName, runner, box, files, testClient}};
    int changes = 0;
    QMetaObject::Connection watch = QObject::connect(&setup, &UplinkSetup::settingsChanged, [this] { ++changes; });

    // Runs the menu command; `fill` types into the dialog before OK, `after`
    // looks at it after OK.
    void runWith(const std::function<void(QDialog&)>& fill, const std::function<void(QDialog&)>& after = {})
    {
        runner.answer = [fill, after](QDialog& d) {
            fill(d);
            control<QPushButton>(d, "CmdOk")->click();
            if (after)
                after(d);
        };
        setup.MenueSetupUplink_Click();
    }
};

TEST_F(UplinkSetupTest, OkStoresTheSixKeysAndAnnouncesTheChange)
{
    runWith([](QDialog& d) {
        control<QLineEdit>(d, "TxtHost")->setText(QStringLiteral(" broker.plant "));
        control<QLineEdit>(d, "TxtUser")->setText(QStringLiteral("deck3"));
        control<QLineEdit>(d, "TxtPassword")->setText(QStringLiteral("s=cret"));
        control<QCheckBox>(d, "ChkTls")->setChecked(true);
    });
    EXPECT_EQ(changes, 1);
    const UplinkSettings s = UplinkSettings::read(store, values.ConfigFileName);
    EXPECT_EQ(s.host, QStringLiteral("broker.plant"));
    EXPECT_EQ(s.portInUse(), UplinkSettings::TlsPort);
    EXPECT_EQ(s.password, QStringLiteral("s=cret"));
    EXPECT_TRUE(s.tls);
    EXPECT_TRUE(readRaw(path()).contains("\r\nMQTT_USER=deck3\r\n"));
    // The keys of the other setups are kept.
    EXPECT_EQ(key("INSTALLATION"), QStringLiteral("Main_Engine"));
}

TEST_F(UplinkSetupTest, HostTooLongToReadBackKeepsTheDialogOpenInsteadOfBeingCut)
{
    bool stillOpen = false;
    QString said;
    runWith([](QDialog& d) { control<QLineEdit>(d, "TxtHost")->setText(QString(120, QLatin1Char('h'))); },
            [&](QDialog& d) {
                stillOpen = d.isVisible() && d.result() != QDialog::Accepted;
                said = control<QLabel>(d, "LblResult")->text();
            });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(said.contains(QStringLiteral("longer than 100 characters"))) << said.toStdString();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(key("MQTT_HOST"), QString());
}

TEST_F(UplinkSetupTest, ConnectionTestShowsTheBrokersRefusalInWords)
{
    FrmUplink dialog(testClient, files);
    UplinkSettings settings;
    settings.host = QStringLiteral("broker.plant");
    settings.port = 1884;
    dialog.setSettings(settings);
    dialog.CmdTest_Click();
    EXPECT_EQ(testClient.lastConnection.port, 1884);
    EXPECT_EQ(dialog.resultText(), QStringLiteral("Connecting to broker.plant:1884 ..."));
    testClient.fail(QStringLiteral("Connection Refused: not authorised."));
    EXPECT_EQ(dialog.resultText(), QStringLiteral("Connection Refused: not authorised."));
    dialog.CmdTest_Click();
    testClient.accept();
    EXPECT_EQ(dialog.resultText(), QStringLiteral("The broker at broker.plant:1884 accepted the connection."));
    EXPECT_EQ(testClient.closes, 1);
}

} // namespace
