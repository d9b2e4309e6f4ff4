#pragma once
// The rules that turn the events of an installation's logfiles, in file
// order, into the entries of the alarm journal. They follow what the logger
// does when it writes the lines:
//
// Episodes. An alarm or relay episode runs from its ON line to its OFF line,
// across midnight and files alike (the day's new file begins with the start
// header, which is no new measurement while no stop came before it). The
// logger reports each edge once, so a second ON of an open condition adds
// nothing; an OFF whose ON lies before the first line read is passed over.
// A pre-alarm the logger held lit under a main alarm is one episode, with the
// main alarm's episode inside it.
//
// Confirmations. The pop-up is raised by the alarm relays only, and closing
// it writes one line: "Mainalarm confirmed" when relay 1 had triggered it,
// else "Pre-Alarm confirmed". A confirmation therefore belongs to the relay
// episodes that began since the pop-up was last closed: a main one to those
// of both relays, a pre-alarm one to those of relay 2; whether they have
// ended since does not matter (a confirmation may come after the end). It
// also belongs to the sensor episodes the pop-up stood over of the level the
// confirmed relays carry (relay 1 main alarms, relay 2 pre-alarms): those
// open when it opened or begun while it was up.
//
// Stops. A stop ("Measure Stopped at ... !") ends every open episode and an
// evaluator-lost period at the stop: from then on nothing was watched. The
// logger keeps its alarm memory across a stop and start within one program
// run (and then writes nothing for an alarm still on), but begins afresh
// when the program is started anew, and writes "Evaluator connected" right
// after the start then. So after a start that follows a stop: when its next
// line is "Evaluator connected" (and the evaluator was connected at the
// stop) the program was new and nothing is carried; otherwise the episodes
// the stop ended go on as new entries from the start, marked carried, and
// end with their OFF lines. The exit line ("Measure Stopped" alone) ends the
// program: its episodes are not carried.
//
// Without a stop. A start while measuring is the next day's header (a
// rollover), unless "Evaluator connected" follows it while the evaluator was
// connected: then the program had ended without a line and begun anew. Its
// episodes end, flagged, at the last sign of life before the start, and a
// stop entry marked unrecorded covers the time up to the start.
//
// The logger's unexpected end. "Logger ended unexpectedly at T !" ends every
// episode, a lost period and a stop at T (or at the last line written, if
// later), and a not-running entry runs from there to the line; "Logger
// running again" begins a stop until the next start (none when the start
// follows within AutostartSeconds: the logger starting by itself).
//
// The evaluator. A lost period runs from "Evaluator not connected" to
// "Evaluator connected" (or a stop). The logger clears its values when it
// loses the evaluator, so the alarms end with their own OFF lines then.
#include "history/InfoEvent.h"
#include "history/JournalEntry.h"

#include <vector>

class AlarmJournal {
public:
    static constexpr int64_t AutostartSeconds = 60;

    AlarmJournal();

    // The events of the files, in file order: a file's, then the end of that
    // file with its latest record instant (RowParser::NothingSeen without).
    void feed(const InfoEvent& event);
    void fileEnded(int64_t latestRecord);

    // The entries that overlap [from, to), by start; what is still open
    // ends at `to` (pass now instead of a `to` in the future).
    std::vector<JournalEntry> finish(int64_t from, int64_t to);

    // The events from which the journal can begin knowing what is on: after
    // them no alarm is on (the logger ended, or it lost the evaluator and
    // cleared its values). A reading begins at the last of these before its
    // range, or at the first file.
    static bool knowsStateAfter(const InfoEvent& event);

private:
    static constexpr int kConditions = 6 * 4 + 2; // sensor alarms, then relays 1 and 2
    static constexpr int kNone = -1;

    void event(const InfoEvent& e);
    void settle(const InfoEvent* next);
    void started(const InfoEvent& e);
    void stopped(int64_t at, bool programEnded);
    void loggerEnded(const InfoEvent& e);
    void newProgram(int64_t lastSign, int64_t start);
    void carryOver(int64_t start);
    void alarm(int condition, bool on, int64_t at);
    void confirmed(int64_t at, bool mainAlarm);
    void measuringAgain(int64_t at);

    int open(JournalKind kind, int64_t at);
    int openCondition(int condition, int64_t at);
    void close(int& entry, int64_t at);
    // Ends every open alarm episode at `at`; returns the conditions ended.
    std::vector<int> endEpisodes(int64_t at, bool byStop);
    void clearPopUp();

    std::vector<JournalEntry> entries_;
    int episode_[kConditions];
    int lost_ = kNone;
    int stop_ = kNone;
    bool stopAfterReturn_ = false; // stop_ began with "Logger running again"
    bool measuring_ = true; // until a stop says otherwise: the first line may be any
    enum class Link { Unknown, Connected, Lost } link_ = Link::Unknown;
    int64_t lastSign_;      // of life: the latest instant of any line read

    // Decided by the line after a start.
    struct AfterStart {
        bool pending = false;
        int64_t at = 0;
        int64_t lastSign = 0;        // before the start
        bool connectedAtStop = false;
    };
    AfterStart rollover_;            // a start while measuring
    AfterStart restart_;             // a start after a stop
    std::vector<int> stoppedEpisodes_; // entries the last stop ended, carried on a restart

    // The alarm pop-up: by relay (1, 2), the episodes it was raised for and
    // not yet confirmed; by level (main, pre-alarm), the sensor episodes it
    // stood over. A confirmation empties what it confirms, so each entry is
    // looked at once whatever a file holds.
    bool popUpShown() const { return !raisedBy_[0].empty() || !raisedBy_[1].empty(); }
    std::vector<int> raisedBy_[2];
    std::vector<int> shownOver_[2];
    std::vector<bool> raising_; // by entry: it is in raisedBy_
};
