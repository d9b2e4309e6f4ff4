#include "history/AlarmJournal.h"

#include "core/Events.h"

#include <algorithm>

namespace {

constexpr int RelayConditions = 24; // relay r is condition 24 + r - 1

// The condition an alarm or relay line is about, and whether it began;
// -1 for any other event. Sensor conditions are (sensor - 1) * 4 + quantity
// * 2 + level, quantity 0 oil quality, 1 temperature, level 0 pre, 1 main.
int conditionOf(const InfoEvent& e, bool& on)
{
    if (e.kind != InfoEvent::Kind::Event)
        return -1;
    const int first = Events::number(EventCode::OilPreAlarmOn);
    const int last = Events::number(EventCode::TemperatureMainAlarmOff);
    if (e.code >= first && e.code <= last && e.sensor >= 1 && e.sensor <= 6) {
        const int step = e.code - first; // ON, OFF of: oil pre, oil main, temperature pre, temperature main
        on = step % 2 == 0;
        return (e.sensor - 1) * 4 + step / 2;
    }
    for (int relay = 1; relay <= 2; ++relay) {
        const EventCode onCode = relay == 1 ? EventCode::AlarmRelay1On : EventCode::AlarmRelay2On;
        const EventCode offCode = relay == 1 ? EventCode::AlarmRelay1Off : EventCode::AlarmRelay2Off;
        if (e.is(Events::number(onCode)) || e.is(Events::number(offCode))) {
            on = e.is(Events::number(onCode));
            return RelayConditions + relay - 1;
        }
    }
    return -1;
}

} // namespace

AlarmJournal::AlarmJournal() : lastSign_(InfoEvent::NoRecord)
{
    std::fill(std::begin(episode_), std::end(episode_), kNone);
}

bool AlarmJournal::knowsStateAfter(const InfoEvent& event)
{
    return event.kind == InfoEvent::Kind::ExitLine || event.kind == InfoEvent::Kind::LoggerEnded
        || event.is(Events::number(EventCode::EvaluatorNotConnected));
}

void AlarmJournal::feed(const InfoEvent& e)
{
    lastSign_ = std::max(lastSign_, e.lastRecord);
    settle(&e);
    switch (e.kind) {
    case InfoEvent::Kind::Event:
        event(e);
        break;
    case InfoEvent::Kind::ExitLine:
        stopped(e.instant, true);
        break;
    case InfoEvent::Kind::LoggerEnded:
        loggerEnded(e);
        break;
    case InfoEvent::Kind::RunningAgain:
        if (!measuring_ && stop_ == kNone) {
            stop_ = open(JournalKind::MeasurementStopped, e.instant);
            stopAfterReturn_ = true;
        }
        break;
    }
    lastSign_ = std::max(lastSign_, e.instant);
}

void AlarmJournal::fileEnded(int64_t latestRecord)
{
    lastSign_ = std::max(lastSign_, latestRecord);
}

void AlarmJournal::event(const InfoEvent& e)
{
    bool on = false;
    const int condition = conditionOf(e, on);
    if (condition >= 0) {
        alarm(condition, on, e.instant);
    } else if (e.is(Events::number(EventCode::MeasureStarted))) {
        started(e);
    } else if (e.is(Events::number(EventCode::MeasureStopped))) {
        stopped(e.instant, false);
    } else if (e.is(Events::number(EventCode::EvaluatorConnected))) {
        measuringAgain(e.instant);
        close(lost_, e.instant);
        link_ = Link::Connected;
    } else if (e.is(Events::number(EventCode::EvaluatorNotConnected))) {
        measuringAgain(e.instant);
        if (lost_ == kNone)
            lost_ = open(JournalKind::EvaluatorLost, e.instant);
        link_ = Link::Lost;
    } else if (e.is(Events::number(EventCode::MainAlarmConfirmed))) {
        confirmed(e.instant, true);
    } else if (e.is(Events::number(EventCode::PreAlarmConfirmed))) {
        confirmed(e.instant, false);
    }
}

// What a start meant is told by the line after it (`next`; none at the end).
void AlarmJournal::settle(const InfoEvent* next)
{
    const bool connectedNext = next && next->is(Events::number(EventCode::EvaluatorConnected));
    if (rollover_.pending) {
        rollover_.pending = false;
        if (connectedNext && link_ == Link::Connected)
            newProgram(rollover_.lastSign, rollover_.at);
    }
    if (restart_.pending) {
        restart_.pending = false;
        if (connectedNext && restart_.connectedAtStop) {
            stoppedEpisodes_.clear();
            clearPopUp();
        } else {
            carryOver(restart_.at);
        }
    }
}

void AlarmJournal::started(const InfoEvent& e)
{
    if (measuring_) {
        rollover_.pending = true;
        rollover_.at = e.instant;
        rollover_.lastSign = lastSign_;
        return;
    }
    measuring_ = true;
    const bool autostart = stop_ != kNone && stopAfterReturn_
        && e.instant - entries_[size_t(stop_)].start <= AutostartSeconds;
    close(stop_, autostart ? entries_[size_t(stop_)].start : e.instant); // an empty stop is left out
    restart_.pending = !stoppedEpisodes_.empty();
    restart_.at = e.instant;
}

void AlarmJournal::stopped(int64_t at, bool programEnded)
{
    if (!measuring_)
        return;
    measuring_ = false;
    const std::vector<int> ended = endEpisodes(at, true);
    close(lost_, at);
    stoppedEpisodes_ = programEnded ? std::vector<int>() : ended;
    restart_.connectedAtStop = link_ == Link::Connected;
    stop_ = open(JournalKind::MeasurementStopped, at);
    stopAfterReturn_ = false;
    entries_[size_t(stop_)].programEnded = programEnded;
    if (programEnded) {
        clearPopUp();
        link_ = Link::Unknown;
    }
}

void AlarmJournal::loggerEnded(const InfoEvent& e)
{
    // The heartbeat may lag a line or two behind the last one written.
    const int64_t at = std::min(std::max(e.endedAt, lastSign_), e.instant);
    endEpisodes(at, false);
    close(lost_, at);
    close(stop_, at);
    measuring_ = false;
    link_ = Link::Unknown;
    stoppedEpisodes_.clear();
    clearPopUp();
    int notRunning = open(JournalKind::LoggerNotRunning, at);
    close(notRunning, e.instant);
}

void AlarmJournal::newProgram(int64_t lastSign, int64_t start)
{
    endEpisodes(lastSign, false);
    close(lost_, lastSign);
    int stop = open(JournalKind::MeasurementStopped, lastSign);
    entries_[size_t(stop)].unrecorded = true;
    close(stop, start);
    clearPopUp();
}

void AlarmJournal::carryOver(int64_t start)
{
    for (const int before : stoppedEpisodes_) {
        const JournalEntry was = entries_[size_t(before)];
        const int condition = was.kind == JournalKind::AlarmRelay
            ? RelayConditions + was.relay - 1
            : (was.sensor - 1) * 4 + (was.quantity == AlarmQuantity::Temperature ? 2 : 0)
                + (was.level == AlarmStage::MainAlarm ? 1 : 0);
        if (episode_[condition] != kNone)
            continue;
        const int n = openCondition(condition, start);
        entries_[size_t(n)].carried = true;
        entries_[size_t(n)].confirmed = was.confirmed;
        if (raising_[size_t(before)]) {
            raisedBy_[was.relay - 1].push_back(n);
            raising_[size_t(n)] = true;
        }
    }
    stoppedEpisodes_.clear();
}

void AlarmJournal::alarm(int condition, bool on, int64_t at)
{
    measuringAgain(at);
    if (!on) {
        close(episode_[condition], at);
        return;
    }
    if (episode_[condition] != kNone)
        return;
    const bool relay = condition >= RelayConditions;
    if (relay && !popUpShown()) {
        // The pop-up opens over the sensor alarms on now.
        for (int c = 0; c < RelayConditions; ++c)
            if (episode_[c] != kNone)
                shownOver_[c % 2 == 1 ? 0 : 1].push_back(episode_[c]);
    }
    const int n = openCondition(condition, at);
    if (relay) {
        raisedBy_[entries_[size_t(n)].relay - 1].push_back(n);
        raising_[size_t(n)] = true;
    }
}

// A main confirmation closes what both relays raised, a pre-alarm one what
// relay 2 raised; each with the sensor alarms of its level.
void AlarmJournal::confirmed(int64_t at, bool mainAlarm)
{
    for (int relay = mainAlarm ? 1 : 2; relay <= 2; ++relay) {
        std::vector<int>& raised = raisedBy_[relay - 1];
        std::vector<int>& shown = shownOver_[relay - 1];
        if (raised.empty())
            continue;
        for (const int n : raised) {
            raising_[size_t(n)] = false;
            if (!entries_[size_t(n)].isConfirmed())
                entries_[size_t(n)].confirmed = at;
        }
        for (const int n : shown)
            if (!entries_[size_t(n)].isConfirmed() && entries_[size_t(n)].start <= at)
                entries_[size_t(n)].confirmed = at;
        raised.clear();
        shown.clear();
    }
    if (!popUpShown())
        clearPopUp();
}

// A line only the running measurement writes.
void AlarmJournal::measuringAgain(int64_t at)
{
    if (measuring_)
        return;
    measuring_ = true;
    close(stop_, at);
}

int AlarmJournal::open(JournalKind kind, int64_t at)
{
    JournalEntry e;
    e.kind = kind;
    e.start = at;
    e.end = at;
    entries_.push_back(e);
    raising_.push_back(false);
    return int(entries_.size() - 1);
}

int AlarmJournal::openCondition(int condition, int64_t at)
{
    const bool relay = condition >= RelayConditions;
    const int n = open(relay ? JournalKind::AlarmRelay : JournalKind::SensorAlarm, at);
    JournalEntry& e = entries_[size_t(n)];
    if (relay) {
        e.relay = condition - RelayConditions + 1;
    } else {
        e.sensor = condition / 4 + 1;
        e.quantity = condition % 4 < 2 ? AlarmQuantity::OilQuality : AlarmQuantity::Temperature;
        e.level = condition % 2 == 0 ? AlarmStage::PreAlarm : AlarmStage::MainAlarm;
        if (popUpShown())
            shownOver_[e.level == AlarmStage::MainAlarm ? 0 : 1].push_back(n);
    }
    episode_[condition] = n;
    return n;
}

void AlarmJournal::close(int& entry, int64_t at)
{
    if (entry == kNone)
        return;
    JournalEntry& e = entries_[size_t(entry)];
    e.end = std::max(e.start, at);
    entry = kNone;
}

std::vector<int> AlarmJournal::endEpisodes(int64_t at, bool byStop)
{
    std::vector<int> ended;
    for (int& entry : episode_) {
        if (entry == kNone)
            continue;
        JournalEntry& e = entries_[size_t(entry)];
        (byStop ? e.endedByStop : e.endedWithLogger) = true;
        ended.push_back(entry);
        close(entry, at);
    }
    return ended;
}

void AlarmJournal::clearPopUp()
{
    for (int i = 0; i < 2; ++i) {
        for (const int n : raisedBy_[i])
            raising_[size_t(n)] = false;
        raisedBy_[i].clear();
        shownOver_[i].clear();
    }
}

std::vector<JournalEntry> AlarmJournal::finish(int64_t from, int64_t to)
{
    settle(nullptr);
    for (const int n : episode_)
        if (n != kNone)
            entries_[size_t(n)].open = true;
    for (const int n : {lost_, stop_})
        if (n != kNone)
            entries_[size_t(n)].open = true;
    std::vector<JournalEntry> out;
    for (JournalEntry e : entries_) {
        if (e.open)
            e.end = std::max(e.start, to);
        if (e.start >= to || e.end < from || (e.end == from && e.start < from))
            continue;
        if (e.end > to) {
            e.end = to;
            e.open = true;
        }
        if (e.start < from) {
            e.start = from;
            e.beganBefore = true;
        }
        if (e.isConfirmed() && e.confirmed >= to)
            e.confirmed = JournalEntry::None;
        const bool period = e.kind == JournalKind::MeasurementStopped || e.kind == JournalKind::LoggerNotRunning;
        if (period && e.end == e.start && !e.open)
            continue; // a start that followed at once
        out.push_back(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const JournalEntry& a, const JournalEntry& b) {
        return a.start < b.start;
    });
    return out;
}
