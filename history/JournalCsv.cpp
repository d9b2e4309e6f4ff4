#include "history/JournalCsv.h"

#include "history/BucketCsv.h"
#include "history/JournalText.h"
#include "history/LogfileClock.h"

namespace JournalCsv {

namespace {

QByteArray timeText(int64_t instant, LogfileClock& clock)
{
    return instant == JournalEntry::None ? QByteArray() : BucketCsv::localTime(instant, clock.offsetAt(instant));
}

// RFC 4180: quoted when it holds a comma, a quote or a line break.
QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

} // namespace

QByteArray header()
{
    return "kind,sensor,quantity,level,relay,start,confirmed,end,duration_s,open,began_before,remarks\r\n";
}

void appendRow(QByteArray& out, const JournalEntry& e, LogfileClock& clock)
{
    out += JournalText::kindName(e.kind) + ',' + QByteArray::number(e.sensor) + ','
        + JournalText::quantityName(e.quantity) + ',' + JournalText::levelName(e.level) + ','
        + QByteArray::number(e.relay) + ',';
    out += timeText(e.start, clock) + ',' + timeText(e.confirmed, clock) + ','
        + (e.open ? QByteArray() : timeText(e.end, clock)) + ',';
    out += QByteArray::number(qint64(e.duration())) + ',' + (e.open ? '1' : '0') + ',' + (e.beganBefore ? '1' : '0')
        + ',' + field(JournalText::remarks(e)) + "\r\n";
}

} // namespace JournalCsv
