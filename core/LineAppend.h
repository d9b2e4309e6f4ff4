#pragma once
#include <QByteArrayView>
#include <QString>

// What became of one append to a text file.
struct AppendResult {
    enum class Status {
        Written,
        NameTooLong, // the file name is longer than the file system allows
        Failed,      // anything else: a missing folder, a full disk, no permission
    };
    Status status = Status::Written;
    QString reason; // the system's words for a failure ("No space left on device")

    bool written() const { return status == Status::Written; }
};

// Appends one line (ending in its CR LF) to a file, creating the file when it is
// missing, and closes it again. The line goes in whole or not at all: a write
// cut short (a full disk) is undone. A file that does not end in CR LF (cut
// off by a power loss, or by an older program) gets a CR LF first, so the
// new line never continues a broken one.
AppendResult appendWholeLine(const QString& fileName, QByteArrayView line);
