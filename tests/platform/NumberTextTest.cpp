#include "chart/Colour.h"
#include "core/NumberText.h"
#include "platform/QtDialogs.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(GeneralNumberForm, BlankBeforeNonNegativeMinusOtherwise)
{
    EXPECT_EQ(NumberText::general(12), QStringLiteral(" 12"));
    EXPECT_EQ(NumberText::general(-3), QStringLiteral("-3"));
    EXPECT_EQ(NumberText::general(0), QStringLiteral(" 0"));
    EXPECT_EQ(NumberText::general(-0.0), QStringLiteral(" 0"));
    EXPECT_EQ(NumberText::general(1234), QStringLiteral(" 1234"));
    EXPECT_EQ(NumberText::general(52.3), QStringLiteral(" 52.3"));
}

TEST(OneDecimalForm, RoundsToOneDecimalWithoutGrouping)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(NumberText::oneDecimal(23.4), QStringLiteral("23.4"));
    EXPECT_EQ(NumberText::oneDecimal(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(NumberText::oneDecimal(61.26), QStringLiteral("61.3"));
    EXPECT_EQ(NumberText::oneDecimal(0.04), QStringLiteral("0.0"));
    EXPECT_EQ(NumberText::oneDecimal(-0.04), QStringLiteral("0.0"));
    EXPECT_EQ(NumberText::oneDecimal(12345.0), QStringLiteral("12345.0"));
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(NumberText::oneDecimal(23.4), QStringLiteral("23,4"));
    QLocale::setDefault(QLocale::c());
}

TEST(LeadingNumber, ReadsTheLeadingDecimalNumberOnly)
{
    EXPECT_EQ(NumberText::leadingInt16(u"3x"), 3);
    EXPECT_EQ(NumberText::leadingInt16(u""), 0);
    EXPECT_EQ(NumberText::leadingInt16(u"abc"), 0);
    EXPECT_EQ(NumberText::leadingInt16(u" 9600"), 9600);
    EXPECT_EQ(NumberText::leadingInt16(u"-2"), -2);
    EXPECT_EQ(NumberText::leadingInt16(u"+7"), 7);
    EXPECT_EQ(NumberText::leadingInt16(u"2.5"), 2); // halves to even
    EXPECT_EQ(NumberText::leadingInt16(u"3.5"), 4);
    EXPECT_EQ(NumberText::leadingInt16(u"1e2"), 100);
    EXPECT_EQ(NumberText::leadingInt16(u"99999"), 32767); // clamped to 16 bits
    EXPECT_EQ(NumberText::leadingInt16(u"-99999"), -32768);
    EXPECT_EQ(NumberText::leadingInt16(u"."), 0);
    EXPECT_EQ(NumberText::leadingInt16(u"0034:"), 34);
}

TEST(Colours, RedIsInTheLowByte)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xC0C000), QColor(0, 0xC0, 0xC0));
    EXPECT_EQ(fromQColor(QColor(0x3E, 0x3E, 0xFF)), 0xFF3E3Eu);
}

TEST(FileDialogFilter, PipeListBecomesQtFilter)
{
    EXPECT_EQ(QtFileDialog::toQtFilter(QStringLiteral("VELTRA logfile (*.vlg)|*.vlg|Former logfile (*.log)|*.log")),
              QStringLiteral("VELTRA logfile (*.vlg);;Former logfile (*.log)"));
    EXPECT_EQ(QtFileDialog::toQtFilter(QStringLiteral("*.vlg")), QStringLiteral("*.vlg"));
}
