#pragma once
// Logfile times are local times without a zone. This reads them as instants
// in one time zone (the system's unless told otherwise). The zone's offsets
// are looked up once for a window of days and kept, so a line costs a
// compare or two.
//
// Local times are counted as "local seconds": seconds since 1970-01-01
// 00:00:00 of the local calendar, as if the zone were UTC.
#include <QByteArray>
#include <QTimeZone>
#include <cstdint>
#include <vector>

class LogfileClock {
public:
    struct Stamp {
        int64_t instant = 0; // UTC seconds since 1970
        int32_t offset = 0;  // seconds east of UTC in force at that instant
    };

    explicit LogfileClock(const QTimeZone& zone = QTimeZone::systemTimeZone());

    // The instants whose local time is `local`, earliest first: one, two in
    // the hour a fall-back repeats, none in the hour a spring-forward skips.
    int instantsOf(int64_t local, Stamp (&out)[2]);
    // A local time that does not exist (skipped by a spring-forward) read
    // with the offset of before the jump: 02:30 becomes the instant shown as
    // 03:30. For any other local time: the earliest of its instants.
    Stamp gapStamp(int64_t local);
    int32_t offsetAt(int64_t instant);
    // The instant a local calendar day (days since 1970-01-01) begins.
    int64_t startOfDay(int64_t day);

    // The zone's name, and a fingerprint of its rules from 1970 to 2100: a
    // store of summaries is only good for the zone it was made in.
    QByteArray zoneId() const { return zone_.id(); }
    // The zone read in: the system's, or UTC when that is no valid zone.
    const QTimeZone& zone() const { return zone_; }
    QByteArray rulesFingerprint() const;

    static int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
    static int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

private:
    // The offsets in force over some days of UTC: segment i runs from
    // begins[i] up to begins[i + 1] (or the window's end).
    struct Window {
        int64_t key = INT64_MIN; // week number the window was made for
        std::vector<int64_t> begins;
        std::vector<int32_t> offsets;
    };
    const Window& windowFor(Window& window, int64_t seconds);

    QTimeZone zone_;
    Window localWindow_;
    Window instantWindow_;
};
