#include "core/Events.h"
#include "logging/EventList.h"
#include "logging/PlainTextBox.h"
#include "support/Fakes.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// Keeps the text as written, so lengths and trimming are checked exactly.
class MemoryTextBox final : public ITextBox {
public:
    QString text() const override { return content; }
    void setText(const QString& t) override { content = t; }
    void append(const QString& t) override { content += t; }
    void moveCaretToEnd() override { ++caretMoves; }
    QString content;
    int caretMoves = 0;
};

} // namespace

TEST(EventTexts, EveryCodeHasItsTextAndPrefix)
{
    const QString expected[44] = {
        "Measure Started", "Measure Stopped", "Ready Relay ON", "Ready Relay OFF", "Alarm Relay 1 ON",
        "Alarm Relay 1 OFF", "Alarm Relay 2 ON", "Alarm Relay 2 OFF", "Sensor 3 Ready", "Sensor 3 ERROR",
        "Sensor 3 Oil Quality Prealarm ON", "Sensor 3 Oil Quality Prealarm OFF", "Sensor 3 Oil Quality Mainalarm ON",
        "Sensor 3 Oil Quality Mainalarm OFF", "Sensor 3 Temperature Prealarm ON", "Sensor 3 Temperature Prealarm OFF",
        "Sensor 3 Temperature Mainalarm ON", "Sensor 3 Temperature Mainalarm OFF", "EvaError no sensor detected",
        "EvaError clock", "EvaError LOG EEPROM", "EvaError CPU EEPROM", "Sensor 3 ERROR DAC HIGH",
        "Sensor 3 ERROR DAC LOW", "Sensor 3 ERROR DAC calibration", "Sensor 3 ERROR TRS HIGH",
        "Sensor 3 ERROR TRS DIRTY", "Sensor 3 ERROR TRS too high at DAC OFF", "Sensor 3 ERROR TEMPERATURE HIGH",
        "Sensor 3 ERROR TEMPERATURE LOW", "Sensor 3 ERROR CPU TEMPERATURE HIGH", "Sensor 3 ERROR CPU TEMPERATURE LOW",
        "Sensor 3 POWERUP BUSY", "Mainalarm confirmed by user", "Sensor 3 ALARM INHIBITED", "Sensor 3 ALARM ACTIVE",
        "Sensor 3 UNREQUESTED sensor type", " Sensor 3 Temp. diff. Prealarm ON", " Sensor 3 Temp. diff. Prealarm OFF",
        " Sensor 3 Temp. diff. Mainalarm ON", " Sensor 3 Temp. diff. Mainalarm OFF", "Pre-Alarm confirmed by user",
        "Evaluator connected", "Evaluator not connected",
    };
    for (int code = 1; code <= 44; ++code)
        EXPECT_EQ(Events::listText(code, 3), expected[code - 1]) << "code " << code;
}

TEST(EventList, LineIsTimeStampedWithCrLfAndNoHash)
{
    MemoryTextBox box;
    FakeClock clock(QDateTime(QDate(2026, 2, 11), QTime(10, 40, 3)));
    EventList list(box, clock);
    list.SetEventtext(12, 6);
    list.SetEventtext(38, 4);
    EXPECT_EQ(box.content, QStringLiteral("02-11-2026 10:40:03 Sensor 6 Oil Quality Prealarm OFF\r\n"
                                          "02-11-2026 10:40:03  Sensor 4 Temp. diff. Prealarm ON\r\n"));
}

TEST(EventList, CodesOutsideTheTableOnlyMoveTheCaret)
{
    MemoryTextBox box;
    box.content = QStringLiteral("old\r\n");
    FakeClock clock;
    EventList list(box, clock);
    for (int code : {0, 45, -1, 32767}) {
        list.SetEventtext(code, 1);
    }
    EXPECT_EQ(box.content, QStringLiteral("old\r\n"));
    EXPECT_EQ(box.caretMoves, 4);
}

TEST(EventList, KeepsTheNewest60000CharactersBeforeAppending)
{
    MemoryTextBox box;
    box.content = QStringLiteral("0123456789") + QString(60000, QLatin1Char('y'));
    ASSERT_EQ(box.content.size(), 60010);
    FakeClock clock;
    EventList list(box, clock);
    list.SetEventtext(1, 0);
    EXPECT_EQ(box.content, QString(60000, QLatin1Char('y')) + "02-11-2026 10:34:25 Measure Started\r\n");

    // Exactly 60000 is not longer than the limit: nothing is cut.
    box.content = QString(60000, QLatin1Char('z'));
    list.SetEventtext(0, 0);
    EXPECT_EQ(box.content.size(), 60000);
}

TEST(EventList, TextEditAdapterReportsCrLfLinesAndLeavesCaretAtEnd)
{
    QPlainTextEdit edit;
    PlainTextBox box(edit);
    FakeClock clock;
    EventList list(box, clock);
    list.SetEventtext(1, 0);
    list.SetEventtext(9, 2);
    EXPECT_EQ(box.text(), QStringLiteral("02-11-2026 10:34:25 Measure Started\r\n"
                                         "02-11-2026 10:34:25 Sensor 2 Ready\r\n"));
    EXPECT_EQ(edit.textCursor().position(), edit.document()->characterCount() - 1);

    edit.moveCursor(QTextCursor::Start);
    list.SetEventtext(99, 0);
    EXPECT_TRUE(edit.textCursor().atEnd());
}
