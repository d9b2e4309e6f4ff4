#pragma once
#include <QString>

class QSaveFile;

// Files that hold a credential (the stop password, the broker's password)
// are readable and writable by their owner alone (mode 0600), whatever the
// umask.

// Narrows an existing file to its owner. False when it cannot be (another
// user owns it, or its file system keeps no modes); nothing to do for a
// missing file.
bool narrowToOwner(const QString& path);

// Opens a QSaveFile unbuffered (see openUnbuffered) so that the file it puts
// in place is 0600 and no copy of what is written is ever readable by
// others: QSaveFile gives its temporary file the mode of the file it
// replaces, so that file is narrowed first, and a missing one is first made
// as an empty 0600 file. commit() commits the save; a save that was not
// committed leaves no such empty file behind.
//
// The QSaveFile must outlive this object and must not be opened by the
// caller.
class OwnerOnlySave {
public:
    explicit OwnerOnlySave(QSaveFile& file);
    ~OwnerOnlySave();
    OwnerOnlySave(const OwnerOnlySave&) = delete;
    OwnerOnlySave& operator=(const OwnerOnlySave&) = delete;

    // Why the file could not be opened; empty when it is open for writing.
    const QString& openError() const { return openError_; }
    // QSaveFile::commit(); its errorString() tells why it failed.
    bool commit();

private:
    QSaveFile& file_;
    QString openError_;
    bool madeEmptyFile_ = false;
    bool committed_ = false;
};
