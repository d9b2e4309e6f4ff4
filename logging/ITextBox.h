#pragma once
#include <QString>

// A multi-line text box that the logic appends to (the event list, the
// extended messages box). Its text uses CR LF line ends, whatever the widget
// keeps inside, so lengths count the way the lines were written.
class ITextBox {
public:
    virtual ~ITextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual void append(const QString& text) = 0;
    // Puts the caret after the last character, so the newest line is visible.
    virtual void moveCaretToEnd() = 0;
};
