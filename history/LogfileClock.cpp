#include "history/LogfileClock.h"

#include <QCryptographicHash>
#include <QDateTime>

namespace {
constexpr int64_t Day = 86400;
constexpr int64_t Week = 7 * Day;
} // namespace

LogfileClock::LogfileClock(const QTimeZone& zone) : zone_(zone.isValid() ? zone : QTimeZone::utc()) {}

// A window spans the week of the asked seconds and two days either side,
// more than any offset, so a local time of the week and all its instants
// fall inside it.
const LogfileClock::Window& LogfileClock::windowFor(Window& window, int64_t seconds)
{
    const int64_t key = floorDiv(seconds, Week);
    if (key == window.key)
        return window;
    window.key = key;
    window.begins.clear();
    window.offsets.clear();
    const int64_t from = key * Week - 2 * Day;
    const QDateTime fromTime = QDateTime::fromSecsSinceEpoch(from, QTimeZone::utc());
    const QDateTime toTime = QDateTime::fromSecsSinceEpoch(from + Week + 4 * Day, QTimeZone::utc());
    window.begins.push_back(from);
    window.offsets.push_back(zone_.offsetFromUtc(fromTime));
    for (const QTimeZone::OffsetData& t : zone_.transitions(fromTime, toTime)) {
        const int64_t at = t.atUtc.toSecsSinceEpoch();
        if (at <= from) {
            window.offsets.back() = t.offsetFromUtc;
        } else if (t.offsetFromUtc != window.offsets.back()) {
            window.begins.push_back(at);
            window.offsets.push_back(t.offsetFromUtc);
        }
    }
    return window;
}

int LogfileClock::instantsOf(int64_t local, Stamp (&out)[2])
{
    const Window& w = windowFor(localWindow_, local);
    const size_t n = w.begins.size();
    if (n == 1) {
        out[0] = {local - w.offsets[0], w.offsets[0]};
        return 1;
    }
    int found = 0;
    for (size_t i = 0; i < n && found < 2; ++i) {
        const int64_t u = local - w.offsets[i];
        if (u >= w.begins[i] && (i + 1 == n || u < w.begins[i + 1]))
            out[found++] = {u, w.offsets[i]};
    }
    return found;
}

LogfileClock::Stamp LogfileClock::gapStamp(int64_t local)
{
    Stamp found[2];
    if (instantsOf(local, found) > 0)
        return found[0];
    const Window& w = windowFor(localWindow_, local);
    for (size_t i = 1; i < w.begins.size(); ++i) {
        const int64_t before = local - w.offsets[i - 1];
        if (before >= w.begins[i] && local - w.offsets[i] < w.begins[i])
            return {before, w.offsets[i]};
    }
    return {local - w.offsets.back(), w.offsets.back()}; // not reached with sane rules
}

int32_t LogfileClock::offsetAt(int64_t instant)
{
    const Window& w = windowFor(instantWindow_, instant);
    size_t i = w.begins.size() - 1;
    while (i > 0 && instant < w.begins[i])
        --i;
    return w.offsets[i];
}

int64_t LogfileClock::startOfDay(int64_t day)
{
    return gapStamp(day * Day).instant;
}

QByteArray LogfileClock::rulesFingerprint() const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QDateTime from = QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
    const QDateTime to = QDateTime::fromSecsSinceEpoch(int64_t(130) * 365 * Day, QTimeZone::utc());
    const auto add = [&](int64_t v) { hash.addData(QByteArrayView(reinterpret_cast<const char*>(&v), sizeof v)); };
    add(zone_.offsetFromUtc(from));
    for (const QTimeZone::OffsetData& t : zone_.transitions(from, to)) {
        add(t.atUtc.toSecsSinceEpoch());
        add(t.offsetFromUtc);
    }
    return zone_.id() + ' ' + hash.result().toHex().left(16);
}
