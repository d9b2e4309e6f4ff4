#include "support/MainWindowHarness.h"

#include "app/InfoWindows.h"

#include <QLabel>
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(InfoWindows, AboutShowsProductAndVersionWithSixBlanks)
{
    FrmSplash splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(splash.LblVersion->text(), QStringLiteral("Version 1.03_1      22/01/2026"));
    EXPECT_EQ(splash.lblProductName->text(), QStringLiteral("VELTRA Data Logger"));
    EXPECT_FALSE(splash.Image1->isHidden());
    splash.show();
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_EQ(splash.result(), QDialog::Accepted);
}

TEST(InfoWindows, SoftwareInfoHidesDiagnosticsOnEveryLoad)
{
    DiagnosticsFlag flag;
    {
        Frmlog log(flag, 0);
        EXPECT_EQ(log.windowTitle(), QStringLiteral("Software info "));
        EXPECT_EQ(log.Lbllogtype->text(), QStringLiteral("one system"));
        EXPECT_EQ(log.Lbldate->text(), QStringLiteral("  22/01/2026"));
        EXPECT_EQ(log.Lbl_build->text(), QStringLiteral("B1"));
        EXPECT_EQ(log.Lbldev->text(), log.Lblprog->text());
        EXPECT_EQ(log.Lbl_rserr1->text(), QStringLiteral("0"));
        EXPECT_TRUE(log.Lbl_rserr1->isHidden());

        // Three double-clicks leave the labels shown.
        log.Lbl_build_DblClick();
        log.Lbl_build_DblClick();
        log.Lbl_build_DblClick();
        EXPECT_FALSE(log.Lbl_nSek->isHidden());
        EXPECT_FALSE(log.Lbl_NSekold->isHidden());
        EXPECT_FALSE(log.Lbl_rserr1->isHidden());
        EXPECT_TRUE(flag.DiagnosticsShown);
    }
    // Reopened while the flag is set: the first double-click only flips it.
    Frmlog again(flag, 7);
    EXPECT_TRUE(again.Lbl_nSek->isHidden());
    EXPECT_EQ(again.Lbl_rserr1->text(), QStringLiteral("7"));
    QTest::mouseDClick(again.Lbl_build, Qt::LeftButton);
    EXPECT_TRUE(again.Lbl_nSek->isHidden());
    EXPECT_FALSE(flag.DiagnosticsShown);
    again.Lbl_build_DblClick();
    EXPECT_FALSE(again.Lbl_nSek->isHidden());
}

TEST(InfoWindows, MainWindowOpensThemFromTitleLabelAndMenu)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = h.load();
    QStringList titles;
    h.dialogs.answer = [&](QDialog& d) {
        titles << d.windowTitle();
        if (auto* ok = d.findChild<QPushButton*>(QStringLiteral("Cmd_ok")))
            ok->click();
    };
    QTest::mouseDClick(w.widgets().Lbl_name, Qt::LeftButton);
    w.widgets().about->trigger();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Software info "), QStringLiteral("About")}));
    EXPECT_EQ(w.widgets().Lbl_name->text(), QStringLiteral("Data Logger"));
}

TEST(InfoWindows, StatusAndParameterWindowsOpenFromTheMainWindow)
{
    MainWindowHarness h;
    h.writeConfig(MainWindowHarness::defaultConfig());
    FrmMain& w = h.load();
    w.controls().Txt_event->setPlainText(QStringLiteral("02-11-2026 10:34:25 Measure Started"));
    QString copied;
    QStringList titles;
    h.dialogs.answer = [&](QDialog& d) {
        titles << d.windowTitle();
        if (auto* status = d.findChild<QPlainTextEdit*>(QStringLiteral("Text_status")))
            copied = status->toPlainText();
    };
    QTest::mouseDClick(w.controls().Txt_event->viewport(), Qt::LeftButton);
    EXPECT_EQ(copied, QStringLiteral("02-11-2026 10:34:25 Measure Started"));
    w.widgets().MenueVers->trigger();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Status window"), QStringLiteral("Evaluator Parameter Info")}));
}
