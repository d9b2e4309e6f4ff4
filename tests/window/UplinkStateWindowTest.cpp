// The plant uplink's state as the operator reads it in the real program's
// status bar under Xvfb and openbox: the screen's pixels where the label
// is, against the label drawn with each text it can show.
#include "support/BrokerProcess.h"
#include "support/MainWindowHarness.h"
#include "support/ProgramProcess.h"
#include "window/XSession.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString MainTitle = QStringLiteral("VELTRA Data Logger Version");

// The status bar of an offscreen copy of the main window laid out for the
// real client area: where the label is, and how each text looks in it.
class StateLabelTwin {
public:
    explicit StateLabelTwin(const QRect& client)
    {
        harness_.writeConfig(MainWindowHarness::defaultConfig());
        FrmMain& w = harness_.load();
        w.show();
        w.resize(client.size());
        QCoreApplication::processEvents();
        label_ = w.findChild<QLabel*>(QStringLiteral("uplinkState"));
        if (label_)
            onScreen_ = QRect(label_->mapTo(&w, QPoint(0, 0)) + client.topLeft(), label_->size());
    }
    bool isValid() const { return label_ && !onScreen_.isEmpty(); }
    // The label's text area (its left part) on the screen.
    QRect area() const { return QRect(onScreen_.topLeft(), QSize(std::min(onScreen_.width(), 360), onScreen_.height())); }
    QImage drawn(const QString& text)
    {
        label_->setText(text);
        QCoreApplication::processEvents();
        return label_->grab(QRect(QPoint(0, 0), area().size())).toImage().convertToFormat(QImage::Format_RGB32);
    }

private:
    MainWindowHarness harness_;
    QLabel* label_ = nullptr;
    QRect onScreen_;
};

// Mean difference of grey values, 0..255.
double difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    const int w = std::min(a.width(), b.width()), h = std::min(a.height(), b.height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return w > 0 && h > 0 ? sum / (double(w) * h) : 255;
}

class UplinkStateWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (x.toolsMissing())
            GTEST_SKIP() << x.why().toStdString();
        ASSERT_TRUE(x.isUp()) << x.why().toStdString();
        if (!BrokerProcess::missingTools().isEmpty())
            GTEST_SKIP() << BrokerProcess::missingTools().toStdString();
    }

    // Starts the logger with these extra settings and waits for its window.
    void startLogger(const QStringList& uplink)
    {
        home.writeConfig(home.defaultConfig(true) + uplink);
        ASSERT_TRUE(logger.start(home, x.environment()));
        const unsigned long main = x.waitForMaximized(MainTitle, 20000);
        ASSERT_NE(main, 0u) << logger.output().toStdString();
        twin = std::make_unique<StateLabelTwin>(x.clientRect(main));
        ASSERT_TRUE(twin->isValid());
    }

    // The text among `candidates` that the screen shows, once it shows one
    // clearly (far closer to it than to any other).
    QString shown(const QStringList& candidates, const QString& expected)
    {
        std::map<QString, QImage> drawn;
        for (const QString& c : candidates)
            drawn[c] = twin->drawn(QStringLiteral("Plant uplink: ") + c);
        QString best;
        waitUntil(
            [&] {
                const QImage screen = x.screen().copy(twin->area()).convertToFormat(QImage::Format_RGB32);
                std::map<double, QString> byDifference;
                for (const auto& [text, image] : drawn)
                    byDifference[difference(screen, image)] = text;
                const auto first = byDifference.begin();
                best = first->second;
                return best == expected && first->first * 2 < std::next(first)->first;
            },
            15000);
        return best;
    }

    XSession x;
    ProgramHome home;
    SimulatorProcess sim;
    LoggerProcess logger;
    std::unique_ptr<StateLabelTwin> twin;
    const QStringList texts{QStringLiteral("off"), QStringLiteral("connecting"), QStringLiteral("connected"),
                            QStringLiteral("12 lines waiting")};
};

TEST_F(UplinkStateWindowTest, StatusBarReadsOffWithoutABrokerAndConnectedWithOne)
{
    ASSERT_TRUE(sim.start(home.serialLink()));
    ASSERT_NO_FATAL_FAILURE(startLogger({}));
    EXPECT_EQ(shown(texts, QStringLiteral("off")), QStringLiteral("off"));
    logger.kill();

    BrokerProcess broker;
    ASSERT_TRUE(broker.start()) << broker.output().toStdString();
    ASSERT_NO_FATAL_FAILURE(startLogger({QStringLiteral("MQTT_HOST=127.0.0.1"),
                                         QStringLiteral("MQTT_PORT=%1").arg(broker.port()),
                                         QStringLiteral("MQTT_USER=") + QLatin1String(BrokerProcess::User),
                                         QStringLiteral("MQTT_PASSWORD=") + QLatin1String(BrokerProcess::Password)}));
    EXPECT_EQ(shown(texts, QStringLiteral("connected")), QStringLiteral("connected"));
}

} // namespace
