#include "SetupFixture.h"

namespace {

class PasswordSetupTest : public SetupTest {
protected:
    QLineEdit* field(QDialog& d, const char* name) { return control<QLineEdit>(d, name); }
    QPushButton* ok(QDialog& d) { return control<QPushButton>(d, "CmdOk"); }
    int result = -1;
    void run(std::function<void(QDialog&)> answer)
    {
        runner.answer = [&, answer](QDialog& d) {
            answer(d);
            result = d.result();
        };
        menus.MenueSetupPassword_Click();
    }
};

TEST_F(PasswordSetupTest, OkIsEnabledOnlyWhileTheCurrentPasswordMatchesExactly)
{
    run([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Setup Password");
        EXPECT_FALSE(ok(d)->isEnabled());
        QTest::keyClicks(field(d, "oldpasswd"), "Kesmor");
        EXPECT_FALSE(ok(d)->isEnabled());
        field(d, "oldpasswd")->clear();
        QTest::keyClicks(field(d, "oldpasswd"), "kesmo");
        EXPECT_FALSE(ok(d)->isEnabled());
        QTest::keyClicks(field(d, "oldpasswd"), "r");
        EXPECT_TRUE(ok(d)->isEnabled());
        QTest::keyClicks(field(d, "oldpasswd"), "x");
        EXPECT_FALSE(ok(d)->isEnabled());
    });
    EXPECT_EQ(key("PASSWORD"), "kesmor");
}

TEST_F(PasswordSetupTest, DifferentNewInputsAreReportedAndTheDialogStaysFilled)
{
    run([&](QDialog& d) {
        QTest::keyClicks(field(d, "oldpasswd"), "kesmor");
        QTest::keyClicks(field(d, "newpasswd"), "secret");
        QTest::keyClicks(field(d, "newpasswd2"), "SECRET");
        ok(d)->click();
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, "New password inputs different !! \r\nPlease enter password again ! ");
        EXPECT_EQ(box.shown[0].title, "");
        EXPECT_EQ(box.shown[0].icon, MessageIcon::Error);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(field(d, "newpasswd")->text(), "secret");
        EXPECT_EQ(key("PASSWORD"), "kesmor");

        field(d, "newpasswd2")->setText("secret");
        ok(d)->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(key("PASSWORD"), "secret");
    EXPECT_EQ(values.PASSWORD, "secret");

    // The fields start empty when the dialog opens again.
    run([&](QDialog& d) {
        EXPECT_EQ(field(d, "oldpasswd")->text(), "");
        EXPECT_EQ(field(d, "newpasswd")->text(), "");
        EXPECT_FALSE(ok(d)->isEnabled());
    });
}

TEST_F(PasswordSetupTest, EmptyPasswordEnablesOkOnlyAfterAnEditAndEmptyNewPasswordIsAccepted)
{
    QList<QByteArray> lines = defaultLines();
    lines[5] = "PASSWORD=";
    startWith(lines);
    run([&](QDialog& d) {
        EXPECT_FALSE(ok(d)->isEnabled());
        QTest::keyClicks(field(d, "oldpasswd"), "a");
        QTest::keyClick(field(d, "oldpasswd"), Qt::Key_Backspace);
        EXPECT_TRUE(ok(d)->isEnabled());
        ok(d)->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(readRaw(path()).count("PASSWORD=\r\n"), 1);
}

TEST_F(PasswordSetupTest, PasswordThatCannotBeSavedIsNotTakenIntoUse)
{
    QFile::remove(path());
    run([&](QDialog& d) {
        QTest::keyClicks(field(d, "oldpasswd"), "kesmor");
        QTest::keyClicks(field(d, "newpasswd"), "new");
        QTest::keyClicks(field(d, "newpasswd2"), "new");
        ok(d)->click();
        EXPECT_EQ(box.shown.size(), 1u);
        control<QPushButton>(d, "CmdCancel")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(values.PASSWORD, "kesmor");
}

} // namespace
