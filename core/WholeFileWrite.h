#pragma once
#include <QByteArray>
#include <QString>

class QFileDevice;
class QSaveFile;

// Opens a QSaveFile for writing without Qt's buffer, so every write reaches
// the system at once: QSaveFile::commit() reports success when only its
// final flush fails (a full disk), and puts an empty or cut file in place.
// Returns the reason when it cannot be opened, else nothing.
QString openUnbuffered(QSaveFile& file);

// Writes all of `bytes`. A disk that fills up takes part of a write without
// an error; the write of the rest then fails with the system's reason
// ("No space left on device"), which is returned; nothing when all went in.
QString writeWhole(QFileDevice& file, const QByteArray& bytes);

// The whole file at once through a temporary file beside it: the reason
// when it failed (the file of that name then keeps what it held), else
// nothing.
QString writeFileWhole(const QString& path, const QByteArray& bytes);
