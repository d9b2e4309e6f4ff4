#pragma once
#include "platform/IMqttClient.h"
#include "uplink/EventLookup.h"
#include "uplink/Topics.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A whole line of a data logfile, as the queue hands it out.
struct QueuedLine {
    QString file;        // the logfile's name in the log directory
    qint64 offset = 0;   // where the line starts in the file
    qint64 end = 0;      // just past its line end
    QByteArray bytes;    // the line without its CR LF
};

// Turns logfile lines into the uplink's messages, all JSON objects that
// carry "file" and "offset" (a subscriber drops repeats by them), "line"
// (as logged) and "time" (the reception time in ISO 8601 with offset):
//   record      evaluator records; sensor records add "sensor", the five
//               values in their units and the three status words
//   parameters  parameter records (retained), with the decoded fields
//   event       information lines: "text", and "code" and "sensor" when
//               the text is a known event
class Payloads {
public:
    explicit Payloads(const QString& installation);

    MqttMessage messageFor(const QueuedLine& line) const;
    const Topics::Set& topics() const { return topics_; }

private:
    QString timeText(const QDateTime& receivedAt) const;

    Topics::Set topics_;
    EventLookup events_;
    // Many lines share a second: its text is worked out once.
    mutable QDateTime lastTime_;
    mutable QString lastTimeText_;
};
