// The uplink against Debian's mosquitto: several installations collected
// over TLS with passwords, as the README's mosquitto_sub shows them, and
// the faults a plant meets (refused credentials, an unknown host, a broker
// that accepts and stays silent), after which nothing is missing.
#include "platform/MosquittoClient.h"
#include "support/BrokerProcess.h"
#include "support/Fakes.h"
#include "support/MqttSubscriber.h"
#include "support/ProgramProcess.h"
#include "core/LogLine.h"
#include "uplink/UplinkPublisher.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

class BrokerUplinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString missing = BrokerProcess::missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        QDir(home.path()).mkpath(QStringLiteral("logs"));
    }
    QString logDir() const { return home.path() + QStringLiteral("/logs/"); }

    // Numbered lines in today's file of an installation, as the writer appends them.
    void log(const QString& installation, int from, int count)
    {
        QFile f(logDir() + LogLine::logfileName(QString(), LogLine::fileDate(clock.now()), installation));
        ASSERT_TRUE(f.open(QIODevice::Append));
        for (int i = from; i < from + count; ++i)
            f.write("#02-11-2026 10:34:25 :80SEQ," + QByteArray::number(i).rightJustified(10, '0') + "\r\n");
    }

    std::unique_ptr<UplinkPublisher> publisher(MosquittoClient& client, const QString& installation,
                                               const UplinkSettings& settings)
    {
        auto p = std::make_unique<UplinkPublisher>(client, clock, home.path());
        p->setRetryDelays(100, 200);
        p->setAnswerSeconds(1);
        p->configure(settings, logDir(), installation);
        return p;
    }

    static UplinkSettings plain(int port, const QString& password = QLatin1String(BrokerProcess::Password))
    {
        UplinkSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = port;
        s.user = QLatin1String(BrokerProcess::User);
        s.password = password;
        return s;
    }

    // The numbers of the SEQ lines received, without repeats.
    static std::set<int> numbersReceived(const MqttSubscriber& sub)
    {
        std::set<int> numbers;
        for (const auto& m : sub.received()) {
            const QString line = QJsonDocument::fromJson(m.payload).object().value(QStringLiteral("line")).toString();
            const qsizetype at = line.indexOf(QStringLiteral("SEQ,"));
            if (at >= 0)
                numbers.insert(line.mid(at + 4).toInt());
        }
        return numbers;
    }

    static bool waitForState(const UplinkPublisher& p, const QString& part)
    {
        return waitUntil([&] { return p.state().text().contains(part); }, 15000);
    }

    QTemporaryDir home;
    FakeClock clock{QDateTime::currentDateTime()};
};

TEST_F(BrokerUplinkTest, InstallationsCollectedOverTlsWithPasswordsAsMosquittoSubShowsThem)
{
    BrokerProcess::Options tls;
    tls.tls = true;
    BrokerProcess broker(tls);
    ASSERT_TRUE(broker.start()) << broker.output().toStdString();
    UplinkSettings settings = plain(broker.port());
    settings.host = QStringLiteral("localhost");
    settings.tls = true;
    settings.caFile = broker.caFile();

    log(QStringLiteral("Main_Engine"), 1, 3);
    log(QStringLiteral("Deck/2+"), 1, 3);
    MosquittoClient mainClient, deckClient;
    auto main = publisher(mainClient, QStringLiteral("Main_Engine"), settings);
    auto deck = publisher(deckClient, QStringLiteral("Deck/2+"), settings);
    ASSERT_TRUE(waitForState(*main, QStringLiteral("connected"))) << main->state().text().toStdString();
    ASSERT_TRUE(waitForState(*deck, QStringLiteral("connected"))) << deck->state().text().toStdString();

    // The README's command: the retained "online" of both shows it is
    // subscribed; the lines logged after it arrive live.
    QProcess sub;
    sub.start(QStringLiteral("mosquitto_sub"),
              {QStringLiteral("-h"), QStringLiteral("localhost"), QStringLiteral("-p"), QString::number(broker.port()),
               QStringLiteral("--cafile"), broker.caFile(), QStringLiteral("-u"), QLatin1String(BrokerProcess::User),
               QStringLiteral("-P"), QLatin1String(BrokerProcess::Password), QStringLiteral("-t"),
               QStringLiteral("veltra/#"), QStringLiteral("-v"), QStringLiteral("-C"), QStringLiteral("4")});
    QByteArray out;
    ASSERT_TRUE(waitUntil([&] { return (out += sub.readAllStandardOutput()).count("/status online") == 2; }, 10000))
        << out.toStdString() << sub.readAllStandardError().toStdString();
    log(QStringLiteral("Main_Engine"), 4, 1);
    log(QStringLiteral("Deck/2+"), 4, 1);
    // The publishers share this thread: it keeps running while it waits.
    ASSERT_TRUE(waitUntil([&] { return sub.state() == QProcess::NotRunning; }, 10000)) << out.toStdString();
    out += sub.readAllStandardOutput();
    EXPECT_TRUE(out.contains("veltra/Main_Engine/status online\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("veltra/Deck_2_/status online\n"));
    EXPECT_TRUE(out.contains("veltra/Main_Engine/record {\"file\":\"")) << out.toStdString();
    EXPECT_TRUE(out.contains("veltra/Deck_2_/record {"));
    EXPECT_TRUE(out.contains(":80SEQ,0000000004\""));
    EXPECT_EQ(main->state().text(), QStringLiteral("connected"));
}

TEST_F(BrokerUplinkTest, RefusedUnknownOrSilentBrokerIsNamedAndNothingIsLostOnceItIsFixed)
{
    QTcpServer silent; // accepts connections and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    BrokerProcess::Options onThatPort;
    onThatPort.port = silent.serverPort();
    BrokerProcess broker(onThatPort);

    MosquittoClient client;
    log(QStringLiteral("Main_Engine"), 1, 10);
    auto p = publisher(client, QStringLiteral("Main_Engine"), plain(silent.serverPort()));
    ASSERT_TRUE(waitForState(*p, QStringLiteral("does not answer"))) << p->state().text().toStdString();
    EXPECT_EQ(p->state().text(), QStringLiteral("10 lines waiting - the broker at 127.0.0.1:%1 does not answer")
                                     .arg(silent.serverPort()));

    UplinkSettings unknown = plain(broker.port());
    unknown.host = QStringLiteral("no-such-host.invalid");
    p->configure(unknown, logDir(), QStringLiteral("Main_Engine"));
    ASSERT_TRUE(waitForState(*p, QStringLiteral("unknown host no-such-host.invalid")));
    log(QStringLiteral("Main_Engine"), 11, 10); // logging goes on

    silent.close();
    ASSERT_TRUE(broker.start()) << broker.output().toStdString();
    MqttSubscriber historian(QStringLiteral("historian"), false);
    ASSERT_TRUE(historian.start(broker.port(), QLatin1String(BrokerProcess::User),
                                QLatin1String(BrokerProcess::Password)));
    p->configure(plain(broker.port(), QStringLiteral("wrong")), logDir(), QStringLiteral("Main_Engine"));
    ASSERT_TRUE(waitForState(*p, QStringLiteral("20 lines waiting - Connection Refused: not authorised.")))
        << p->state().text().toStdString();
    log(QStringLiteral("Main_Engine"), 21, 10);

    p->configure(plain(broker.port()), logDir(), QStringLiteral("Main_Engine"));
    ASSERT_TRUE(waitUntil([&] { return numbersReceived(historian).size() == 30; }, 15000))
        << numbersReceived(historian).size() << " " << p->state().text().toStdString();
    EXPECT_EQ(*numbersReceived(historian).begin(), 1);
    EXPECT_EQ(*numbersReceived(historian).rbegin(), 30);
    EXPECT_TRUE(waitForState(*p, QStringLiteral("connected")));
}

} // namespace
