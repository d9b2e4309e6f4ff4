#pragma once
// Maintenance notes: user data, not cache. One plain file in the log folder,
// notes_VELTRA.txt, in the line form of the event file:
//
//   #03-14-2026 09:30:00 Note "Main_Engine" Sensor 2: Oil changed
//   #03-14-2026 09:35:00 Note "Main Engine ""B""" all sensors: Sample taken
//
// The line's time is the note's instant as local time (a note in the
// second pass of a fall-back's repeated hour reads back an hour early: the
// line form has no room for the offset). The installation
// stands in quotes (quotes in it doubled), so any name reads back as it
// was; the text runs to the line's end.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct Note {
    int64_t instant = 0; // UTC seconds
    QString installation;
    int sensor = 0; // 1..6; AllSensors for the whole installation
    QString text;   // one of NotesFile::presetTexts() or the user's own

    static constexpr int AllSensors = 0;
};

class NotesFile {
public:
    explicit NotesFile(const QString& logDir);
    QString path() const { return path_; }

    // "Oil changed", "Oil topped up", "Sample taken", "Sensor replaced".
    static QStringList presetTexts();
    // Two of them: the oil and the sensor begin anew there.
    static QString oilChanged();
    static QString sensorReplaced();

    // Appends the note as one whole line; control characters of the texts
    // are made safe as in the logfiles. False with the system's reason.
    bool append(const Note& note, QString* reason) const;
    // The notes of one installation, in the order of their instants (notes
    // of one instant in file order). Lines that do not read as notes are
    // passed over. A missing file holds no notes.
    std::vector<Note> read(const QString& installation) const;

    // The text of a note's line after its time stamp, and back.
    static QByteArray lineText(const Note& note);
    static bool parseLineText(const QString& text, Note& note);

private:
    QString path_;
};
