#include "display/ControlsFixture.h"
#include "support/RecordingSinks.h"
#include "display/AlarmPopup.h"
#include "display/AlarmTracker.h"
#include "display/FrmAlert.h"
#include "link/MeasurementState.h"
#include "chart/Colour.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct AlarmPopupTest : ::testing::Test {
    ~AlarmPopupTest() override { flushDeletes(); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static bool shown(const QWidget* w) { return !w->isHidden(); }
    uint32_t background() const { return fromQColor(popup.window()->palette().color(QPalette::Window)); }

    RecordingSinks sinks;
    RecordingSound sound;
    FakeTimer* timer = nullptr;
    int windowsLoaded = 0;
    AlarmPopup popup{&sinks, &sinks, &sound, [this] {
                         auto t = std::make_unique<FakeTimer>();
                         timer = t.get();
                         ++windowsLoaded;
                         return t;
                     }};
};

TEST_F(AlarmPopupTest, MainAlarmBlinksStartingWithAlarmPhase)
{
    popup.open(1);
    FrmAlert* w = popup.window();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Alarm info"));
    EXPECT_TRUE(shown(w->Lbl_relay));
    EXPECT_FALSE(shown(w->Lbl_relay2));
    EXPECT_EQ(w->Lbl_relay->text(), QStringLiteral("Main Alarm Relay triggered!"));
    EXPECT_EQ(timer->interval(), 750);
    EXPECT_TRUE(timer->isEnabled());
    EXPECT_EQ(background(), 0xE0E0E0u);

    timer->fire();
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("688dv4.wav")});
    EXPECT_EQ(background(), 0x0000FFu);
    EXPECT_TRUE(shown(w->Image1));
    EXPECT_TRUE(shown(w->Image2));
    // Red, as dark as its light ground needs.
    const uint32_t attention = fromQColor(w->Lbl_attention->palette().color(QPalette::WindowText));
    EXPECT_EQ(attention & 0xFFFF00u, 0u);
    EXPECT_GE(Contrast::ratio(attention, 0xE0E0E0), Contrast::Readable);

    timer->fire();
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_EQ(sound.played.size(), 1);
    EXPECT_EQ(background(), 0xE0E0E0u);
    EXPECT_FALSE(shown(w->Image1));
    EXPECT_EQ(fromQColor(w->Lbl_attention->palette().color(QPalette::WindowText)), 0u);

    timer->fire();
    EXPECT_EQ(sound.beeps, 2);
    EXPECT_EQ(sound.played.size(), 2);
    EXPECT_TRUE(sinks.calls.isEmpty());
}

TEST_F(AlarmPopupTest, PreAlarmOnlyPlaysItsSoundAndConfirmsWithItsOwnTexts)
{
    popup.open(2);
    FrmAlert* w = popup.window();
    EXPECT_FALSE(shown(w->Lbl_relay));
    EXPECT_TRUE(shown(w->Lbl_relay2));
    timer->fire();
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("625ppalm.wav")});

    w->CmdAck->click();
    EXPECT_EQ(sinks.take(), (QStringList{QStringLiteral("info Pre-Alarm confirmed by user!"),
                                         QStringLiteral("evt Pre-Aalarm confirmed by user!"),
                                         QStringLiteral("event 42/0")}));
    EXPECT_EQ(popup.window(), nullptr);
}

TEST_F(AlarmPopupTest, CloseBoxConfirmsLikeTheButtonAndOnlyOnce)
{
    popup.open(2);
    popup.open(1); // both shown: the main alarm confirmation wins
    EXPECT_EQ(windowsLoaded, 1);
    FakeTimer* blink = timer;
    FrmAlert* w = popup.window();
    w->close();
    EXPECT_FALSE(blink->isEnabled());
    w->close();
    EXPECT_EQ(sinks.take(), (QStringList{QStringLiteral("info Mainalarm confirmed by user!"),
                                         QStringLiteral("evt Mainalarm confirmed by user!"),
                                         QStringLiteral("event 34/0")}));
}

TEST_F(AlarmPopupTest, ProgramEndClosesThePopupWithoutAConfirmationNobodyGave)
{
    popup.open(1);
    FakeTimer* blink = timer;
    popup.dismiss();
    EXPECT_TRUE(sinks.calls.isEmpty());
    EXPECT_FALSE(blink->isEnabled());
    EXPECT_EQ(popup.window(), nullptr);
}

TEST_F(AlarmPopupTest, EdgeAfterClosingLoadsFreshWindowWithOnlyItsLabel)
{
    popup.open(1);
    popup.window()->CmdAck->click();
    // A new edge before the old window is gone still gets a fresh one.
    popup.open(2);
    EXPECT_EQ(windowsLoaded, 2);
    FrmAlert* w = popup.window();
    ASSERT_TRUE(w);
    EXPECT_FALSE(shown(w->Lbl_relay));
    EXPECT_TRUE(shown(w->Lbl_relay2));
    flushDeletes();
    EXPECT_EQ(popup.window(), w);
    timer->fire();
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("625ppalm.wav")});
}

TEST_F(AlarmPopupTest, ConfirmedWhileRelayStaysOnDoesNotReopen)
{
    ControlsFixture f;
    MeasurementState state;
    state.evaluatorConnected = true;
    AlarmTracker tracker(f.c, state, &sinks, &sinks);
    QObject::connect(&tracker, &AlarmTracker::alarmRelayOn, [this](int relay) { popup.open(relay); });

    state.value(1, Slot::StatusWord) = 0x80;
    tracker.track();
    ASSERT_TRUE(popup.window());
    popup.window()->CmdAck->click();
    tracker.track();
    tracker.track();
    EXPECT_EQ(popup.window(), nullptr);
    EXPECT_EQ(windowsLoaded, 1);

    state.value(1, Slot::StatusWord) = 0;
    tracker.track();
    state.value(1, Slot::StatusWord) = 0x80;
    tracker.track();
    EXPECT_TRUE(popup.window());
    EXPECT_EQ(windowsLoaded, 2);
}

} // namespace
