#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

class IClock;
class ITimer;

// Tells whether the last run of the logger in a home ended unexpectedly,
// and when. A run writes the marker file when it begins and its last sign
// of life into it every HeartbeatMs; a normal end removes it. A marker
// found when a run begins was left by a run that ended without its end: a
// crash, kill -9, the out-of-memory killer, a power cut.
//
// The time written is the clock's (the time the logfile lines carry), as
// UTC text, not the file's modification time: a clock moved by hand or by
// a test (faketime) reads back as it was written. Each beat overwrites the
// text in place with one write of the same length, so a run killed during a
// beat leaves the old time or the new one.
class RunMarker {
public:
    static const QString FileName; // in the program's home
    static constexpr int HeartbeatMs = 1000;

    // The heartbeat timer is the marker's own; both must outlive it.
    RunMarker(QString path, const IClock& clock, ITimer& heartbeat);

    // Reads what the last run left, writes this run's marker and starts the
    // heartbeat. Returns the last sign of life of a last run that ended
    // unexpectedly (the marker's modification time when its text cannot be
    // read); nullopt after a normal end, or before the first run.
    std::optional<QDateTime> begin();
    // The normal end: stops the heartbeat and removes the marker.
    void end();

    // Why the marker could not be written or removed (the system's words);
    // empty after a success. The logger runs on without it.
    const QString& error() const { return error_; }
    const QString& path() const { return path_; }

private:
    std::optional<QDateTime> lastRunEnd() const;
    void write(bool truncate);

    QString path_;
    const IClock& clock_;
    ITimer& heartbeat_;
    QString error_;
};
