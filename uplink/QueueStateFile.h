#pragma once
#include "uplink/LogfileQueue.h"

#include <QString>
#include <optional>

// The position of the last line the broker acknowledged, kept in a small
// file of its own: {"file": "20260211VL_Main_Engine.vlg", "offset": 1234}.
// A save writes a temporary file beside it and renames it over the old one,
// so a crash leaves either the old position or the new one, never half a
// file.
class QueueStateFile {
public:
    explicit QueueStateFile(QString path) : path_(std::move(path)) {}

    // The file of an installation in the program's home; the name is kept
    // inside the home whatever the installation is called.
    static QString pathFor(const QString& homeDirectory, const QString& installation);

    // nullopt when there is no file or it does not hold a position.
    std::optional<QueuePosition> load() const;
    // The system's words for a failure; empty when saved.
    QString save(const QueuePosition& position) const;

    const QString& path() const { return path_; }

private:
    QString path_;
};
