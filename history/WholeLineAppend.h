#pragma once
// Appends one CR LF line to a text file, whole or not at all, with nothing
// but the C library beneath it (the library of the same job in platform/
// comes with the widgets). A write cut short (a full disk) is undone; a file
// that does not end in CR LF gets one first, so the line never continues a
// broken one.
#include <QByteArrayView>
#include <QString>

namespace WholeLineAppend {

// False with the system's reason ("No space left on device").
bool append(const QString& fileName, QByteArrayView line, QString* reason);

} // namespace WholeLineAppend
