#pragma once
#include "logging/EventSinks.h"

class IClock;
class ITextBox;

// The event list of the main window: one time-stamped line per event code,
// "MM-DD-YYYY HH:MM:SS " + text + CR LF. Keeps the newest 60000 characters so
// a logger running for months does not grow the box without bound.
// Writes no file; callers log the event in their own words.
class EventList final : public IEventSink {
public:
    static constexpr int MaxCharacters = 60000;

    EventList(ITextBox& box, const IClock& clock) : box_(box), clock_(clock) {}

    void SetEventtext(EventCode code, int sensor) override { SetEventtext(Events::number(code), sensor); }
    // Codes outside 1..44 append nothing; the caret goes to the end always.
    void SetEventtext(int code, int sensor);

private:
    ITextBox& box_;
    const IClock& clock_;
};
