#include "link/ExtendedMessagesText.h"

ExtendedMessagesText ExtendedMessagesText::appended(const QString& oldText, const QString& line)
{
    ExtendedMessagesText result;
    if (oldText.size() + line.size() <= MaxLength) {
        result.text = oldText + line;
        result.caret = int(result.text.size());
    }
    return result;
}
