#pragma once
#include "core/Events.h"

#include <QHash>
#include <QString>
#include <optional>

// Finds the event behind an information line of the data logfile, for the
// texts one installation writes.
class EventLookup {
public:
    struct Event {
        EventCode code;
        int sensor; // 1..6 for per-sensor events, 0 otherwise
    };

    explicit EventLookup(const QString& installation);

    // The event whose information line reads exactly `text`; nullopt for the
    // sensor name lines and any other text.
    std::optional<Event> find(const QString& text) const;

private:
    QHash<QString, Event> byText_;
};
