#pragma once
// Checks of written log files, line by line.
#include <QByteArray>
#include <QList>
#include <QRegularExpression>

// The lines of a file that ends in CR LF, without their CR LF; a line that
// is not "#MM-DD-YYYY HH:MM:SS " + text + CR LF, or a file that does not end
// in CR LF, counts in *damaged.
inline QList<QByteArray> wholeLines(const QByteArray& file, int* damaged)
{
    static const QRegularExpression form(QStringLiteral("^#\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d [^\\r\\n]*$"));
    *damaged = 0;
    QList<QByteArray> lines = file.split('\n');
    if (lines.isEmpty() || !lines.takeLast().isEmpty())
        ++*damaged;
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r') || !form.match(QString::fromUtf8(line.chopped(1))).hasMatch())
            ++*damaged;
        line.chop(1);
    }
    return lines;
}

// The text after the time stamp.
inline QByteArray lineText(const QByteArray& line)
{
    return line.mid(21);
}
