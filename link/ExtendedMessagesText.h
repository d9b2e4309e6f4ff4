#pragma once
#include <QString>

// The extended messages box grows by one line per record; it is emptied once
// it reaches MaxLength + 1 characters so it never holds much more than
// MaxLength characters.
struct ExtendedMessagesText {
    static constexpr int MaxLength = 60000;

    QString text;
    int caret = 0;

    // oldText followed by line, with the caret at its end; or empty with the
    // caret at 0 when that text would be longer than MaxLength.
    static ExtendedMessagesText appended(const QString& oldText, const QString& line);
};
