#include "logging/PlainTextBox.h"

#include <QPlainTextEdit>
#include <QTextCursor>

// The document keeps paragraphs; a CR LF written into it becomes one
// paragraph break and comes back as one LF.
QString PlainTextBox::text() const
{
    QString text = edit_.toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void PlainTextBox::setText(const QString& text)
{
    edit_.setPlainText(text);
}

void PlainTextBox::append(const QString& text)
{
    QTextCursor cursor(edit_.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void PlainTextBox::moveCaretToEnd()
{
    QTextCursor cursor = edit_.textCursor();
    cursor.movePosition(QTextCursor::End);
    edit_.setTextCursor(cursor);
    edit_.ensureCursorVisible();
}
