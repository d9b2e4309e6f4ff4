#include "support/MainWindowHarness.h"

#include "app/WindowFit.h"
#include "display/ElidedLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QScrollArea>
#include <QGroupBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

TEST(MainWindowControls, ControlsWithoutCaptionsHaveAccessibleNames)
{
    MainWindowHarness h;
    FrmMain& w = h.create();
    auto named = [&](const QString& objectName) { return w.findChild<QWidget*>(objectName); };
    EXPECT_EQ(named(QStringLiteral("TextGauge_0"))->accessibleName(), QStringLiteral("Sensor 1 reading"));
    EXPECT_EQ(named(QStringLiteral("TextGauge_5"))->accessibleName(), QStringLiteral("Sensor 6 reading"));
    EXPECT_EQ(named(QStringLiteral("Txt_event"))->accessibleName(), QStringLiteral("Event list"));
    EXPECT_EQ(named(QStringLiteral("TextMessages"))->accessibleName(), QStringLiteral("Latest evaluator line"));
    EXPECT_EQ(named(QStringLiteral("Txt_ComError"))->accessibleName(), QStringLiteral("Serial port status"));
    EXPECT_EQ(named(QStringLiteral("LED_RDY"))->accessibleName(), QStringLiteral("Ready Relay lamp"));
    EXPECT_EQ(named(QStringLiteral("LED_Alarm"))->accessibleName(), QStringLiteral("Alarm Relay 1 lamp"));
    EXPECT_EQ(named(QStringLiteral("LED_Prealarm"))->accessibleName(), QStringLiteral("Alarm Relay 2 lamp"));
    EXPECT_EQ(named(QStringLiteral("sled_rdy_2"))->accessibleName(), QStringLiteral("Sensor 3 ready lamp"));
    EXPECT_EQ(named(QStringLiteral("oled_palm_0"))->accessibleName(), QStringLiteral("Sensor 1 oil pre-alarm lamp"));
    EXPECT_EQ(named(QStringLiteral("oled_malm_0"))->accessibleName(), QStringLiteral("Sensor 1 oil main alarm lamp"));
    EXPECT_EQ(named(QStringLiteral("tled_palm_5"))->accessibleName(),
              QStringLiteral("Sensor 6 temperature pre-alarm lamp"));
    EXPECT_EQ(named(QStringLiteral("tled_malm_5"))->accessibleName(),
              QStringLiteral("Sensor 6 temperature main alarm lamp"));
    EXPECT_EQ(named(QStringLiteral("iLinearGaugeX1_3"))->accessibleName(), QStringLiteral("Sensor 4 gauge"));
}

TEST(MainWindowControls, DesignTimeStatesAndMenus)
{
    MainWindowHarness h;
    FrmMain& w = h.create();
    MainControls& c = w.controls();
    for (int s = 1; s <= 6; ++s)
        EXPECT_TRUE(c.CheckShow[s]->isChecked()) << s;
    EXPECT_TRUE(c.OptionScaleX[1]->isChecked());
    EXPECT_TRUE(c.OptionScaleChart[3]->isChecked());
    EXPECT_TRUE(c.OptionScaleGauge[4]->isChecked());
    EXPECT_TRUE(c.OptionDisplayGauge[4]->isChecked());
    EXPECT_EQ(c.CmdShowNone->text(), QStringLiteral("Show none in chart"));
    EXPECT_EQ(c.cmd_zoom_xy->text(), QStringLiteral("Enlarge XY graph"));
    EXPECT_EQ(c.cmd_ext->text(), QStringLiteral("extended"));
    EXPECT_FALSE(c.MenueEva->menuAction()->isVisible());
    QStringList file;
    for (QAction* a : c.MenueFile->actions())
        if (!a->isSeparator())
            file << a->text();
    EXPECT_EQ(file, (QStringList{QStringLiteral("Load"), QStringLiteral("History\u2026"), QStringLiteral("Unload"),
                                 QStringLiteral("Stop Loading"), QStringLiteral("Swap Month-Day"),
                                 QStringLiteral("Add note\u2026"), QStringLiteral("Journal\u2026"),
                                 QStringLiteral("Report\u2026"), QStringLiteral("Print xy diagram"),
                                 QStringLiteral("Export"), QStringLiteral("Exit")}));
    QStringList exports;
    for (QAction* a : h.window->widgets().MenuFileExport->actions())
        exports << a->text();
    EXPECT_EQ(exports, (QStringList{QStringLiteral("Chart as PNG..."), QStringLiteral("Chart as PDF..."),
                                    QStringLiteral("Data as CSV..."), QStringLiteral("CSV for spreadsheets")}));
    QStringList setup;
    for (QAction* a : c.MenueSetup->actions())
        setup << a->text();
    EXPECT_EQ(setup, (QStringList{QStringLiteral("Setup Serial port"), QStringLiteral("Setup Installation"),
                                  QStringLiteral("Setup Password"), QStringLiteral("Keep logger running"),
                                  QStringLiteral("Daily reports"), QStringLiteral("Plant uplink")}));
    // Without a way to run systemctl the item is shown but cannot be used.
    EXPECT_TRUE(h.window->widgets().MenueSetupKeepRunning->isCheckable());
    EXPECT_FALSE(h.window->widgets().MenueSetupKeepRunning->isEnabled());
}

TEST(MainWindowControls, ChartSitsLeftOfTheGaugePanel)
{
    MainWindowHarness h;
    FrmMain& w = h.create();
    w.layoutFor(WindowShowState::Normal, QSize(1272, 740));
    const QWidget* frame1 = w.controls().Frame1;
    const QWidget* tabs = w.widgets().SSTab1;
    EXPECT_LT(frame1->geometry().right(), tabs->geometry().left());
    EXPECT_EQ(frame1->height(), 603); // 9045 twips at 96 dpi
    EXPECT_EQ(w.widgets().gaugeWidget[0]->height(), 404); // 6065 twips
}

TEST(MainWindowControls, SmallNormalWindowScrollsToEveryControlInsteadOfPushingThemOut)
{
    MainWindowHarness h;
    FrmMain& w = h.create();
    w.show();
    w.resize(800, 540);
    QCoreApplication::processEvents();
    ASSERT_LT(w.widgets().scroll->viewport()->width(), 800);
    const QRect content = w.widgets().central->rect();
    EXPECT_GE(content.width(), 1270);
    for (const QWidget* widget : w.widgets().central->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->isHidden())
            continue;
        const QRect place(widget->mapTo(w.widgets().central, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(content.contains(place)) << widget->objectName().toStdString();
    }
}

TEST(MainWindowControls, RestoredWindowIsFittedIntoTheScreensFreeArea)
{
    const QRect screen(0, 0, 1280, 800);
    const QMargins frame(1, 20, 1, 5);
    EXPECT_EQ(WindowFit::fitClient(screen, frame, QRect(0, 19, 1280, 781)), QRect(1, 20, 1278, 775));
    EXPECT_EQ(WindowFit::fitClient(screen, frame, QRect(900, 600, 640, 400)), QRect(639, 395, 640, 400));
    EXPECT_EQ(WindowFit::fitClient(screen, frame, QRect(100, 100, 640, 400)), QRect(100, 100, 640, 400));
}

// A typed sensor name longer than its column is drawn cut with an ellipsis;
// the label keeps its first 14 characters and the tool tip the whole name.
TEST(MainWindowControls, LongSensorNameIsElidedWithTheWholeNameInItsToolTip)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig() << QStringLiteral("LBL_S2=Gearbox oil bearing"));
    FrmMain& w = h.load();
    w.show();
    QCoreApplication::processEvents();
    const MainControls& c = w.controls();
    auto* name = qobject_cast<ElidedLabel*>(c.Lbl_sname[1]);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Gearbox oil be"));
    EXPECT_EQ(name->toolTip(), QStringLiteral("Gearbox oil bearing"));
    EXPECT_TRUE(name->elided());
    EXPECT_FALSE(qobject_cast<ElidedLabel*>(c.Lbl_sname[0])->elided());
}
