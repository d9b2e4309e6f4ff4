#include "history/InfoLineTexts.h"

#include "core/Events.h"
#include "core/LogLine.h"

namespace {

// Stands for the free part of a text while it is taken from the table.
const QString Free = QStringLiteral("\x01");

// "Logger ended unexpectedly at MM-DD-YYYY HH:MM:SS !" with its time free.
QString loggerEndedText()
{
    const QDateTime any(QDate(2001, 2, 3), QTime(4, 5, 6));
    return Events::loggerEndedText(any).replace(LogLine::timeStamp(any), Free);
}

// What the exit routine writes when the program ends while measuring.
const QString ExitLineText = QStringLiteral("Measure Stopped");

} // namespace

InfoLineTexts::InfoLineTexts()
{
    for (int code = Events::FirstCode; code <= Events::LastCode; ++code)
        addEvent(code);
    add(ExitLineText, {InfoEvent::Kind::ExitLine, 0, 0});
    // The lines of a logger back after an unexpected end.
    add(loggerEndedText(), {InfoEvent::Kind::LoggerEnded, 0, 0});
    add(Events::loggerRunningAgainText(Free), {InfoEvent::Kind::RunningAgain, 0, 0});
}

void InfoLineTexts::addEvent(int code)
{
    const auto event = EventCode(code);
    // Both files' texts: they differ for one event, and a line is that
    // event in either form.
    for (const auto text : {&Events::logfileText, &Events::eventfileText}) {
        const bool perSensor = text(event, 1, Free) != text(event, 2, Free);
        for (int sensor = 1; sensor <= (perSensor ? 6 : 1); ++sensor)
            add(text(event, sensor, Free), {InfoEvent::Kind::Event, int16_t(code), int8_t(perSensor ? sensor : 0)});
    }
}

void InfoLineTexts::add(const QString& text, Meaning meaning)
{
    if (text.isEmpty())
        return; // the event writes no information line
    const qsizetype free = text.indexOf(Free);
    if (free < 0) {
        exact_.insert(text.toUtf8(), meaning);
        return;
    }
    const QByteArray prefix = text.left(free).toUtf8();
    const QByteArray suffix = text.mid(free + Free.size()).toUtf8();
    for (const Template& t : templates_)
        if (t.prefix == prefix && t.suffix == suffix)
            return;
    templates_.push_back({prefix, suffix, meaning});
}

bool InfoLineTexts::recognise(QByteArrayView text, InfoEvent& event, QByteArrayView& namedTime) const
{
    const auto set = [&](const Meaning& m) {
        event.kind = m.kind;
        event.code = m.code;
        event.sensor = m.sensor;
        return true;
    };
    const auto found = exact_.constFind(text.toByteArray());
    if (found != exact_.cend())
        return set(*found);
    for (const Template& t : templates_) {
        if (text.size() >= t.prefix.size() + t.suffix.size() && text.startsWith(t.prefix)
            && text.endsWith(t.suffix)) {
            namedTime = text.sliced(t.prefix.size(), text.size() - t.prefix.size() - t.suffix.size());
            return set(t.meaning);
        }
    }
    return false;
}
