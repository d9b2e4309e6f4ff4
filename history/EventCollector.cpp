#include "history/EventCollector.h"

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
