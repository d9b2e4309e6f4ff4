#include "logging/EventList.h"

#include "core/LogLine.h"
#include "logging/ITextBox.h"
#include "core/IClock.h"

void EventList::SetEventtext(int code, int sensor)
{
    const QString current = box_.text();
    if (current.size() > MaxCharacters)
        box_.setText(current.right(MaxCharacters));

    const QString text = Events::listText(code, sensor);
    if (!text.isNull())
        box_.append(LogLine::timeStamp(clock_.now()) + QLatin1Char(' ') + text + QLatin1String("\r\n"));

    box_.moveCaretToEnd();
}
