#pragma once
// Gathers the events of one logfile while its lines are read, in file
// order, stamped by the same RowParser as the records.
#include "history/FileEvents.h"
#include "history/InfoLineTexts.h"
#include "history/RowParser.h"

#include <cstddef>

class EventCollector {
public:
    explicit EventCollector(const InfoLineTexts& texts) : texts_(texts) {}

    // Goes on from an earlier reading of the same file.
    void restart(FileEvents earlier) { events_ = std::move(earlier); }
    // A line RowParser read as an info line, without its LF.
    void info(RowParser& parser, const char* text, size_t length);

    const FileEvents& events() const { return events_; }

private:
    const InfoLineTexts& texts_;
    FileEvents events_;
};
