// The publisher over a fake client: what goes out, in which order, and
// where it starts again after an outage or a restart.
#include "support/FakeMqttClient.h"
#include "support/Fakes.h"
#include "uplink/QueueStateFile.h"
#include "uplink/UplinkPublisher.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Installation = QStringLiteral("Main_Engine");

class UplinkPublisherTest : public ::testing::Test {
protected:
    QString logDir() const { return home.path() + QStringLiteral("/logs/"); }
    QString dayFile(const char* day) const { return logDir() + QLatin1String(day) + QStringLiteral("VL_Main_Engine.vlg"); }

    void SetUp() override { QDir(home.path()).mkpath(QStringLiteral("logs")); }

    static void append(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(bytes);
    }
    // n numbered lines "#02-11-2026 10:34:25 :80SEQ,<number>".
    void appendNumbered(const QString& file, int from, int count)
    {
        QByteArray bytes;
        for (int i = from; i < from + count; ++i)
            bytes += "#02-11-2026 10:34:25 :80SEQ," + QByteArray::number(i).rightJustified(10, '0') + "\r\n";
        append(file, bytes);
    }

    std::unique_ptr<UplinkPublisher> startPublisher()
    {
        auto p = std::make_unique<UplinkPublisher>(client, clock, home.path());
        p->setRetryDelays(1, 1);
        UplinkSettings settings;
        settings.host = QStringLiteral("broker.plant");
        p->configure(settings, logDir(), Installation);
        return p;
    }

    static QJsonObject json(const MqttMessage& m) { return QJsonDocument::fromJson(m.payload).object(); }
    static QString lineOf(const MqttMessage& m) { return json(m).value(QStringLiteral("line")).toString(); }
    QStringList linesPublished() const
    {
        QStringList out;
        for (const MqttMessage& m : client.lines())
            out << lineOf(m);
        return out;
    }

    QTemporaryDir home;
    FakeClock clock; // 11 February 2026
    FakeMqttClient client;
};

TEST_F(UplinkPublisherTest, RestartResumesAfterTheLastAcknowledgedLineNotAtTheStartOfTheDay)
{
    appendNumbered(dayFile("20260211"), 1, 5);
    {
        auto publisher = startPublisher();
        client.accept();
        publisher->poll();
        ASSERT_EQ(client.lines().size(), 5);
        client.acknowledge(3);
    } // the position is saved on the way out
    EXPECT_EQ(client.lastWords.payload, "offline");

    appendNumbered(dayFile("20260211"), 6, 2);
    client.published.clear();
    client.nextToAcknowledge = 0;
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    // Lines 4 and 5 were never acknowledged: they go again, then the new ones.
    EXPECT_EQ(linesPublished(), QStringList({"#02-11-2026 10:34:25 :80SEQ,0000000004",
                                             "#02-11-2026 10:34:25 :80SEQ,0000000005",
                                             "#02-11-2026 10:34:25 :80SEQ,0000000006",
                                             "#02-11-2026 10:34:25 :80SEQ,0000000007"}));
}

TEST_F(UplinkPublisherTest, LostConnectionSendsAgainFromTheLastAcknowledgedLineOnly)
{
    appendNumbered(dayFile("20260211"), 1, 10);
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    client.acknowledge(4);
    client.fail(QStringLiteral("connection to broker.plant:1883 lost"));
    EXPECT_EQ(publisher->state().text(), QStringLiteral("6 lines waiting - connection to broker.plant:1883 lost"));
    // Logging goes on meanwhile.
    appendNumbered(dayFile("20260211"), 11, 2);
    publisher->poll();
    EXPECT_EQ(publisher->state().waiting, 8);

    ASSERT_TRUE(QTest::qWaitFor([&] { return client.opens == 2; }));
    client.published.clear();
    client.nextToAcknowledge = 0;
    client.accept();
    const QStringList again = linesPublished();
    ASSERT_EQ(again.size(), 8);
    EXPECT_TRUE(again.first().endsWith(":80SEQ,0000000005"));
    EXPECT_TRUE(again.last().endsWith(":80SEQ,0000000012"));
    client.acknowledge();
    EXPECT_EQ(publisher->state().text(), QStringLiteral("connected"));
}

TEST_F(UplinkPublisherTest, LineStillBeingWrittenWaitsForItsLineEnd)
{
    append(dayFile("20260211"), "#02-11-2026 10:34:25 Evaluator connected at Main_Engine !\r\n#02-11-2026 10:34:26 :0");
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    ASSERT_EQ(client.lines().size(), 1);
    append(dayFile("20260211"), "01E0226001900C800EB0021000000000000\r\n");
    publisher->poll();
    ASSERT_EQ(client.lines().size(), 2);
    EXPECT_EQ(lineOf(client.lines()[1]), QStringLiteral("#02-11-2026 10:34:26 :001E0226001900C800EB0021000000000000"));
    EXPECT_EQ(json(client.lines()[1]).value(QStringLiteral("offset")).toInteger(), 59);
}

TEST_F(UplinkPublisherTest, NextDaysFileFollowsOnceTheDayIsRead)
{
    appendNumbered(dayFile("20260210"), 1, 2); // before the saved position's day: not sent
    appendNumbered(dayFile("20260211"), 3, 2);
    appendNumbered(dayFile("20260213"), 5, 2);
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    QStringList numbers;
    for (const QString& line : linesPublished())
        numbers << line.right(2);
    EXPECT_EQ(numbers, QStringList({"03", "04", "05", "06"}));
    client.acknowledge();
    publisher->stop();
    const auto saved = QueueStateFile(QueueStateFile::pathFor(home.path(), Installation)).load();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->file, QStringLiteral("20260213VL_Main_Engine.vlg"));
    EXPECT_EQ(saved->offset, QFileInfo(dayFile("20260213")).size());
}

TEST_F(UplinkPublisherTest, NoMoreThanTheWindowIsOnItsWayBeforeTheBrokerAcknowledges)
{
    appendNumbered(dayFile("20260211"), 1, UplinkPublisher::Window + 700);
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    EXPECT_EQ(client.lines().size(), UplinkPublisher::Window);
    EXPECT_EQ(publisher->state().text(), QStringLiteral("2700 lines waiting"));
    client.acknowledge(UplinkPublisher::Window / 4);
    EXPECT_EQ(client.lines().size(), UplinkPublisher::Window + UplinkPublisher::Window / 4);
}

TEST_F(UplinkPublisherTest, LinesTakenBeforeTheyWereCountedAreNotWaitingForever)
{
    appendNumbered(dayFile("20260211"), 1, 3);
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    // Appended after the count; the acknowledgement sends them at once.
    appendNumbered(dayFile("20260211"), 4, 2);
    client.acknowledge();
    ASSERT_EQ(client.lines().size(), 5);
    client.acknowledge();
    publisher->poll();
    EXPECT_EQ(publisher->state().text(), QStringLiteral("connected"));
    EXPECT_EQ(publisher->state().waiting, 0);
}

TEST_F(UplinkPublisherTest, UnreadableStateFileStartsWithTodayInsteadOfFailing)
{
    QFile state(QueueStateFile::pathFor(home.path(), Installation));
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(R"({"file":"../../etc/passwd","offset":3})");
    state.close();
    appendNumbered(dayFile("20260211"), 1, 1);
    auto publisher = startPublisher();
    client.accept();
    publisher->poll();
    EXPECT_EQ(client.lines().size(), 1);
}

TEST_F(UplinkPublisherTest, StateTellsOffConnectingConnectedAndTheRefusal)
{
    UplinkPublisher publisher(client, clock, home.path());
    QSignalSpy changes(&publisher, &UplinkPublisher::stateChanged);
    publisher.configure(UplinkSettings{}, logDir(), Installation);
    EXPECT_EQ(publisher.state().text(), QStringLiteral("off"));
    EXPECT_EQ(client.opens, 0);

    UplinkSettings settings;
    settings.host = QStringLiteral("broker.plant");
    publisher.configure(settings, logDir(), Installation);
    EXPECT_EQ(publisher.state().text(), QStringLiteral("connecting"));
    client.fail(QStringLiteral("Connection Refused: not authorised."));
    EXPECT_EQ(publisher.state().text(), QStringLiteral("Connection Refused: not authorised."));
    publisher.configure(settings, logDir(), Installation); // the same again: no new session
    EXPECT_EQ(client.opens, 1);
    client.accept();
    EXPECT_EQ(publisher.state().text(), QStringLiteral("connected"));
    EXPECT_EQ(client.published.first().payload, "online");
    EXPECT_TRUE(client.published.first().retain);
    EXPECT_EQ(client.lastConnection.willPayload, "offline");
    EXPECT_EQ(client.lastConnection.willTopic, "veltra/Main_Engine/status");
    EXPECT_GE(changes.size(), 3);
}

} // namespace
