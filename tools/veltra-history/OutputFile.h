#pragma once
// Where a command's table goes: a file, written whole or not at all (a file
// of that name keeps what it held when the writing fails), or standard
// output.
#include <QByteArray>
#include <QString>
#include <functional>

namespace OutputFile {

using Write = std::function<bool(const QByteArray&)>;
// Hands `produce` a writer into `path` (standard output when empty). When
// `produce` fails it sets *problem, or leaves it empty when a write failed.
// Returns the exit code, the message on standard error.
int write(const QString& path, const std::function<bool(const Write&, QString* problem)>& produce);

} // namespace OutputFile
