#include "history/EventCollector.h"

#include "core/Record.h"

namespace {
constexpr size_t TextStart = 21; // after "#MM-DD-YYYY HH:MM:SS "

size_t withoutCr(const char* text, size_t length)
{
    return length > 0 && text[length - 1] == '\r' ? length - 1 : length;
}
} // namespace

void EventCollector::info(RowParser& parser, const char* text, size_t length)
{
    length = withoutCr(text, length);
    if (length <= TextStart)
        return;
    InfoEvent event;
    QByteArrayView named;
    if (!texts_.recognise(QByteArrayView(text + TextStart, qsizetype(length - TextStart)), event, named)
        || !parser.infoInstant(text, length, event.instant))
        return;
    if (event.kind == InfoEvent::Kind::LoggerEnded
        && !parser.namedInstant(named.data(), size_t(named.size()), event.instant, event.endedAt))
        return;
    event.lastRecord = parser.latest();
    events_.events.push_back(event);
}

void EventCollector::other(RowParser& parser, const char* text, size_t length)
{
    length = withoutCr(text, length);
    const QByteArrayView record(text + TextStart, qsizetype(length - TextStart));
    if (Record::typeOf(record) != Record::ParameterType)
        return;
    int64_t instant = 0;
    if (!parser.infoInstant(text, length, instant))
        return;
    events_.parameters = record.toByteArray();
    events_.parametersInstant = instant;
}
